// A simulated Win32 desktop behind the platform seam, for tests.
//
// It models what the launcher touches: top-level windows in Z-order (title, owning
// process, outer rectangle, a border that keeps its size when the window is resized,
// optional minimum and maximum sizes), processes with a lifetime in virtual
// milliseconds, an exit code and administrator rights or none, a virtual clock advanced only by Sleep and by
// waits, message boxes captured in order and dismissed at once, an in-memory file
// system, the working directory, the locale's separators, open handles, the
// foreground window, the cursor clip, minimised and topmost windows and their
// owners, system-wide hot keys, the launcher's message queue, the clipboard's text,
// the launcher's own windows (shown or hidden, in the Z-order with the others) with
// their classes, brushes and procedures, messages between the launcher's windows and
// others', the window-creation events, a folder's files listed and its changes
// signalled, and a counter for every platform call.
//
// Behaviour follows Win32: paths compare without case, with repeated separators
// read as one, "." and ".." resolved and trailing dots and blanks dropped, and a
// file's identity survives every name it is opened by; a window's client area shrinks with it; windows vanish when their
// process ends; calls on a vanished window fail; a program's window comes up in
// front; the foreground passing to another process frees the cursor; as under
// Wine, a window placed right after an ordinary one leaves the topmost band while
// one placed after a topmost window keeps its own bit, and HWND_NOTOPMOST moves
// only a topmost window (to the top of the ordinary ones); a click
// activates the window under it unless that window does not activate; a program
// that runs as administrator keeps its token and windows from a launcher that does not.
//
// One Desktop exists at a time; constructing it makes it the one the platform
// functions act on. Its members are grouped as the seam's headers are; in each
// group come the set-up, what the user and other programs do, what a test reads,
// and last the calls the fake's platform functions (tests/support/fake_*.cpp) make.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/displays.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/notification_area.h"
#include "platform/processes.h"
#include "platform/text.h"
#include "platform/windows.h"
#include "tests/support/desktop_builders.h"

namespace fake {

using platform::Rect;
using platform::WindowHandle;

// Every platform function, grouped as the seam's headers are.
enum class Call {
    // processes
    CreateProcessA, ResumeThread, TerminateProcess, GetExitCodeProcess, ExitProcess, GetCommandLineA,
    GetCurrentProcessId, OpenProcess, GetProcessTimes, GetSystemTimeAsFileTime, QueryFullProcessImageNameW,
    GetCurrentProcess, GetTokenElevation,
    CreateMutexW, CreateEventW, OpenMutexW, SetEvent, WaitForMultipleObjects,
    CreateJobObjectW, AssignProcessToJobObject, QueryInformationJobObject,
    WaitForSingleObject, Sleep, GetTickCount, GetLocalTime, timeBeginPeriod, timeEndPeriod,
    CloseHandle, GetLastError,
    // windows
    FindWindowA, GetWindow, IsWindow, GetWindowTextA, GetClassNameA, GetWindowThreadProcessId,
    GetAncestor, GetWindowRect, GetClientRect, GetWindowInfo, GetWindowLongA, SetWindowLongA,
    SetWindowPos, GetForegroundWindow, SetForegroundWindow,
    SetWindowCreationHook, UnhookWinEvent, TakeCreatedWindow,
    CreateSolidBrush, DeleteObject, RegisterClassExA, UnregisterClassA, CreateWindowExA, DestroyWindow,
    SetWindowTextA, PostMessageA, SendCopyData,
    // displays
    GetSystemMetrics, EnumDisplayMonitors, GetMonitorInfoA, MonitorFromWindow, MonitorFromRect,
    // input
    GetClipCursor, ClipCursor, RegisterHotKey, UnregisterHotKey,
    MsgWaitForMultipleObjects, PeekMessageA, DispatchMessageA, MessageBeep,
    // files
    GetFileAttributesW, CreateFileW, ReadFile, WriteFile, FlushFileBuffers, GetFileInformationByHandle,
    MoveFileExW, DeleteFileW, ReplaceFileW,
    GetFullPathNameW, GetCurrentDirectoryW, SetCurrentDirectoryW, GetModuleFileNameW, GetLongPathNameW,
    FindFilesW, FindFirstChangeNotificationW, FindNextChangeNotification, FindCloseChangeNotification,
    // text
    GetCPInfo, GetThreadLocale, GetLocaleInfoA, CompareStringOrdinal, AnsiToUtf8, FormatMessageA, OutputDebugStringA,
    MessageBoxA,
    // the clipboard
    OpenClipboard, EmptyClipboard, SetClipboardData, CloseClipboard,
    // the shell
    ShellExecuteExW,
    // the registry
    ReadUserRegistryText, WriteUserRegistryText, DeleteUserRegistryValue,
    // the notification area
    AddNotifyIcon, SetNotifyIconTip, ShowNotifyBalloon, DeleteNotifyIcon, RegisterWindowMessageA, ShowPopupMenu,
    Count
};
const char* CallName(Call call);

// Thrown by ExitProcess so a test can see the launcher end on the spot. It is not
// one of the launcher's exception classes, so nothing in the launcher catches it.
struct ProcessExit {
    std::uint32_t exitCode;
};

struct MessageBoxRecord {
    std::string text;
    std::string caption;
    std::uint32_t type;
    std::int64_t shownAtMs;
};

struct LaunchRecord {
    std::string applicationName;
    std::string commandLine;
    std::string currentDirectory;
    std::uint32_t creationFlags = 0;
};

struct ShellExecution {
    std::string verb, file, parameters, directory;
};

// An icon of the launcher's in the notification area.
struct NotifyIcon {
    WindowHandle window = 0;
    std::uint32_t callbackMessage = 0;
    std::string tip;
    std::vector<std::string> balloons;  // "title: text", in order
};

// A message the launcher posted or sent to another program's window.
struct MessageToOther {
    WindowHandle window;
    std::uint32_t message;
    std::uintptr_t copyDataKind;
    std::string copyData;
};

struct FileOpenRecord {
    std::string path;
    std::uint32_t access, shareMode, disposition, flags;
};

class Desktop;
// The desktop the platform functions act on now.
Desktop& Active();

class Desktop {
public:
    Desktop();
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // ---- the clock, scheduled actions and the call counter ----
    // Runs an action when the virtual clock reaches the given time.
    void at(std::int64_t ms, std::function<void()> action);
    // Runs an action right before the next call of the given kind, once.
    void beforeNext(Call call, std::function<void()> action);
    std::int64_t now() const { return clockMs_; }
    std::uint64_t calls(Call call) const { return callCounts_[static_cast<int>(call)]; }
    std::uint64_t totalCalls() const;
    void resetCallCounts();
    void count(Call call);
    void advanceTo(std::int64_t ms);
    std::uint32_t lastError() const { return lastError_; }

    // ---- processes ----
    Desktop& program(const std::string& path, ProgramSpec description);
    // The launcher's own command line (GetCommandLineA).
    Desktop& commandLine(std::string line);
    // The launcher runs inside a job that forbids assigning its children to another.
    Desktop& jobsRefused();
    const std::vector<LaunchRecord>& launches() const { return launches_; }
    // timeBeginPeriod and timeEndPeriod calls, in order, as "begin 1" / "end 1".
    const std::vector<std::string>& timerPeriodCalls() const { return timerPeriodCalls_; }
    // CloseHandle calls, in order, as the handles passed.
    const std::vector<std::uint32_t>& closedHandles() const { return closedHandles_; }
    int openHandleCount() const { return static_cast<int>(openHandles_.size()); }
    // The launched process's identifier and its main handles.
    std::uint32_t lastLaunchedPid() const { return lastPid_; }
    // The window handle that a program's n-th window got, once it exists.
    WindowHandle windowOfLastLaunch(std::size_t index = 0) const;
    // The identifier of the latest process started from this program file (0: none).
    std::uint32_t pidOf(const std::string& programPath) const;
    static constexpr std::uint32_t kLauncherPid = 600;  // the launcher's own process
    // A program started by the user or another program, not by the launcher: its
    // windows come as the description says; `startedMsAgo` puts its creation time
    // that far before now. Returns its process identifier.
    std::uint32_t startElsewhere(const std::string& path, ProgramSpec description, std::int64_t startedMsAgo = 0);
    // Another program (another Framewright) holds a mutex of that name, or sets an
    // event of that name, making it when there is none.
    Desktop& mutexHeldElsewhere(const std::string& name);
    void setEventElsewhere(const std::string& name);
    bool namedObjectExists(const std::string& name) const { return namedObjects_.count(name) != 0; }
    // The launcher runs as administrator (its programs then do too); the user
    // declines the system's prompt for those rights.
    Desktop& launcherElevated();
    Desktop& elevationDeclined();
    // ShellExecuteExW calls, in order; one that is not declined starts nothing here.
    const std::vector<ShellExecution>& shellExecutions() const { return shellExecutions_; }
    static constexpr std::uint32_t kLauncherProcess = 0xFFFFFFFFu;  // GetCurrentProcess's pseudo handle
    bool createProcess(const std::string& app, const std::string& cmd, const std::string& dir,
                       std::uint32_t flags, platform::ProcessInformation& info);
    std::uint32_t resumeThread(std::uint32_t thread);
    bool terminateProcess(std::uint32_t handle, std::uint32_t code);
    std::uint32_t createJob();
    bool assignToJob(std::uint32_t job, std::uint32_t process);
    bool queryJob(std::uint32_t job, platform::JobProcessIds& processes);
    std::string commandLine() const { return commandLine_; }
    std::uint32_t openProcess(std::uint32_t pid);
    bool creationTime(std::uint32_t handle, std::uint64_t& time) const;
    std::uint64_t fileTimeNow() const;
    std::uint32_t createNamed(const std::string& name, bool isEvent, bool& existed);
    std::uint32_t openMutex(const std::string& name);
    bool setEvent(std::uint32_t handle);
    bool imageName(std::uint32_t handle, std::string& path) const;
    // As the system answers: a process of higher rights than the launcher's keeps its token to itself.
    bool tokenElevation(std::uint32_t handle, bool& elevated);
    bool shellExecute(ShellExecution execution);
    // Process handles are signalled when the process has ended, events when set; with
    // `queue`, a message in the launcher's queue answers kWaitObject0 + count.
    std::uint32_t waitForObjects(const std::uint32_t* handles, std::uint32_t count, std::uint32_t ms, bool queue);
    bool exitCodeOf(std::uint32_t handle, std::uint32_t& code);
    bool closeHandle(std::uint32_t handle);
    void timerPeriod(bool begin, std::uint32_t period);

    // ---- windows ----
    // A window of some other program, placed at the top of the Z-order now.
    WindowHandle addWindow(WindowSpec description);
    void destroyWindow(WindowHandle window);
    void moveWindow(WindowHandle window, int left, int top, int width, int height);
    void raiseWindow(WindowHandle window);
    // What the user does: brings a window to the front (0: the desktop itself),
    // minimises a window (it keeps the foreground, as with SW_SHOWMINNOACTIVE) and
    // restores it to the front.
    void activate(WindowHandle window);
    void minimise(WindowHandle window);
    void restore(WindowHandle window);
    // What a program does to put its frame back: a new style, then a frame change.
    void setWindowStyle(WindowHandle window, std::uint32_t style);
    std::vector<std::uint32_t> setWindowPosFlags() const { return setWindowPosFlags_; }
    bool windowExists(WindowHandle window) const;
    Rect windowRect(WindowHandle window) const;
    WindowHandle foreground() const { return foreground_; }
    bool isTopmost(WindowHandle window) const;
    // Whether a window is shown; the window right below one in the Z-order (0: none).
    bool isVisible(WindowHandle window) const;
    WindowHandle windowBelow(WindowHandle window) const { return nextWindow(window); }
    bool isAbove(WindowHandle upper, WindowHandle lower) const;
    std::uint32_t windowStyle(WindowHandle window) const;
    std::uint32_t windowExStyle(WindowHandle window) const;
    WindowHandle topWindow() const;
    WindowHandle nextWindow(WindowHandle window) const;
    int windowText(WindowHandle window, char* buffer, int maxCount) const;
    int className(WindowHandle window, char* buffer, int maxCount) const;
    std::uint32_t windowProcess(WindowHandle window, std::uint32_t& pid) const;
    WindowHandle rootOwner(WindowHandle window) const;
    bool windowRect(WindowHandle window, Rect& rect) const;
    bool clientRect(WindowHandle window, Rect& rect) const;
    bool windowInfo(WindowHandle window, platform::WindowInfo& info) const;
    std::uint32_t windowLong(WindowHandle window, int index) const;
    std::uint32_t setWindowLong(WindowHandle window, int index, std::uint32_t value);
    bool setWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                      std::uint32_t flags);
    WindowHandle findWindowOfClass(const std::string& className) const;
    bool setWindowText(WindowHandle window, const std::string& text);

    // ---- window-creation events ----
    // Whether the launcher's hook is set. Each window another process creates then
    // comes as an event while the launcher takes its messages, as the system's
    // out-of-context events do.
    bool creationHookSet() const { return hook_ != 0; }
    std::uint32_t setCreationHook();
    bool unhook(std::uint32_t hook);
    bool takeCreated(WindowHandle& window);

    // ---- the launcher's own windows ----
    // The launcher's own windows, top first; a window's class brush's colour.
    std::vector<WindowHandle> launcherWindows() const;
    std::uint32_t brushColourOf(WindowHandle window) const;
    // Brushes not yet deleted and window classes still registered.
    std::size_t liveBrushes() const { return brushes_.size(); }
    std::size_t registeredClasses() const { return classes_.size(); }
    std::uint32_t createBrush(std::uint32_t colorRef);
    bool deleteObject(std::uint32_t object);
    bool registerClass(const std::string& name, std::uint32_t brush);
    bool unregisterClass(const std::string& name);
    WindowHandle createOwnWindow(std::uint32_t exStyle, const std::string& className, const std::string& title,
                                 std::uint32_t style, const Rect& rect);
    bool destroyOwnWindow(WindowHandle window);

    // ---- messages between windows ----
    // What another program does: sends WM_COPYDATA to a window of the launcher's, or
    // posts a message to it. A sent message reaches the window's procedure while the
    // launcher takes its messages; a posted one comes through the queue.
    void sendCopyDataElsewhere(WindowHandle window, std::uintptr_t kind, std::string bytes);
    void postElsewhere(WindowHandle window, std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
    // What the launcher posted and sent to other programs' windows, in order.
    const std::vector<MessageToOther>& messagesToOthers() const { return messagesToOthers_; }
    bool registerClass(const std::string& name, platform::WindowProcedure procedure);
    bool postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    bool sendCopyData(WindowHandle window, std::uintptr_t kind, const std::string& bytes);
    // DispatchMessageA: to the procedure of the window's class, DefWindowProcA's part
    // (WM_CLOSE destroys the window) when it leaves the message.
    void dispatch(const platform::QueuedMessage& message);

    // ---- the notification area ----
    // The icons there; the menus shown, each one's items, in order.
    const std::vector<NotifyIcon>& notifyIcons() const { return notifyIcons_; }
    const std::vector<std::vector<platform::MenuItem>>& menusShown() const { return menusShown_; }
    // What the user picks in each menu shown from now on, in order; a menu with
    // nothing queued is closed with a click elsewhere (0).
    Desktop& chooseInMenu(std::uint32_t command);
    // The shell starts again: its icons are gone, and every window of the
    // launcher's gets the "TaskbarCreated" message in its queue.
    void restartShell();
    bool addNotifyIcon(WindowHandle window, std::uint32_t callbackMessage, const std::string& tip);
    NotifyIcon* notifyIconOf(WindowHandle window);
    bool deleteNotifyIcon(WindowHandle window);
    std::uint32_t registerWindowMessage(const std::string& name);
    std::uint32_t showPopupMenu(const std::vector<platform::MenuItem>& items);

    // ---- displays ----
    Desktop& display(int width, int height);
    // The primary display is "\\.\DISPLAY1" at 0, 0 with the size of display();
    // more displays follow it in the system's order, monitor handles counting from 1.
    Desktop& addDisplay(std::string device, int left, int top, int width, int height);
    int systemMetric(int index) const;
    std::vector<platform::MonitorHandle> monitors() const;
    bool monitorInfo(platform::MonitorHandle monitor, platform::MonitorInfo& info) const;
    platform::MonitorHandle monitorOfWindow(WindowHandle window, std::uint32_t flags) const;
    platform::MonitorHandle monitorOfRect(const Rect& rect, std::uint32_t flags) const;

    // ---- input ----
    // What the user does: presses a combination of keys.
    void pressKeys(std::uint32_t modifiers, std::uint32_t key);
    // A click of the left button on a window: a window of the launcher's gets the
    // button's message in the launcher's queue.
    void click(WindowHandle window);
    // Another program confines the cursor (a null rectangle frees it), or holds a
    // combination of keys for itself.
    void clipByAnotherProgram(const Rect* rect);
    Desktop& hotkeyTakenByAnotherProgram(std::uint32_t modifiers, std::uint32_t key);
    // The rectangle the cursor is confined to; false when it is free.
    bool cursorClip(Rect& rect) const;
    // MessageBeep calls, in order, as their sound types.
    const std::vector<std::uint32_t>& beeps() const { return beeps_; }
    // Hot keys the launcher holds now.
    std::size_t hotkeysHeld() const { return hotkeys_.size(); }
    Rect clipCursor() const;
    void setClip(const Rect* rect);
    bool registerHotkey(std::uint32_t id, std::uint32_t modifiers, std::uint32_t key);
    bool unregisterHotkey(std::uint32_t id);
    bool peekMessage(platform::QueuedMessage& message);
    void beep(std::uint32_t type) { beeps_.push_back(type); }

    // ---- files ----
    Desktop& workingDirectory(std::string path);
    Desktop& directory(const std::string& path);
    Desktop& file(const std::string& path, std::string content);
    // A file that another process holds open for writing.
    Desktop& fileHeldForWriting(const std::string& path, std::string content);
    Desktop& removeFile(const std::string& path);
    // The short (8.3) name by which the file can be opened too, such as "FRAMEW~1.INI".
    Desktop& shortName(const std::string& path, const std::string& alias);
    // Every write fails as on a full disk.
    Desktop& diskFull();
    Desktop& exePath(std::string path);
    // A new file has the archive attribute and the virtual clock's time as its
    // creation time; a rename brings the moved file's, a replacement keeps them.
    Desktop& setFileAttributes(const std::string& path, std::uint32_t attributes);
    std::int64_t fileCreatedAt(const std::string& path) const;
    Desktop& replaceFileUnsupported();  // as some network shares refuse it
    const std::vector<FileOpenRecord>& fileOpens() const { return fileOpens_; }
    std::string fileContent(const std::string& path) const;
    std::string currentDirectory() const { return cwd_; }
    std::uint32_t fileAttributes(const std::string& path) const;
    std::uint32_t openFile(const std::string& path, std::uint32_t access, std::uint32_t share,
                           std::uint32_t disposition, std::uint32_t flags);
    bool readFile(std::uint32_t handle, void* buffer, std::uint32_t size, std::uint32_t& read);
    bool writeFile(std::uint32_t handle, const void* buffer, std::uint32_t size, std::uint32_t& written);
    bool fileIdentity(std::uint32_t handle, platform::FileIdentity& identity);
    bool moveFile(const std::string& from, const std::string& to, std::uint32_t flags);
    bool replaceFile(const std::string& replaced, const std::string& replacement, std::uint32_t flags);
    bool deleteFile(const std::string& path);
    std::string fullPath(const std::string& path) const;
    std::string longPath(const std::string& path);
    // The files of a folder in the order they were made; a pattern is "*" and a suffix.
    bool findFiles(const std::string& folder, const std::string& pattern, std::vector<std::string>& names);
    // Change notifications: signalled by a file made, renamed or deleted in the folder
    // (kFileNotifyChangeFileName) or written there (kFileNotifyChangeLastWrite).
    std::uint32_t watchFolder(const std::string& folder, std::uint32_t filter);
    bool nextChange(std::uint32_t handle);
    bool closeChange(std::uint32_t handle);
    std::size_t folderWatches() const { return changeWatches_.size(); }
    bool setCurrentDirectory(const std::string& path);
    std::string exePath() const { return exePath_; }

    // ---- text ----
    Desktop& localeSeparators(std::string decimal, std::string thousands);
    Desktop& localeUnreadable();
    // The system's ANSI code page: 1252 (the default), or the double-byte 932, 936,
    // 949 or 950.
    Desktop& ansiCodePage(std::uint32_t codePage);
    // How long each message box stays open, in virtual milliseconds.
    Desktop& boxesStayOpenFor(std::int64_t ms);
    const std::vector<MessageBoxRecord>& boxes() const { return boxes_; }
    std::vector<std::string> boxTexts() const;
    bool codePageInfo(std::uint32_t codePage, platform::CodePageInfo& info);
    // Whether the byte starts a two-byte character of the ANSI code page: the system
    // reads a path in UTF-16, where that character's second byte is no separator.
    bool isLeadByte(char c) const;
    bool localeInfo(std::uint32_t type, std::string& value) const;
    int messageBox(const std::string& text, const std::string& caption, std::uint32_t type);

    // ---- the clipboard ----
    // Another program holds the clipboard open, so opening it is refused.
    Desktop& clipboardHeldElsewhere();
    // The text on the clipboard (empty: none), and whether it is still open.
    const std::string& clipboardText() const { return clipboardText_; }
    bool clipboardOpen() const { return clipboardOpen_; }
    bool openClipboard();
    bool emptyClipboard();
    bool setClipboardText(const std::string& text);
    bool closeClipboard();

    // ---- the registry ----
    // The current user's string values, by key path and value name (both without case,
    // as the registry compares them); empty: none.
    std::string registryValue(const std::string& key, const std::string& name) const;
    Desktop& setRegistryValue(const std::string& key, const std::string& name, const std::string& text);
    bool deleteRegistryValue(const std::string& key, const std::string& name);

    // The desktop's records of its windows, processes and files
    // (tests/support/desktop_records.h).
    struct Window;
    struct Process;
    struct FileEntry;
    struct OpenFile;

private:
    // ---- the clock, scheduled actions and the call counter ----
    void runDueActions();
    bool fail(std::uint32_t error);
    std::int64_t clockMs_ = 0;
    std::uint32_t nextHandle_ = 0x40;
    std::uint32_t lastError_ = 0;
    std::multimap<std::int64_t, std::function<void()>> actions_;
    std::vector<std::function<void()>> beforeNext_[static_cast<int>(Call::Count)];
    std::uint64_t callCounts_[static_cast<int>(Call::Count)] = {};

    // ---- processes ----
    void endProcess(Process& process);
    void endProcessesWaitingFor(const std::string& event);
    void startProcess(Process& process);
    Process* spawn(const std::string& path, std::uint32_t job);
    std::uint32_t nextPid_ = 1000;
    std::uint32_t lastPid_ = 0;
    std::map<std::string, ProgramSpec> programs_;
    std::vector<Process*> processes_;
    std::map<std::uint32_t, std::uint32_t> openedProcesses_;  // a handle from OpenProcess, to its pid
    Process* processOf(std::uint32_t handle) const;
    struct NamedObject {
        bool isEvent = false;
        bool signalled = false;
        int holders = 0;  // open handles, and other programs holding it
    };
    std::map<std::string, NamedObject> namedObjects_;
    std::map<std::uint32_t, std::string> namedHandles_;  // a handle to the object's name
    std::uint32_t newHandle(const char* kind);
    std::map<std::uint32_t, std::string> openHandles_;
    std::vector<LaunchRecord> launches_;
    std::vector<std::string> timerPeriodCalls_;
    std::vector<std::uint32_t> closedHandles_;
    std::string commandLine_ = "\"C:\\Tools\\framewright.exe\" ";
    bool jobsRefused_ = false;
    bool launcherElevated_ = false, elevationDeclined_ = false;
    std::vector<ShellExecution> shellExecutions_;

    // ---- windows ----
    Window* find(WindowHandle window);
    const Window* find(WindowHandle window) const;
    WindowHandle createWindow(const WindowSpec& description, std::uint32_t pid, WindowHandle owner = 0);
    std::size_t topmostCount() const;
    void renumberZOrder();
    void placeAfter(Window& window, WindowHandle insertAfter);
    void applyFrame(Window& window);
    // A window of a process that runs as administrator, out of reach of a launcher that does not.
    bool outOfReach(const Window& window);
    std::uint32_t nextWindow_ = 0x100;
    std::vector<Window*> zOrder_;  // top first; owned by windows_
    std::map<WindowHandle, Window*> windows_;
    std::vector<std::uint32_t> setWindowPosFlags_;
    WindowHandle foreground_ = 0;

    // ---- the launcher's own windows ----
    std::map<std::uint32_t, std::uint32_t> brushes_;  // handle to colour
    std::map<std::string, std::uint32_t> classes_;    // name to brush
    std::map<std::string, platform::WindowProcedure> procedures_;
    struct SentMessage {
        WindowHandle window;
        std::uintptr_t kind;
        std::string bytes;
    };
    std::vector<SentMessage> sentToLauncher_;
    std::vector<MessageToOther> messagesToOthers_;
    bool callProcedure(const platform::WindowMessage& message);
    // Sent messages and creation events are handled as the launcher takes its messages.
    void deliverSentAndEvents();
    bool anythingForTheQueue() const;
    std::uint32_t hook_ = 0;
    std::vector<WindowHandle> createdPending_, createdNoted_;

    // ---- displays ----
    Rect virtualScreen() const;
    struct DisplayEntry {
        std::string device;
        Rect rect;
    };
    int displayWidth_ = 1920, displayHeight_ = 1080;
    std::vector<DisplayEntry> extraDisplays_;

    // ---- input ----
    bool clipped_ = false;
    Rect clip_;
    struct Hotkey {
        std::uint32_t modifiers, key;
    };
    std::map<std::uint32_t, Hotkey> hotkeys_;  // the launcher's, by id
    std::vector<Hotkey> takenHotkeys_;
    std::vector<platform::QueuedMessage> queue_;
    std::vector<std::uint32_t> beeps_;

    // ---- files ----
    std::string normalised(const std::string& path) const;
    platform::FileIdentity identityOf(const std::string& normalised, const FileEntry* entry) const;
    std::uint32_t createForWriting(const std::string& path, std::uint32_t disposition);
    std::string cwd_ = "C:\\Games";
    std::map<std::string, FileEntry*> files_;
    std::uint64_t nextFileSerial_ = 0;
    struct ChangeWatch {
        std::string folder;  // normalised
        std::uint32_t filter;
        bool signalled = false;
    };
    std::map<std::uint32_t, ChangeWatch> changeWatches_;
    void noteChange(const std::string& normalised, std::uint32_t kind);
    void nameEntry(const std::string& path, FileEntry* entry);
    std::map<std::string, std::string> aliases_;  // short name to long, both normalised
    std::map<std::uint32_t, OpenFile*> openFiles_;
    std::vector<FileOpenRecord> fileOpens_;
    bool diskFull_ = false;
    bool replaceUnsupported_ = false;
    std::string exePath_ = "C:\\Program Files\\Framewright\\framewright-setup.exe";

    // ---- text ----
    std::string decimal_ = ".", thousands_ = ",";
    bool localeReadable_ = true;
    std::uint32_t ansiCodePage_ = 1252;
    std::int64_t boxOpenMs_ = 0;
    std::vector<MessageBoxRecord> boxes_;

    // ---- the clipboard ----
    bool clipboardHeld_ = false;
    bool clipboardOpen_ = false;
    std::string clipboardText_;

    // ---- the notification area ----
    std::vector<NotifyIcon> notifyIcons_;
    std::vector<std::vector<platform::MenuItem>> menusShown_;
    std::vector<std::uint32_t> menuChoices_;
    std::map<std::string, std::uint32_t> registeredMessages_;

    // ---- the registry ----
    std::map<std::string, std::string> registry_;  // upper-cased "key\\name" to its text
};

}  // namespace fake
