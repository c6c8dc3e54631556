// The simulated desktop itself: the one active desktop, its clock and scheduled
// actions, and the call counter.
#include "tests/support/fake_desktop.h"

#include <algorithm>
#include <stdexcept>

#include "tests/support/desktop_records.h"

namespace fake {

namespace {

Desktop* Current = nullptr;

const char* const kCallNames[] = {
    // processes
    "CreateProcessA", "ResumeThread", "TerminateProcess", "GetExitCodeProcess", "ExitProcess", "GetCommandLineA",
    "GetCurrentProcessId", "OpenProcess", "GetProcessTimes", "GetSystemTimeAsFileTime", "QueryFullProcessImageNameW",
    "GetCurrentProcess", "GetTokenElevation",
    "CreateMutexW", "CreateEventW", "OpenMutexW", "SetEvent", "WaitForMultipleObjects",
    "CreateJobObjectW", "AssignProcessToJobObject", "QueryInformationJobObject",
    "WaitForSingleObject", "Sleep", "GetTickCount", "GetLocalTime", "timeBeginPeriod", "timeEndPeriod",
    "CloseHandle", "GetLastError",
    // windows
    "FindWindowA", "GetWindow", "IsWindow", "GetWindowTextA", "GetClassNameA", "GetWindowThreadProcessId",
    "GetAncestor", "GetWindowRect", "GetClientRect", "GetWindowInfo", "GetWindowLongA", "SetWindowLongA",
    "SetWindowPos", "GetForegroundWindow", "SetForegroundWindow",
    "SetWindowCreationHook", "UnhookWinEvent", "TakeCreatedWindow",
    "CreateSolidBrush", "DeleteObject", "RegisterClassExA", "UnregisterClassA", "CreateWindowExA", "DestroyWindow",
    "SetWindowTextA", "PostMessageA", "SendCopyData",
    // displays
    "GetSystemMetrics", "EnumDisplayMonitors", "GetMonitorInfoA", "MonitorFromWindow", "MonitorFromRect",
    // input
    "GetClipCursor", "ClipCursor", "RegisterHotKey", "UnregisterHotKey",
    "MsgWaitForMultipleObjects", "PeekMessageA", "DispatchMessageA", "MessageBeep",
    // files
    "GetFileAttributesW", "CreateFileW", "ReadFile", "WriteFile", "FlushFileBuffers", "GetFileInformationByHandle",
    "MoveFileExW", "DeleteFileW", "ReplaceFileW",
    "GetFullPathNameW", "GetCurrentDirectoryW", "SetCurrentDirectoryW", "GetModuleFileNameW", "GetLongPathNameW",
    "FindFilesW", "FindFirstChangeNotificationW", "FindNextChangeNotification", "FindCloseChangeNotification",
    // text
    "GetCPInfo", "GetThreadLocale", "GetLocaleInfoA", "CompareStringOrdinal", "AnsiToUtf8", "FormatMessageA", "OutputDebugStringA",
    "MessageBoxA",
    // the clipboard
    "OpenClipboard", "EmptyClipboard", "SetClipboardData", "CloseClipboard",
    // the shell
    "ShellExecuteExW",
    // the registry
    "ReadUserRegistryText", "WriteUserRegistryText", "DeleteUserRegistryValue",
    // the notification area
    "AddNotifyIcon", "SetNotifyIconTip", "ShowNotifyBalloon", "DeleteNotifyIcon", "RegisterWindowMessageA",
    "ShowPopupMenu",
};
static_assert(sizeof(kCallNames) / sizeof(kCallNames[0]) == static_cast<int>(Call::Count));

}  // namespace

const char* CallName(Call call) { return kCallNames[static_cast<int>(call)]; }

Desktop& Active() {
    if (Current == nullptr) throw std::logic_error("no simulated desktop is active");
    return *Current;
}

Desktop::Desktop() {
    if (Current != nullptr) throw std::logic_error("only one simulated desktop at a time");
    Current = this;
    directory(cwd_);
    // Room for the placements of a lock that fights a program for minutes, so that
    // the record does not grow inside the loop whose allocations a test counts.
    setWindowPosFlags_.reserve(1 << 14);
}

Desktop::~Desktop() {
    for (auto& entry : windows_) delete entry.second;
    for (Process* process : processes_) delete process;
    for (auto& entry : files_) delete entry.second;
    for (auto& entry : openFiles_) delete entry.second;
    Current = nullptr;
}

// ---- the clock, scheduled actions and the call counter ----

void Desktop::at(std::int64_t ms, std::function<void()> action) {
    actions_.emplace(ms, std::move(action));
}

void Desktop::beforeNext(Call call, std::function<void()> action) {
    beforeNext_[static_cast<int>(call)].push_back(std::move(action));
}

void Desktop::count(Call call) {
    int index = static_cast<int>(call);
    ++callCounts_[index];
    if (!beforeNext_[index].empty()) {
        auto pending = std::move(beforeNext_[index]);
        beforeNext_[index].clear();
        for (auto& action : pending) action();
    }
}

void Desktop::runDueActions() {
    while (!actions_.empty() && actions_.begin()->first <= clockMs_) {
        auto action = std::move(actions_.begin()->second);
        actions_.erase(actions_.begin());
        action();
    }
}

void Desktop::advanceTo(std::int64_t ms) {
    while (!actions_.empty() && actions_.begin()->first <= ms) {
        clockMs_ = std::max(clockMs_, actions_.begin()->first);
        runDueActions();
    }
    clockMs_ = std::max(clockMs_, ms);
}

std::uint64_t Desktop::totalCalls() const {
    std::uint64_t total = 0;
    for (auto count : callCounts_) total += count;
    return total;
}

void Desktop::resetCallCounts() { std::fill(std::begin(callCounts_), std::end(callCounts_), 0); }

bool Desktop::fail(std::uint32_t error) {
    lastError_ = error;
    return false;
}

}  // namespace fake
