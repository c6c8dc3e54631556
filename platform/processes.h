// Processes and what the launcher waits on: starting, resuming and ending programs,
// opening programs started elsewhere, administrator rights, jobs, named objects shared with other
// Framewrights, waits, the clock and the timer's resolution, the launcher's own
// command line, and kernel handles with the last error.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

// ---- processes ----

struct ProcessInformation {
    KernelHandle process = 0;
    KernelHandle thread = 0;
    std::uint32_t processId = 0;
    std::uint32_t threadId = 0;
};

constexpr std::uint32_t kCreateSuspended = 0x4;
// CreateProcessA's error for a program whose manifest asks for administrator rights
// that the launcher does not have.
constexpr std::uint32_t kErrorElevationRequired = 740;

// CreateProcessA with the application name, the command line and the current
// directory given; no security attributes, no handle inheritance, creation flags 0,
// the inherited environment, and a zeroed STARTUPINFOA whose size field is set.
// The application name is never searched for on the path.
bool CreateProcessA(const std::string& applicationName, const std::string& commandLine,
                    const std::string& currentDirectory, ProcessInformation& info);
// CreateProcessA as above, with the creation flags given.
bool CreateProcessA(const std::string& applicationName, const std::string& commandLine,
                    const std::string& currentDirectory, std::uint32_t creationFlags,
                    ProcessInformation& info);
std::uint32_t ResumeThread(KernelHandle thread);  // 0xFFFFFFFF on failure
bool TerminateProcess(KernelHandle process, std::uint32_t exitCode);
bool GetExitCodeProcess(KernelHandle process, std::uint32_t& exitCode);
// Ends the process at once. Used only where the launcher must stop on the spot.
[[noreturn]] void ExitProcess(std::uint32_t exitCode);
// GetCommandLineA: the launcher's own command line, as the system keeps it.
std::string GetCommandLineA();
std::uint32_t GetCurrentProcessId();

// ---- programs started elsewhere ----

constexpr std::uint32_t kSynchronize = 0x00100000u;
constexpr std::uint32_t kProcessQueryLimitedInformation = 0x1000u;
constexpr std::uint32_t kErrorInvalidParameter = 87;
// OpenProcess without handle inheritance; 0 on failure (kErrorInvalidParameter for
// an id that names no process).
KernelHandle OpenProcess(std::uint32_t desiredAccess, std::uint32_t processId);
// When the process was created, as a FILETIME: 100-nanosecond units since 1601.
bool GetProcessTimes(KernelHandle process, std::uint64_t& creationTime);
// The time now, in the same units.
std::uint64_t GetSystemTimeAsFileTime();
// QueryFullProcessImageNameW: the full path of the process's image file, in Win32
// form, converted to the ANSI code page; false when it cannot be read.
bool QueryFullProcessImageNameW(KernelHandle process, std::string& path);

// ---- administrator rights ----

constexpr std::uint32_t kErrorAccessDenied = 5;
// The pseudo handle that stands for the launcher's own process.
KernelHandle GetCurrentProcess();
// Whether the process runs as administrator: OpenProcessToken for querying and
// GetTokenInformation(TokenElevation), the token closed again. False, with the last
// error, when either fails (kErrorAccessDenied for a process of higher rights).
bool GetTokenElevation(KernelHandle process, bool& elevated);

// ---- jobs ----

// CreateJobObjectW with no security attributes, no name and no limits (so no
// kill-on-close). Returns 0 on failure.
KernelHandle CreateJobObjectW();
bool AssignProcessToJobObject(KernelHandle job, KernelHandle process);

// The job's processes (JobObjectBasicProcessIdList): `active` is the number of
// processes in the job, `listed` how many of their ids the buffer took. The
// buffer is `ids`: its size is how many fit, and it must have room for one.
struct JobProcessIds {
    std::uint32_t active = 0;
    std::uint32_t listed = 0;
    std::vector<std::uint32_t> ids;
};
constexpr std::uint32_t kErrorMoreData = 234;
// QueryInformationJobObject for that list, answered as the system does: true when
// every id fit; false when not, GetLastError then giving kErrorMoreData with the
// counts and the ids that fit filled in. False too when the job cannot be queried.
bool QueryInformationJobObject(KernelHandle job, JobProcessIds& processes);

// ---- named objects ----

// Named in the session's namespace ("Local\\..."), no security attributes: a mutex
// not owned, and a manual-reset event not signalled. When the object existed
// already the handle is to it and `existed` is true. 0 on failure.
KernelHandle CreateMutexW(const std::string& name, bool& existed);
KernelHandle CreateEventW(const std::string& name, bool& existed);
// OpenMutexW for waiting: 0 when no such mutex exists.
KernelHandle OpenMutexW(const std::string& name);
bool SetEvent(KernelHandle event);

// ---- waits and the clock ----

std::uint32_t WaitForSingleObject(KernelHandle handle, std::uint32_t milliseconds);
// Waits until any of the handles is signalled: kWaitObject0 + its index, else kWaitTimeout.
std::uint32_t WaitForMultipleObjects(const KernelHandle* handles, std::uint32_t count, std::uint32_t milliseconds);
void Sleep(std::uint32_t milliseconds);
std::uint32_t GetTickCount();
struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
LocalTime GetLocalTime();
// The timer's resolution, from winmm (loaded at run time from the system directory).
std::uint32_t timeBeginPeriod(std::uint32_t period);
std::uint32_t timeEndPeriod(std::uint32_t period);

// ---- kernel handles and the last error ----

bool CloseHandle(KernelHandle handle);
std::uint32_t GetLastError();

}  // namespace platform
