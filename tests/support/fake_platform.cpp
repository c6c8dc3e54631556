// The platform seam served by the simulated desktop.
#include "platform/clipboard.h"
#include "platform/displays.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/processes.h"
#include "platform/text.h"
#include "platform/windows.h"
#include "tests/support/fake_desktop.h"

namespace platform {

using fake::Active;
using fake::Call;

bool CreateProcessA(const std::string& applicationName, const std::string& commandLine,
                    const std::string& currentDirectory, ProcessInformation& info) {
    Active().count(Call::CreateProcessA);
    return Active().createProcess(applicationName, commandLine, currentDirectory, 0, info);
}

std::uint32_t WaitForSingleObject(KernelHandle handle, std::uint32_t milliseconds) {
    Active().count(Call::WaitForSingleObject);
    return Active().waitForProcess(handle, milliseconds);
}

void Sleep(std::uint32_t milliseconds) {
    Active().count(Call::Sleep);
    Active().advanceTo(Active().now() + milliseconds);
}

bool GetExitCodeProcess(KernelHandle process, std::uint32_t& exitCode) {
    Active().count(Call::GetExitCodeProcess);
    return Active().exitCodeOf(process, exitCode);
}

bool CloseHandle(KernelHandle handle) {
    Active().count(Call::CloseHandle);
    return Active().closeHandle(handle);
}

std::string GetCurrentDirectoryW() {
    Active().count(Call::GetCurrentDirectoryW);
    return Active().currentDirectory();
}

std::uint32_t GetFileAttributesW(const std::string& path) {
    Active().count(Call::GetFileAttributesW);
    return Active().fileAttributes(path);
}

KernelHandle CreateFileW(const std::string& path, std::uint32_t desiredAccess, std::uint32_t shareMode,
                         std::uint32_t creationDisposition, std::uint32_t flagsAndAttributes) {
    Active().count(Call::CreateFileW);
    return Active().openFile(path, desiredAccess, shareMode, creationDisposition, flagsAndAttributes);
}

bool ReadFile(KernelHandle file, void* buffer, std::uint32_t bytesToRead, std::uint32_t& bytesRead) {
    Active().count(Call::ReadFile);
    return Active().readFile(file, buffer, bytesToRead, bytesRead);
}

std::uint32_t GetThreadLocale() {
    Active().count(Call::GetThreadLocale);
    return 0x0409;
}

bool GetLocaleInfoA(std::uint32_t, std::uint32_t type, std::string& value) {
    Active().count(Call::GetLocaleInfoA);
    return Active().localeInfo(type, value);
}

void ExitProcess(std::uint32_t exitCode) {
    Active().count(Call::ExitProcess);
    throw fake::ProcessExit{exitCode};
}

void OutputDebugStringA(const std::string&) { Active().count(Call::OutputDebugStringA); }

int MessageBoxA(const std::string& text, const std::string& caption, std::uint32_t type) {
    Active().count(Call::MessageBoxA);
    return Active().messageBox(text, caption, type);
}

WindowHandle FindWindowA() {
    Active().count(Call::FindWindowA);
    return Active().topWindow();
}

WindowHandle GetWindow(WindowHandle window, std::uint32_t relation) {
    Active().count(Call::GetWindow);
    return relation == kGwHwndNext ? Active().nextWindow(window) : 0;
}

int GetWindowTextA(WindowHandle window, char* buffer, int maxCount) {
    Active().count(Call::GetWindowTextA);
    return Active().windowText(window, buffer, maxCount);
}

std::uint32_t GetWindowThreadProcessId(WindowHandle window, std::uint32_t& processId) {
    Active().count(Call::GetWindowThreadProcessId);
    return Active().windowProcess(window, processId);
}

int GetSystemMetrics(int index) {
    Active().count(Call::GetSystemMetrics);
    return Active().systemMetric(index);
}

bool GetWindowRect(WindowHandle window, Rect& rect) {
    Active().count(Call::GetWindowRect);
    return Active().windowRect(window, rect);
}

bool GetClientRect(WindowHandle window, Rect& rect) {
    Active().count(Call::GetClientRect);
    return Active().clientRect(window, rect);
}

bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                  std::uint32_t flags) {
    Active().count(Call::SetWindowPos);
    return Active().setWindowPos(window, insertAfter, x, y, cx, cy, flags);
}

std::uint32_t timeBeginPeriod(std::uint32_t period) {
    Active().count(Call::timeBeginPeriod);
    Active().timerPeriod(true, period);
    return 0;
}

std::uint32_t timeEndPeriod(std::uint32_t period) {
    Active().count(Call::timeEndPeriod);
    Active().timerPeriod(false, period);
    return 0;
}

std::vector<MonitorHandle> EnumDisplayMonitors() {
    Active().count(Call::EnumDisplayMonitors);
    return Active().monitors();
}

bool GetMonitorInfoA(MonitorHandle monitor, MonitorInfo& info) {
    Active().count(Call::GetMonitorInfoA);
    return Active().monitorInfo(monitor, info);
}

MonitorHandle MonitorFromWindow(WindowHandle window, std::uint32_t flags) {
    Active().count(Call::MonitorFromWindow);
    return Active().monitorOfWindow(window, flags);
}

MonitorHandle MonitorFromRect(const Rect& rect, std::uint32_t flags) {
    Active().count(Call::MonitorFromRect);
    return Active().monitorOfRect(rect, flags);
}

std::uint32_t GetWindowLongA(WindowHandle window, int index) {
    Active().count(Call::GetWindowLongA);
    return Active().windowLong(window, index);
}

std::uint32_t SetWindowLongA(WindowHandle window, int index, std::uint32_t value) {
    Active().count(Call::SetWindowLongA);
    return Active().setWindowLong(window, index, value);
}

// ---- launching: profiles, child processes, the log file, the window class ----

std::string GetCommandLineA() {
    Active().count(Call::GetCommandLineA);
    return Active().commandLine();
}

bool CreateProcessA(const std::string& applicationName, const std::string& commandLine,
                    const std::string& currentDirectory, std::uint32_t creationFlags, ProcessInformation& info) {
    Active().count(Call::CreateProcessA);
    return Active().createProcess(applicationName, commandLine, currentDirectory, creationFlags, info);
}

std::uint32_t ResumeThread(KernelHandle thread) {
    Active().count(Call::ResumeThread);
    return Active().resumeThread(thread);
}

bool TerminateProcess(KernelHandle process, std::uint32_t exitCode) {
    Active().count(Call::TerminateProcess);
    return Active().terminateProcess(process, exitCode);
}

KernelHandle CreateJobObjectW() {
    Active().count(Call::CreateJobObjectW);
    return Active().createJob();
}

bool AssignProcessToJobObject(KernelHandle job, KernelHandle process) {
    Active().count(Call::AssignProcessToJobObject);
    return Active().assignToJob(job, process);
}

bool QueryInformationJobObject(KernelHandle job, JobProcessIds& processes) {
    Active().count(Call::QueryInformationJobObject);
    return Active().queryJob(job, processes);
}

std::uint32_t GetLastError() {
    Active().count(Call::GetLastError);
    return Active().lastError();
}

// The texts Wine's system message table gives for the codes the simulated desktop sets.
std::string FormatMessageA(std::uint32_t errorCode) {
    Active().count(Call::FormatMessageA);
    switch (errorCode) {
        case 2: return "File not found.";
        case 3: return "Path not found.";
        case 5: return "Access denied.";
        case 6: return "Invalid handle.";
        case 32: return "Sharing violation.";
        case 50: return "Not supported.";
        case 112: return "Disk full.";
        case 183: return "File already exists.";
        default: return "";
    }
}

bool WriteFile(KernelHandle file, const void* buffer, std::uint32_t bytesToWrite, std::uint32_t& bytesWritten) {
    Active().count(Call::WriteFile);
    return Active().writeFile(file, buffer, bytesToWrite, bytesWritten);
}

bool FlushFileBuffers(KernelHandle) {
    Active().count(Call::FlushFileBuffers);
    return true;
}

bool MoveFileExW(const std::string& from, const std::string& to, std::uint32_t flags) {
    Active().count(Call::MoveFileExW);
    return Active().moveFile(from, to, flags);
}

bool DeleteFileW(const std::string& path) {
    Active().count(Call::DeleteFileW);
    return Active().deleteFile(path);
}

bool ReplaceFileW(const std::string& replaced, const std::string& replacement, std::uint32_t flags) {
    Active().count(Call::ReplaceFileW);
    return Active().replaceFile(replaced, replacement, flags);
}

std::string GetFullPathNameW(const std::string& path) {
    Active().count(Call::GetFullPathNameW);
    return Active().fullPath(path);
}

bool SetCurrentDirectoryW(const std::string& path) {
    Active().count(Call::SetCurrentDirectoryW);
    return Active().setCurrentDirectory(path);
}

std::string GetModuleFileNameW() {
    Active().count(Call::GetModuleFileNameW);
    return Active().exePath();
}

bool GetFileInformationByHandle(KernelHandle file, FileIdentity& identity) {
    Active().count(Call::GetFileInformationByHandle);
    return Active().fileIdentity(file, identity);
}

bool GetCPInfo(std::uint32_t codePage, CodePageInfo& info) {
    Active().count(Call::GetCPInfo);
    return Active().codePageInfo(codePage, info);
}

// The virtual clock, seen from a system that has been up for a while.
std::uint32_t GetTickCount() {
    Active().count(Call::GetTickCount);
    return static_cast<std::uint32_t>(5000000 + Active().now());
}

LocalTime GetLocalTime() {
    Active().count(Call::GetLocalTime);
    return {2026, 12, 8, 9, 5, 3};
}

int GetClassNameA(WindowHandle window, char* buffer, int maxCount) {
    Active().count(Call::GetClassNameA);
    return Active().className(window, buffer, maxCount);
}

// ---- around the window while the program runs ----

WindowHandle GetForegroundWindow() {
    Active().count(Call::GetForegroundWindow);
    return Active().foreground();
}

WindowHandle GetAncestor(WindowHandle window, std::uint32_t flags) {
    Active().count(Call::GetAncestor);
    return flags == kGaRootOwner ? Active().rootOwner(window) : 0;
}

bool IsWindow(WindowHandle window) {
    Active().count(Call::IsWindow);
    return Active().windowExists(window);
}

bool GetWindowInfo(WindowHandle window, WindowInfo& info) {
    Active().count(Call::GetWindowInfo);
    return Active().windowInfo(window, info);
}

bool GetClipCursor(Rect& rect) {
    Active().count(Call::GetClipCursor);
    rect = Active().clipCursor();
    return true;
}

bool ClipCursor(const Rect* rect) {
    Active().count(Call::ClipCursor);
    Active().setClip(rect);
    return true;
}

bool RegisterHotKey(std::uint32_t id, std::uint32_t modifiers, std::uint32_t key) {
    Active().count(Call::RegisterHotKey);
    return Active().registerHotkey(id, modifiers, key);
}

bool UnregisterHotKey(std::uint32_t id) {
    Active().count(Call::UnregisterHotKey);
    return Active().unregisterHotkey(id);
}

std::uint32_t MsgWaitForMultipleObjects(KernelHandle handle, std::uint32_t milliseconds) {
    Active().count(Call::MsgWaitForMultipleObjects);
    return Active().waitForProcessOrMessage(handle, milliseconds);
}

bool PeekMessageA(QueuedMessage& message) {
    Active().count(Call::PeekMessageA);
    return Active().peekMessage(message);
}

void DispatchMessageA(const QueuedMessage&) { Active().count(Call::DispatchMessageA); }

bool MessageBeep(std::uint32_t type) {
    Active().count(Call::MessageBeep);
    Active().beep(type);
    return true;
}

bool OpenClipboard(WindowHandle) {
    Active().count(Call::OpenClipboard);
    return Active().openClipboard();
}

bool EmptyClipboard() {
    Active().count(Call::EmptyClipboard);
    return Active().emptyClipboard();
}

bool SetClipboardData(const std::string& text) {
    Active().count(Call::SetClipboardData);
    return Active().setClipboardText(text);
}

bool CloseClipboard() {
    Active().count(Call::CloseClipboard);
    return Active().closeClipboard();
}

// ---- the surround ----

GdiHandle CreateSolidBrush(std::uint32_t colorRef) {
    Active().count(Call::CreateSolidBrush);
    return Active().createBrush(colorRef);
}

bool DeleteObject(GdiHandle object) {
    Active().count(Call::DeleteObject);
    return Active().deleteObject(object);
}

bool RegisterClassExA(const std::string& className, GdiHandle brush) {
    Active().count(Call::RegisterClassExA);
    return Active().registerClass(className, brush);
}

bool UnregisterClassA(const std::string& className) {
    Active().count(Call::UnregisterClassA);
    return Active().unregisterClass(className);
}

WindowHandle CreateWindowExA(std::uint32_t exStyle, const std::string& className, const std::string& title,
                             std::uint32_t style, int x, int y, int cx, int cy) {
    Active().count(Call::CreateWindowExA);
    return Active().createOwnWindow(exStyle, className, title, style, {x, y, x + cx, y + cy});
}

bool DestroyWindow(WindowHandle window) {
    Active().count(Call::DestroyWindow);
    return Active().destroyOwnWindow(window);
}

bool SetForegroundWindow(WindowHandle window) {
    Active().count(Call::SetForegroundWindow);
    if (!Active().windowExists(window)) return false;
    Active().activate(window);
    return true;
}

}  // namespace platform
