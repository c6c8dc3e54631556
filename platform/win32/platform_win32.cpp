// The platform seam on the real system. The only file that includes <windows.h>.
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "platform/platform.h"

namespace platform {

namespace {

HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }
WindowHandle FromHwnd(HWND window) { return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(window)); }
HANDLE ToHandle(KernelHandle handle) { return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(handle)); }
KernelHandle FromHandle(HANDLE handle) { return static_cast<KernelHandle>(reinterpret_cast<std::uintptr_t>(handle)); }

// UTF-16 text kept in a vector, NUL-terminated: std::wstring would pull the whole
// of the library's wide-string code into every exe.
using WideText = std::vector<wchar_t>;

WideText AnsiToWide(const std::string& text) {
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    WideText wide(static_cast<std::size_t>(length) + 1, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string WideToAnsi(const wchar_t* text, std::size_t size) {
    if (size == 0) return std::string();
    int length = ::WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(size), nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(size), &ansi[0], length, nullptr, nullptr);
    return ansi;
}

// winmm is not a DLL that Windows always takes from its system directory, so a
// copy planted beside the launched program would be loaded if it were imported.
// It is loaded by full path from the system directory when first needed instead.
using TimePeriodFunction = UINT(WINAPI*)(UINT);

FARPROC SystemWinmmFunction(const char* name) {
    static HMODULE winmm = [] {
        wchar_t directory[MAX_PATH];
        UINT length = ::GetSystemDirectoryW(directory, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return HMODULE{nullptr};
        const wchar_t name[] = L"\\winmm.dll";
        if (length + sizeof name / sizeof name[0] > MAX_PATH) return HMODULE{nullptr};
        std::memcpy(directory + length, name, sizeof name);
        return ::LoadLibraryExW(directory, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }();
    return winmm == nullptr ? nullptr : ::GetProcAddress(winmm, name);
}

std::uint32_t CallTimePeriod(const char* name, std::uint32_t period) {
    auto function = reinterpret_cast<TimePeriodFunction>(reinterpret_cast<void*>(SystemWinmmFunction(name)));
    return function == nullptr ? TIMERR_NOCANDO : function(period);
}

}  // namespace

bool CreateProcessA(const std::string& applicationName, const std::string& commandLine,
                    const std::string& currentDirectory, ProcessInformation& info) {
    return CreateProcessA(applicationName, commandLine, currentDirectory, 0, info);
}

std::uint32_t WaitForSingleObject(KernelHandle handle, std::uint32_t milliseconds) {
    return ::WaitForSingleObject(ToHandle(handle), milliseconds);
}

void Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

bool GetExitCodeProcess(KernelHandle process, std::uint32_t& exitCode) {
    DWORD code = 0;
    BOOL ok = ::GetExitCodeProcess(ToHandle(process), &code);
    exitCode = code;
    return ok != FALSE;
}

bool CloseHandle(KernelHandle handle) { return ::CloseHandle(ToHandle(handle)) != FALSE; }

std::string GetCurrentDirectoryW() {
    DWORD length = ::GetCurrentDirectoryW(0, nullptr);
    if (length == 0) return std::string();
    WideText directory(length, L'\0');
    length = ::GetCurrentDirectoryW(length, directory.data());
    return WideToAnsi(directory.data(), length);
}

std::uint32_t GetFileAttributesW(const std::string& path) {
    return ::GetFileAttributesW(AnsiToWide(path).data());
}

KernelHandle CreateFileW(const std::string& path, std::uint32_t desiredAccess, std::uint32_t shareMode,
                         std::uint32_t creationDisposition, std::uint32_t flagsAndAttributes) {
    HANDLE file = ::CreateFileW(AnsiToWide(path).data(), desiredAccess, shareMode, nullptr, creationDisposition,
                                flagsAndAttributes, nullptr);
    return file == INVALID_HANDLE_VALUE ? kInvalidHandle : FromHandle(file);
}

bool ReadFile(KernelHandle file, void* buffer, std::uint32_t bytesToRead, std::uint32_t& bytesRead) {
    DWORD read = 0;
    BOOL ok = ::ReadFile(ToHandle(file), buffer, bytesToRead, &read, nullptr);
    bytesRead = read;
    return ok != FALSE;
}

std::uint32_t GetThreadLocale() { return ::GetThreadLocale(); }

bool GetLocaleInfoA(std::uint32_t locale, std::uint32_t type, std::string& value) {
    char buffer[16];
    int length = ::GetLocaleInfoA(locale, type, buffer, sizeof(buffer));
    if (length <= 0) return false;
    value.assign(buffer, static_cast<std::size_t>(length - 1));
    return true;
}

void ExitProcess(std::uint32_t exitCode) { ::ExitProcess(exitCode); }

void OutputDebugStringA(const std::string& text) { ::OutputDebugStringA(text.c_str()); }

int MessageBoxA(const std::string& text, const std::string& caption, std::uint32_t type) {
    return ::MessageBoxA(nullptr, text.c_str(), caption.c_str(), type);
}

WindowHandle FindWindowA() { return FromHwnd(::FindWindowA(nullptr, nullptr)); }

WindowHandle GetWindow(WindowHandle window, std::uint32_t relation) {
    return FromHwnd(::GetWindow(ToHwnd(window), relation));
}

int GetWindowTextA(WindowHandle window, char* buffer, int maxCount) {
    return ::GetWindowTextA(ToHwnd(window), buffer, maxCount);
}

std::uint32_t GetWindowThreadProcessId(WindowHandle window, std::uint32_t& processId) {
    DWORD pid = processId;
    DWORD thread = ::GetWindowThreadProcessId(ToHwnd(window), &pid);
    processId = pid;
    return thread;
}

int GetSystemMetrics(int index) { return ::GetSystemMetrics(index); }

bool GetWindowRect(WindowHandle window, Rect& rect) {
    RECT r;
    if (!::GetWindowRect(ToHwnd(window), &r)) return false;
    rect = {r.left, r.top, r.right, r.bottom};
    return true;
}

bool GetClientRect(WindowHandle window, Rect& rect) {
    RECT r;
    if (!::GetClientRect(ToHwnd(window), &r)) return false;
    rect = {r.left, r.top, r.right, r.bottom};
    return true;
}

bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                  std::uint32_t flags) {
    return ::SetWindowPos(ToHwnd(window), ToHwnd(insertAfter), x, y, cx, cy, flags) != FALSE;
}

std::uint32_t timeBeginPeriod(std::uint32_t period) { return CallTimePeriod("timeBeginPeriod", period); }

std::uint32_t timeEndPeriod(std::uint32_t period) { return CallTimePeriod("timeEndPeriod", period); }

namespace {

HMONITOR ToHmonitor(MonitorHandle monitor) {
    return reinterpret_cast<HMONITOR>(static_cast<std::uintptr_t>(monitor));
}
MonitorHandle FromHmonitor(HMONITOR monitor) {
    return static_cast<MonitorHandle>(reinterpret_cast<std::uintptr_t>(monitor));
}
Rect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    reinterpret_cast<std::vector<MonitorHandle>*>(list)->push_back(FromHmonitor(monitor));
    return TRUE;
}

}  // namespace

std::vector<MonitorHandle> EnumDisplayMonitors() {
    std::vector<MonitorHandle> monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

bool GetMonitorInfoA(MonitorHandle monitor, MonitorInfo& info) {
    MONITORINFOEXA raw;
    raw.cbSize = sizeof raw;
    if (!::GetMonitorInfoA(ToHmonitor(monitor), &raw)) return false;
    info.monitor = FromRect(raw.rcMonitor);
    info.work = FromRect(raw.rcWork);
    info.flags = raw.dwFlags;
    info.device.assign(raw.szDevice, ::strnlen(raw.szDevice, sizeof raw.szDevice));
    return true;
}

MonitorHandle MonitorFromWindow(WindowHandle window, std::uint32_t flags) {
    return FromHmonitor(::MonitorFromWindow(ToHwnd(window), flags));
}

MonitorHandle MonitorFromRect(const Rect& rect, std::uint32_t flags) {
    const RECT raw{rect.left, rect.top, rect.right, rect.bottom};
    return FromHmonitor(::MonitorFromRect(&raw, flags));
}

std::uint32_t GetWindowLongA(WindowHandle window, int index) {
    return static_cast<std::uint32_t>(::GetWindowLongA(ToHwnd(window), index));
}

std::uint32_t SetWindowLongA(WindowHandle window, int index, std::uint32_t value) {
    return static_cast<std::uint32_t>(::SetWindowLongA(ToHwnd(window), index, static_cast<LONG>(value)));
}

// ---- launching: profiles, child processes, the log file, the window class ----

std::string GetCommandLineA() { return ::GetCommandLineA(); }

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

std::uint32_t GetLastError() { return ::GetLastError(); }

std::string FormatMessageA(std::uint32_t errorCode) {
    char buffer[512];
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, errorCode,
                                    0, buffer, sizeof(buffer), nullptr);
    while (length > 0 && (buffer[length - 1] == '\r' || buffer[length - 1] == '\n' || buffer[length - 1] == ' ')) {
        --length;
    }
    return std::string(buffer, length);
}

bool WriteFile(KernelHandle file, const void* buffer, std::uint32_t bytesToWrite, std::uint32_t& bytesWritten) {
    DWORD written = 0;
    BOOL ok = ::WriteFile(ToHandle(file), buffer, bytesToWrite, &written, nullptr);
    bytesWritten = written;
    return ok != FALSE;
}

bool FlushFileBuffers(KernelHandle file) { return ::FlushFileBuffers(ToHandle(file)) != FALSE; }

bool MoveFileExW(const std::string& from, const std::string& to, std::uint32_t flags) {
    return ::MoveFileExW(AnsiToWide(from).data(), AnsiToWide(to).data(), flags) != FALSE;
}

bool DeleteFileW(const std::string& path) { return ::DeleteFileW(AnsiToWide(path).data()) != FALSE; }

bool ReplaceFileW(const std::string& replaced, const std::string& replacement, std::uint32_t flags) {
    return ::ReplaceFileW(AnsiToWide(replaced).data(), AnsiToWide(replacement).data(), nullptr, flags, nullptr,
                          nullptr) != FALSE;
}

std::string GetFullPathNameW(const std::string& path) {
    const WideText wide = AnsiToWide(path);
    DWORD length = ::GetFullPathNameW(wide.data(), 0, nullptr, nullptr);
    if (length == 0) return std::string();
    WideText full(length, L'\0');
    length = ::GetFullPathNameW(wide.data(), length, full.data(), nullptr);
    return WideToAnsi(full.data(), length);
}

bool SetCurrentDirectoryW(const std::string& path) {
    return ::SetCurrentDirectoryW(AnsiToWide(path).data()) != FALSE;
}

std::string GetModuleFileNameW() {
    WideText path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::string();
        if (length < path.size()) return WideToAnsi(path.data(), length);
        path.resize(path.size() * 2);  // truncated: a long path
    }
}


bool GetFileInformationByHandle(KernelHandle file, FileIdentity& identity) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(ToHandle(file), &info)) return false;
    identity.volumeSerial = info.dwVolumeSerialNumber;
    identity.fileIndex = (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
    return true;
}

bool GetCPInfo(std::uint32_t codePage, CodePageInfo& info) {
    CPINFO raw;
    if (!::GetCPInfo(codePage, &raw)) return false;
    static_assert(sizeof raw.LeadByte == sizeof info.leadByte, "MAX_LEADBYTES");
    info.maxCharSize = raw.MaxCharSize;
    std::memcpy(info.leadByte, raw.LeadByte, sizeof info.leadByte);
    return true;
}

std::uint32_t GetTickCount() { return ::GetTickCount(); }

LocalTime GetLocalTime() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

int GetClassNameA(WindowHandle window, char* buffer, int maxCount) {
    return ::GetClassNameA(ToHwnd(window), buffer, maxCount);
}

// ---- around the window while the program runs ----

WindowHandle GetForegroundWindow() { return FromHwnd(::GetForegroundWindow()); }

WindowHandle GetAncestor(WindowHandle window, std::uint32_t flags) {
    return FromHwnd(::GetAncestor(ToHwnd(window), flags));
}

bool IsWindow(WindowHandle window) { return ::IsWindow(ToHwnd(window)) != FALSE; }

bool GetWindowInfo(WindowHandle window, WindowInfo& info) {
    WINDOWINFO raw = {};
    raw.cbSize = sizeof raw;
    if (!::GetWindowInfo(ToHwnd(window), &raw)) return false;
    info = {FromRect(raw.rcWindow), FromRect(raw.rcClient), raw.dwStyle, raw.dwExStyle};
    return true;
}

bool GetClipCursor(Rect& rect) {
    RECT raw;
    if (!::GetClipCursor(&raw)) return false;
    rect = FromRect(raw);
    return true;
}

bool ClipCursor(const Rect* rect) {
    if (rect == nullptr) return ::ClipCursor(nullptr) != FALSE;
    const RECT raw{rect->left, rect->top, rect->right, rect->bottom};
    return ::ClipCursor(&raw) != FALSE;
}

bool RegisterHotKey(std::uint32_t id, std::uint32_t modifiers, std::uint32_t key) {
    return ::RegisterHotKey(nullptr, static_cast<int>(id), modifiers, key) != FALSE;
}

bool UnregisterHotKey(std::uint32_t id) { return ::UnregisterHotKey(nullptr, static_cast<int>(id)) != FALSE; }

std::uint32_t MsgWaitForMultipleObjects(KernelHandle handle, std::uint32_t milliseconds) {
    if (handle == 0) {
        // With no handle the queue's answer is WAIT_OBJECT_0: made the one it has beside a handle.
        const DWORD waited = ::MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
        return waited == WAIT_OBJECT_0 ? WAIT_OBJECT_0 + 1 : waited;
    }
    const HANDLE handles[] = {ToHandle(handle)};
    return ::MsgWaitForMultipleObjects(1, handles, FALSE, milliseconds, QS_ALLINPUT);
}

bool PeekMessageA(QueuedMessage& message) {
    MSG raw;
    if (!::PeekMessageA(&raw, nullptr, 0, 0, PM_REMOVE)) return false;
    message = {FromHwnd(raw.hwnd), raw.message, raw.wParam, raw.lParam, raw.time, {raw.pt.x, raw.pt.y}};
    return true;
}

void DispatchMessageA(const QueuedMessage& message) {
    const MSG raw{ToHwnd(message.window), message.message, message.wParam, message.lParam, message.time,
                  {message.point.x, message.point.y}};
    ::DispatchMessageA(&raw);
}

bool MessageBeep(std::uint32_t type) { return ::MessageBeep(type) != FALSE; }

// ---- the setup program: the clipboard ----

bool OpenClipboard(WindowHandle owner) { return ::OpenClipboard(ToHwnd(owner)) != FALSE; }

bool EmptyClipboard() { return ::EmptyClipboard() != FALSE; }

bool SetClipboardData(const std::string& text) {
    const WideText wide = AnsiToWide(text);
    const std::size_t size = wide.size() * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == nullptr) return false;
    void* bytes = ::GlobalLock(memory);
    if (bytes != nullptr) {
        std::memcpy(bytes, wide.data(), size);
        ::GlobalUnlock(memory);
        if (::SetClipboardData(CF_UNICODETEXT, memory) != nullptr) return true;
    }
    // The memory is still ours; the caller reads why the call failed.
    const DWORD error = ::GetLastError();
    ::GlobalFree(memory);
    ::SetLastError(error);
    return false;
}

bool CloseClipboard() { return ::CloseClipboard() != FALSE; }

// ---- the surround ----

namespace {

HGDIOBJ ToGdi(GdiHandle object) { return reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(object)); }

// The launcher's own windows never take the focus: a click leaves the foreground
// where it was, and the launcher gives it to the program's window itself.
LRESULT CALLBACK OwnWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

GdiHandle CreateSolidBrush(std::uint32_t colorRef) {
    return static_cast<GdiHandle>(reinterpret_cast<std::uintptr_t>(::CreateSolidBrush(colorRef)));
}

bool DeleteObject(GdiHandle object) { return ::DeleteObject(ToGdi(object)) != FALSE; }

bool RegisterClassExA(const std::string& className, GdiHandle brush) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = OwnWindowProcedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(ToGdi(brush));
    windowClass.lpszClassName = className.c_str();
    return ::RegisterClassExA(&windowClass) != 0;
}

bool UnregisterClassA(const std::string& className) {
    return ::UnregisterClassA(className.c_str(), ::GetModuleHandleA(nullptr)) != FALSE;
}

WindowHandle CreateWindowExA(std::uint32_t exStyle, const std::string& className, const std::string& title,
                             std::uint32_t style, int x, int y, int cx, int cy) {
    return FromHwnd(::CreateWindowExA(exStyle, className.c_str(), title.c_str(), style, x, y, cx, cy, nullptr,
                                      nullptr, ::GetModuleHandleA(nullptr), nullptr));
}

bool DestroyWindow(WindowHandle window) { return ::DestroyWindow(ToHwnd(window)) != FALSE; }

bool SetForegroundWindow(WindowHandle window) { return ::SetForegroundWindow(ToHwnd(window)) != FALSE; }

}  // namespace platform
