// The Win32 operations the launcher uses, in the project's own types.
//
// Two implementations exist: platform/win32 calls the real system (and is the only
// code that includes <windows.h>); tests/support holds a simulated desktop with the
// same behaviour. The build picks one; the logic never knows which.
//
// Conventions kept by both implementations:
// - Handles are 32-bit values. A window handle of all bits set means "no window";
//   0 is what the window walk returns at its end.
// - Text is 8-bit ANSI. Text is passed as std::string, so a null pointer never
//   reaches the system: empty text arrives there as an empty string.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

using WindowHandle = std::uint32_t;
using KernelHandle = std::uint32_t;

constexpr WindowHandle kNoWindow = 0xFFFFFFFFu;
constexpr KernelHandle kInvalidHandle = 0xFFFFFFFFu;  // INVALID_HANDLE_VALUE

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const Rect& o) const { return !(*this == o); }
};

struct ProcessInformation {
    KernelHandle process = 0;
    KernelHandle thread = 0;
    std::uint32_t processId = 0;
    std::uint32_t threadId = 0;
};

// Win32 constants, with their documented values.
constexpr std::uint32_t kWaitObject0 = 0;
constexpr std::uint32_t kWaitTimeout = 0x102;
constexpr std::uint32_t kInvalidFileAttributes = 0xFFFFFFFFu;
constexpr std::uint32_t kFileAttributeDirectory = 0x10;
constexpr std::uint32_t kFileAttributeNormal = 0x80;
constexpr std::uint32_t kGenericRead = 0x80000000u;
constexpr std::uint32_t kFileShareRead = 0x1;
constexpr std::uint32_t kOpenExisting = 3;
constexpr std::uint32_t kMbOk = 0x0;
constexpr std::uint32_t kMbIconError = 0x10;
constexpr std::uint32_t kGwHwndNext = 2;
constexpr int kSmCxScreen = 0;
constexpr int kSmCyScreen = 1;
constexpr std::uint32_t kSwpNoSize = 0x1;
constexpr std::uint32_t kSwpNoMove = 0x2;
constexpr std::uint32_t kSwpNoZOrder = 0x4;
constexpr std::uint32_t kSwpNoActivate = 0x10;
constexpr std::uint32_t kLocaleSDecimal = 0x0E;
constexpr std::uint32_t kLocaleSThousand = 0x0F;

// ---- kernel32 ----

// CreateProcessA with the application name, the command line and the current
// directory given; no security attributes, no handle inheritance, creation flags 0,
// the inherited environment, and a zeroed STARTUPINFOA whose size field is set.
// The application name is never searched for on the path.
bool CreateProcessA(const std::string& applicationName, const std::string& commandLine,
                    const std::string& currentDirectory, ProcessInformation& info);
std::uint32_t WaitForSingleObject(KernelHandle handle, std::uint32_t milliseconds);
void Sleep(std::uint32_t milliseconds);
bool GetExitCodeProcess(KernelHandle process, std::uint32_t& exitCode);
bool CloseHandle(KernelHandle handle);
// GetCurrentDirectoryW, converted to the ANSI code page.
std::string GetCurrentDirectoryW();
// GetFileAttributesW on the path converted from the ANSI code page to UTF-16.
std::uint32_t GetFileAttributesW(const std::string& path);
// CreateFileW on the path converted from the ANSI code page to UTF-16.
// Returns kInvalidHandle on failure.
KernelHandle CreateFileW(const std::string& path, std::uint32_t desiredAccess,
                         std::uint32_t shareMode, std::uint32_t creationDisposition,
                         std::uint32_t flagsAndAttributes);
bool ReadFile(KernelHandle file, void* buffer, std::uint32_t bytesToRead,
              std::uint32_t& bytesRead);
std::uint32_t GetThreadLocale();
// GetLocaleInfoA; false when the value cannot be read.
bool GetLocaleInfoA(std::uint32_t locale, std::uint32_t type, std::string& value);
// Ends the process at once. Used only where the launcher must stop on the spot.
[[noreturn]] void ExitProcess(std::uint32_t exitCode);
// Hands a line to the debugger output (the diagnostic build's trace sink).
void OutputDebugStringA(const std::string& text);

// ---- user32 ----

// MessageBoxA with no owner window.
int MessageBoxA(const std::string& text, const std::string& caption, std::uint32_t type);
// FindWindowA with a null class name and a null window name: the top-level window at
// the top of the Z-order, or 0 when there is none.
WindowHandle FindWindowA();
WindowHandle GetWindow(WindowHandle window, std::uint32_t relation);
// Copies at most maxCount - 1 characters and a terminating NUL into buffer;
// returns the number of characters copied (0 on failure).
int GetWindowTextA(WindowHandle window, char* buffer, int maxCount);
// Returns the thread identifier (0 on failure); writes the process identifier only
// when the call succeeds.
std::uint32_t GetWindowThreadProcessId(WindowHandle window, std::uint32_t& processId);
int GetSystemMetrics(int index);
bool GetWindowRect(WindowHandle window, Rect& rect);
bool GetClientRect(WindowHandle window, Rect& rect);
bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                  std::uint32_t flags);

// ---- winmm (loaded at run time from the system directory) ----

std::uint32_t timeBeginPeriod(std::uint32_t period);
std::uint32_t timeEndPeriod(std::uint32_t period);

// ---- user32: displays and window styles ----

using MonitorHandle = std::uint32_t;

// MONITORINFOEXA: the display's rectangle and work area in virtual-screen
// coordinates, its flags, and its device name ("\\.\DISPLAY1", ...).
struct MonitorInfo {
    Rect monitor;
    Rect work;
    std::uint32_t flags = 0;
    std::string device;
};

constexpr std::uint32_t kMonitorInfoPrimary = 0x1;
constexpr std::uint32_t kMonitorDefaultToNearest = 0x2;
constexpr int kGwlStyle = -16;
constexpr int kGwlExStyle = -20;
constexpr std::uint32_t kSwpFrameChanged = 0x20;

// EnumDisplayMonitors with no device context and no clipping rectangle: every
// display's handle, in the order the system gives them.
std::vector<MonitorHandle> EnumDisplayMonitors();
bool GetMonitorInfoA(MonitorHandle monitor, MonitorInfo& info);
// The display with the largest part of the window; with kMonitorDefaultToNearest,
// the nearest one when the window is on none.
MonitorHandle MonitorFromWindow(WindowHandle window, std::uint32_t flags);
// The same for a rectangle in virtual-screen coordinates, such as a window's outer
// rectangle as it was seen once.
MonitorHandle MonitorFromRect(const Rect& rect, std::uint32_t flags);
// The window's style (kGwlStyle) or extended style (kGwlExStyle); 0 on failure.
std::uint32_t GetWindowLongA(WindowHandle window, int index);
// Returns the previous value, 0 on failure. A new frame takes effect only with a
// SetWindowPos that passes kSwpFrameChanged.
std::uint32_t SetWindowLongA(WindowHandle window, int index, std::uint32_t value);
// ---- the setup program: saving a profile, its folder and its arguments ----

constexpr std::uint32_t kGenericWrite = 0x40000000u;
constexpr std::uint32_t kCreateAlways = 2;
constexpr std::uint32_t kMoveFileReplaceExisting = 0x1;
constexpr std::uint32_t kMoveFileWriteThrough = 0x8;

bool WriteFile(KernelHandle file, const void* buffer, std::uint32_t bytesToWrite, std::uint32_t& bytesWritten);
bool FlushFileBuffers(KernelHandle file);
// Both paths converted from the ANSI code page to UTF-16, as for CreateFileW.
bool MoveFileExW(const std::string& from, const std::string& to, std::uint32_t flags);
bool DeleteFileW(const std::string& path);
// ReplaceFileW with no backup file: `replacement` takes the place of `replaced`,
// which keeps its attributes, security and creation time. Fails, changing nothing,
// when `replaced` does not exist, is read-only or held open, or the file system
// refuses the call (kErrorNotSupported, kErrorInvalidFunction).
constexpr std::uint32_t kReplaceFileIgnoreMergeErrors = 0x2;
constexpr std::uint32_t kErrorInvalidFunction = 1;
constexpr std::uint32_t kErrorNotSupported = 50;
bool ReplaceFileW(const std::string& replaced, const std::string& replacement, std::uint32_t flags);
// GetFullPathNameW: the path made absolute against the working directory; empty
// on failure.
std::string GetFullPathNameW(const std::string& path);
bool SetCurrentDirectoryW(const std::string& path);
// GetModuleFileNameW of the running exe.
std::string GetModuleFileNameW();

// ---- launching: profiles, child processes, the log file, the window class ----

// GetCommandLineA: the launcher's own command line, as the system keeps it.
std::string GetCommandLineA();

constexpr std::uint32_t kCreateSuspended = 0x4;
// CreateProcessA as above, with the creation flags given.
bool CreateProcessA(const std::string& applicationName, const std::string& commandLine,
                    const std::string& currentDirectory, std::uint32_t creationFlags,
                    ProcessInformation& info);
std::uint32_t ResumeThread(KernelHandle thread);  // 0xFFFFFFFF on failure
bool TerminateProcess(KernelHandle process, std::uint32_t exitCode);

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

std::uint32_t GetLastError();
// FormatMessageA from the system's message table: the text for an error code,
// without its trailing line end; empty when the system has none.
std::string FormatMessageA(std::uint32_t errorCode);

constexpr std::uint32_t kFileAppendData = 0x4;
constexpr std::uint32_t kFileReadAttributes = 0x80;
constexpr std::uint32_t kFileShareWrite = 0x2;
constexpr std::uint32_t kFileShareDelete = 0x4;
constexpr std::uint32_t kOpenAlways = 4;

// What GetFileInformationByHandle tells of an open file's identity: two handles
// with the same volume serial number and file index are one file, whatever names
// they were opened by (other case, trailing dots, ".", "..", a short 8.3 name).
struct FileIdentity {
    std::uint32_t volumeSerial = 0;
    std::uint64_t fileIndex = 0;
};
// Needs a handle opened with kFileReadAttributes access.
bool GetFileInformationByHandle(KernelHandle file, FileIdentity& identity);

std::uint32_t GetTickCount();
struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
LocalTime GetLocalTime();

// GetCPInfo: the lead-byte ranges of a double-byte code page, as pairs of first and
// last byte ended by a zero (a single-byte code page has none); kCpAcp asks for the
// system's ANSI code page.
constexpr std::uint32_t kCpAcp = 0;
struct CodePageInfo {
    std::uint32_t maxCharSize = 1;
    std::uint8_t leadByte[12] = {};
};
bool GetCPInfo(std::uint32_t codePage, CodePageInfo& info);

// Copies the window's class name, at most maxCount - 1 characters and a NUL;
// returns the number of characters copied (0 on failure).
int GetClassNameA(WindowHandle window, char* buffer, int maxCount);

// ---- around the window while the program runs: foreground, cursor clip, topmost,
// the pause key and the thread's message queue ----

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

constexpr std::uint32_t kGaRootOwner = 3;
constexpr std::uint32_t kWsExTopmost = 0x8;
// SetWindowPos's insert-after values for the topmost band.
constexpr WindowHandle kHwndTopmost = 0xFFFFFFFFu;    // HWND_TOPMOST, (HWND)-1
constexpr WindowHandle kHwndNoTopmost = 0xFFFFFFFEu;  // HWND_NOTOPMOST, (HWND)-2
constexpr std::uint32_t kModAlt = 0x1, kModControl = 0x2, kModShift = 0x4, kModWin = 0x8;
constexpr std::uint32_t kModNoRepeat = 0x4000;
constexpr std::uint32_t kWmHotkey = 0x0312;
constexpr std::uint32_t kMbIconAsterisk = 0x40;
constexpr std::uint32_t kMbIconExclamation = 0x30;

// The window the user works with now; 0 when there is none.
WindowHandle GetForegroundWindow();
// GetAncestor: with kGaRootOwner the end of the window's chain of parents and
// owners (the window itself when it has neither); 0 on failure.
WindowHandle GetAncestor(WindowHandle window, std::uint32_t flags);
bool IsWindow(WindowHandle window);
// GetWindowInfo: the outer rectangle and the client area in screen coordinates, the
// style and the extended style, in one call.
struct WindowInfo {
    Rect outer, client;
    std::uint32_t style = 0, exStyle = 0;
};
bool GetWindowInfo(WindowHandle window, WindowInfo& info);
// The rectangle the cursor is confined to; the whole virtual screen when it is free.
bool GetClipCursor(Rect& rect);
// Confines the cursor to the rectangle (the system cuts it to the screen); a null
// rectangle frees it.
bool ClipCursor(const Rect* rect);

// RegisterHotKey with no window: WM_HOTKEY with the id comes to the thread's queue.
// False when the combination is taken (by another program, or already by this one).
bool RegisterHotKey(std::uint32_t id, std::uint32_t modifiers, std::uint32_t key);
bool UnregisterHotKey(std::uint32_t id);

// One message taken from the thread's queue, whole, so it can be dispatched.
struct QueuedMessage {
    WindowHandle window = 0;
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    std::uint32_t time = 0;
    Point point;
};
// MsgWaitForMultipleObjects on one handle for any input (QS_ALLINPUT): kWaitObject0
// when the handle is signalled, kWaitObject0 + 1 when the thread's queue got
// something since it was last looked at, kWaitTimeout otherwise. Handle 0 waits on
// the queue alone, with the same answers.
std::uint32_t MsgWaitForMultipleObjects(KernelHandle handle, std::uint32_t milliseconds);
// PeekMessageA for any window of the thread and thread messages, with PM_REMOVE.
bool PeekMessageA(QueuedMessage& message);
void DispatchMessageA(const QueuedMessage& message);
// One of the system's sounds (kMbIconAsterisk, kMbIconExclamation, ...).
bool MessageBeep(std::uint32_t type);

// ---- the setup program: the clipboard ----

// OpenClipboard: fails (ERROR_ACCESS_DENIED) while another window holds it open.
bool OpenClipboard(WindowHandle owner);
// EmptyClipboard: drops what the clipboard held; the window that opened it owns it.
bool EmptyClipboard();
// SetClipboardData with CF_UNICODETEXT: the text converted from the ANSI code page
// into memory from GlobalAlloc, which the clipboard owns once the call succeeds.
// This and the others fail (ERROR_CLIPBOARD_NOT_OPEN) unless it is open here.
bool SetClipboardData(const std::string& text);
bool CloseClipboard();

// ---- the surround: a window of the launcher's own, in one colour ----

using GdiHandle = std::uint32_t;

constexpr std::uint32_t kWsPopup = 0x80000000u;
constexpr std::uint32_t kWsVisible = 0x10000000u;
constexpr std::uint32_t kWsMinimize = 0x20000000u;
constexpr std::uint32_t kWsExToolWindow = 0x80;
constexpr std::uint32_t kWsExNoActivate = 0x08000000u;
constexpr std::uint32_t kSwpShowWindow = 0x40;
constexpr std::uint32_t kSwpHideWindow = 0x80;
constexpr std::uint32_t kWmLButtonDown = 0x201, kWmRButtonDown = 0x204, kWmMButtonDown = 0x207;

// A brush of one colour (COLORREF, 0x00BBGGRR); 0 on failure.
GdiHandle CreateSolidBrush(std::uint32_t colorRef);
bool DeleteObject(GdiHandle object);
// RegisterClassExA for windows of the launcher's own: painted with the brush, the
// arrow cursor, and a window procedure that answers WM_MOUSEACTIVATE with
// MA_NOACTIVATE (a click never activates them) and leaves the rest to DefWindowProcA.
// The brush must live until the class is unregistered.
bool RegisterClassExA(const std::string& className, GdiHandle brush);
bool UnregisterClassA(const std::string& className);
// CreateWindowExA of a top-level window of a class registered above: no parent, no
// menu. 0 on failure.
WindowHandle CreateWindowExA(std::uint32_t exStyle, const std::string& className, const std::string& title,
                             std::uint32_t style, int x, int y, int cx, int cy);
// Only a window of the launcher's own thread.
bool DestroyWindow(WindowHandle window);
bool SetForegroundWindow(WindowHandle window);

}  // namespace platform
