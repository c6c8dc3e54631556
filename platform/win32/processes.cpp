// Processes, jobs, waits and the clock on the real system.
#include "platform/processes.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "platform/win32/conversions.h"
#include "platform/win32/system_library.h"

namespace platform {

namespace {

using TimePeriodFunction = UINT(WINAPI*)(UINT);

FARPROC SystemWinmmFunction(const char* name) {
    static HMODULE winmm = LoadSystemLibrary(L"winmm.dll");
    return winmm == nullptr ? nullptr : ::GetProcAddress(winmm, name);
}

std::uint32_t CallTimePeriod(const char* name, std::uint32_t period) {
    auto function = reinterpret_cast<TimePeriodFunction>(reinterpret_cast<void*>(SystemWinmmFunction(name)));
    return function == nullptr ? TIMERR_NOCANDO : function(period);
}

}  // namespace

// ---- processes ----

bool CreateProcessA(const std::string& applicationName, const std::string& commandLine,
                    const std::string& currentDirectory, ProcessInformation& info) {
    return CreateProcessA(applicationName, commandLine, currentDirectory, 0, info);
}

bool CreateProcessA(const std::string& applicationName, const std::string& commandLine,
                    const std::string& currentDirectory, std::uint32_t creationFlags, ProcessInformation& info) {
    static_assert(sizeof(STARTUPINFOA) == 68, "the 32-bit start-up record");
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    std::vector<char> command(commandLine.begin(), commandLine.end());
    command.push_back('\0');
    PROCESS_INFORMATION process = {};
    BOOL ok = ::CreateProcessA(applicationName.c_str(), command.data(), nullptr, nullptr, FALSE, creationFlags,
                               nullptr, currentDirectory.c_str(), &startup, &process);
    if (!ok) return false;
    info.process = FromHandle(process.hProcess);
    info.thread = FromHandle(process.hThread);
    info.processId = process.dwProcessId;
    info.threadId = process.dwThreadId;
    return true;
}

std::uint32_t ResumeThread(KernelHandle thread) { return ::ResumeThread(ToHandle(thread)); }

bool TerminateProcess(KernelHandle process, std::uint32_t exitCode) {
    return ::TerminateProcess(ToHandle(process), exitCode) != FALSE;
}

bool GetExitCodeProcess(KernelHandle process, std::uint32_t& exitCode) {
    DWORD code = 0;
    BOOL ok = ::GetExitCodeProcess(ToHandle(process), &code);
    exitCode = code;
    return ok != FALSE;
}

void ExitProcess(std::uint32_t exitCode) { ::ExitProcess(exitCode); }

std::string GetCommandLineA() { return ::GetCommandLineA(); }

std::uint32_t GetCurrentProcessId() { return ::GetCurrentProcessId(); }

// ---- programs started elsewhere ----

KernelHandle OpenProcess(std::uint32_t desiredAccess, std::uint32_t processId) {
    return FromHandle(::OpenProcess(desiredAccess, FALSE, processId));
}

bool GetProcessTimes(KernelHandle process, std::uint64_t& creationTime) {
    FILETIME creation, exit, kernel, user;
    if (!::GetProcessTimes(ToHandle(process), &creation, &exit, &kernel, &user)) return false;
    creationTime = (static_cast<std::uint64_t>(creation.dwHighDateTime) << 32) | creation.dwLowDateTime;
    return true;
}

std::uint64_t GetSystemTimeAsFileTime() {
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    return (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

bool QueryFullProcessImageNameW(KernelHandle process, std::string& path) {
    wchar_t name[MAX_PATH];
    DWORD size = MAX_PATH;
    if (!::QueryFullProcessImageNameW(ToHandle(process), 0, name, &size)) return false;
    path = WideToAnsi(name, size);
    return true;
}

// ---- administrator rights ----

KernelHandle GetCurrentProcess() { return FromHandle(::GetCurrentProcess()); }

bool GetTokenElevation(KernelHandle process, bool& elevated) {
    HANDLE token;
    if (!::OpenProcessToken(ToHandle(process), TOKEN_QUERY, &token)) return false;
    TOKEN_ELEVATION elevation;
    DWORD size = 0;
    const BOOL read = ::GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
    // Closing must not hide why the read failed.
    const DWORD error = ::GetLastError();
    ::CloseHandle(token);
    if (!read) {
        ::SetLastError(error);
        return false;
    }
    elevated = elevation.TokenIsElevated != 0;
    return true;
}

// ---- jobs ----

KernelHandle CreateJobObjectW() { return FromHandle(::CreateJobObjectW(nullptr, nullptr)); }

bool AssignProcessToJobObject(KernelHandle job, KernelHandle process) {
    return ::AssignProcessToJobObject(ToHandle(job), ToHandle(process)) != FALSE;
}

bool QueryInformationJobObject(KernelHandle job, JobProcessIds& processes) {
    // The system's record: the two counts, then the ids. Kept from call to call, so
    // that it grows only with the caller's buffer.
    static std::vector<ULONG_PTR> record;
    constexpr std::size_t kHeader = offsetof(JOBOBJECT_BASIC_PROCESS_ID_LIST, ProcessIdList) / sizeof(ULONG_PTR);
    const std::size_t room = processes.ids.empty() ? 1 : processes.ids.size();
    record.resize(kHeader + room);
    auto* list = reinterpret_cast<JOBOBJECT_BASIC_PROCESS_ID_LIST*>(record.data());
    const BOOL ok = ::QueryInformationJobObject(ToHandle(job), JobObjectBasicProcessIdList, list,
                                                static_cast<DWORD>(record.size() * sizeof(ULONG_PTR)), nullptr);
    if (!ok && ::GetLastError() != ERROR_MORE_DATA) return false;
    processes.active = list->NumberOfAssignedProcesses;
    processes.listed = static_cast<std::uint32_t>(
        std::min<std::size_t>(list->NumberOfProcessIdsInList, processes.ids.size()));
    for (std::uint32_t i = 0; i < processes.listed; ++i) {
        processes.ids[i] = static_cast<std::uint32_t>(list->ProcessIdList[i]);
    }
    return ok != FALSE;
}

// ---- named objects ----

KernelHandle CreateMutexW(const std::string& name, bool& existed) {
    const HANDLE mutex = ::CreateMutexW(nullptr, FALSE, AnsiToWide(name).data());
    existed = mutex != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS;
    return FromHandle(mutex);
}

KernelHandle CreateEventW(const std::string& name, bool& existed) {
    const HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, AnsiToWide(name).data());
    existed = event != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS;
    return FromHandle(event);
}

KernelHandle OpenMutexW(const std::string& name) {
    return FromHandle(::OpenMutexW(SYNCHRONIZE, FALSE, AnsiToWide(name).data()));
}

bool SetEvent(KernelHandle event) { return ::SetEvent(ToHandle(event)) != FALSE; }

// ---- waits and the clock ----

std::uint32_t WaitForSingleObject(KernelHandle handle, std::uint32_t milliseconds) {
    return ::WaitForSingleObject(ToHandle(handle), milliseconds);
}

std::uint32_t WaitForMultipleObjects(const KernelHandle* handles, std::uint32_t count, std::uint32_t milliseconds) {
    HANDLE system[MAXIMUM_WAIT_OBJECTS];
    if (count > MAXIMUM_WAIT_OBJECTS) count = MAXIMUM_WAIT_OBJECTS;
    for (std::uint32_t i = 0; i < count; ++i) system[i] = ToHandle(handles[i]);
    return ::WaitForMultipleObjects(count, system, FALSE, milliseconds);
}

void Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

std::uint32_t GetTickCount() { return ::GetTickCount(); }

LocalTime GetLocalTime() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::uint32_t timeBeginPeriod(std::uint32_t period) { return CallTimePeriod("timeBeginPeriod", period); }

std::uint32_t timeEndPeriod(std::uint32_t period) { return CallTimePeriod("timeEndPeriod", period); }

// ---- kernel handles and the last error ----

bool CloseHandle(KernelHandle handle) { return ::CloseHandle(ToHandle(handle)) != FALSE; }

std::uint32_t GetLastError() { return ::GetLastError(); }

}  // namespace platform
