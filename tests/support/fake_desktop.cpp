#include "tests/support/fake_desktop.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace fake {

struct Desktop::Window {
    WindowHandle handle;
    std::string title;
    std::uint32_t pid;
    Rect outer;
    int borderWidth, borderHeight;
    int minWidth, minHeight, maxWidth, maxHeight;
    bool refusesPlacement;
    std::string className;
    std::size_t zIndex = 0;  // position in the Z-order, so the walk's next step is O(1)
    std::uint32_t style = 0, exStyle = 0;
    bool refusesStyleChange = false;
    int framedBorderWidth = 0, framedBorderHeight = 0;  // the border while it has a frame
    WindowHandle owner = 0;
    bool minimised = false;
    Rect restored = {};  // its rectangle before it was minimised
};

struct Desktop::Process {
    std::uint32_t pid;
    std::uint32_t processHandle, threadHandle;
    std::int64_t endMs;
    std::uint32_t exitCode;
    bool ended = false;
    std::vector<WindowHandle> windows;
    std::string path;  // normalised
    bool suspended = false;
    std::uint32_t job = 0;
};

struct Desktop::FileEntry {
    bool isDirectory = false;
    bool heldForWriting = false;
    std::string content;
    std::uint32_t attributes = 0x20;  // archive
    std::int64_t createdMs = 0;
};

struct Desktop::OpenFile {
    std::string content;
    std::size_t position = 0;
    FileEntry* writesTo = nullptr;  // opened for writing or appending: the file
    platform::FileIdentity identity;
};

namespace {

Desktop* Current = nullptr;

constexpr std::uint32_t kStillActive = 259;
constexpr std::uint32_t kFileAttributeArchive = 0x20;

// Styles as a program creates them: WS_OVERLAPPEDWINDOW | WS_VISIBLE, and
// WS_POPUP | WS_VISIBLE.
constexpr std::uint32_t kCaptionedStyle = 0x14CF0000u;
constexpr std::uint32_t kPopupStyle = 0x94000000u;
constexpr std::uint32_t kDlgFrame = 0x00400000u, kThickFrame = 0x00040000u;
constexpr std::uint32_t kFrameStyles = 0x00CF0000u;  // caption, sizing frame, system menu, boxes
constexpr std::uint32_t kWindowEdge = 0x100u, kDlgModalFrame = 0x1u, kStaticEdge = 0x20000u;
constexpr std::uint32_t kEdgeExStyles = 0x00020301u;
// The border a bare window gets when a frame is put on it.
constexpr int kDefaultBorderWidth = 16, kDefaultBorderHeight = 39;

// As the system does on every style change: a dialog or sizing frame brings the
// window edge, and its absence takes it away.
std::uint32_t FixExStyle(std::uint32_t style, std::uint32_t exStyle) {
    if ((exStyle & kDlgModalFrame) || (!(exStyle & kStaticEdge) && (style & (kDlgFrame | kThickFrame)))) {
        return exStyle | kWindowEdge;
    }
    return exStyle & ~kWindowEdge;
}

std::int64_t Overlap(const Rect& a, const Rect& b) {
    std::int64_t width = std::int64_t{std::min(a.right, b.right)} - std::max(a.left, b.left);
    std::int64_t height = std::int64_t{std::min(a.bottom, b.bottom)} - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

// Squared distance between two rectangles, 0 when they touch or overlap.
std::int64_t DistanceSquared(const Rect& a, const Rect& b) {
    std::int64_t dx = std::max<std::int64_t>({0, std::int64_t{b.left} - a.right, std::int64_t{a.left} - b.right});
    std::int64_t dy = std::max<std::int64_t>({0, std::int64_t{b.top} - a.bottom, std::int64_t{a.top} - b.bottom});
    return dx * dx + dy * dy;
}

// A drive's serial number follows its letter; a share's, its name.
std::uint32_t VolumeSerialOf(const std::string& normalised) {
    if (normalised.size() >= 2 && normalised[1] == ':') return 0x5A000000u | static_cast<unsigned char>(normalised[0]);
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0, separators = 0; i < normalised.size() && separators < 3; ++i) {
        if (normalised[i] == '\\') ++separators;
        hash = (hash ^ static_cast<unsigned char>(normalised[i])) * 16777619u;
    }
    return hash;
}

std::string ParentOf(const std::string& normalised) {
    auto slash = normalised.rfind('\\');
    if (slash == std::string::npos) return {};
    if (slash == 2 && normalised[1] == ':') return normalised.substr(0, 3);  // drive root
    return normalised.substr(0, slash);
}

const char* const kCallNames[] = {
    "CreateProcessA", "WaitForSingleObject", "Sleep", "GetExitCodeProcess", "CloseHandle",
    "GetCurrentDirectoryW", "GetFileAttributesW", "CreateFileW", "ReadFile", "GetThreadLocale",
    "GetLocaleInfoA", "ExitProcess", "OutputDebugStringA", "MessageBoxA", "FindWindowA",
    "GetWindow", "GetWindowTextA", "GetWindowThreadProcessId", "GetSystemMetrics",
    "GetWindowRect", "GetClientRect", "SetWindowPos", "timeBeginPeriod", "timeEndPeriod",
    "EnumDisplayMonitors", "GetMonitorInfoA", "MonitorFromWindow", "GetWindowLongA", "SetWindowLongA",
    "WriteFile", "FlushFileBuffers", "MoveFileExW", "DeleteFileW", "GetFullPathNameW",
    "SetCurrentDirectoryW", "GetModuleFileNameW",
    "GetCommandLineA", "ResumeThread", "TerminateProcess", "CreateJobObjectW", "AssignProcessToJobObject",
    "QueryInformationJobObject", "GetLastError", "FormatMessageA", "GetTickCount", "GetLocalTime",
    "GetClassNameA", "MonitorFromRect", "GetFileInformationByHandle", "GetCPInfo", "ReplaceFileW",
    "GetForegroundWindow", "GetAncestor", "IsWindow", "GetClipCursor", "ClipCursor",
    "RegisterHotKey", "UnregisterHotKey", "MsgWaitForMultipleObjects", "PeekMessageA", "DispatchMessageA",
    "MessageBeep",
    "OpenClipboard", "EmptyClipboard", "SetClipboardData", "CloseClipboard",
    "CreateSolidBrush", "DeleteObject", "RegisterClassExA", "UnregisterClassA", "CreateWindowExA",
    "DestroyWindow", "SetForegroundWindow", "GetWindowInfo",
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

// ---- paths ----

// As Windows reads a path: without case, "/" as "\\", a run of separators as one,
// "." and ".." resolved, trailing dots and blanks of the last name dropped, and a
// short name standing for its long one.
std::string Desktop::normalised(const std::string& path) const {
    std::vector<std::string> parts;
    std::string part;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '\\' && path[i] != '/') {
            const char c = path[i];
            part += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        } else if (!part.empty()) {
            parts.push_back(part);
            part.clear();
        }
    }
    if (!parts.empty() && parts.back() != "." && parts.back() != "..") {
        std::string& last = parts.back();
        while (!last.empty() && (last.back() == '.' || last.back() == ' ')) last.pop_back();
    }
    std::string result = !path.empty() && (path[0] == '\\' || path[0] == '/') ? "\\" : "";
    for (const std::string& name : parts) {
        if (name == "." || name.empty()) continue;  // a last name of dots only
        if (name == "..") {
            // Up one, but never above the root ("c:\\" or "\\").
            const std::size_t slash = result.rfind('\\');
            if (slash != std::string::npos && slash + 1 < result.size()) {
                result.erase(slash == 2 && result[1] == ':' ? 3 : std::max<std::size_t>(slash, 1));
            }
            continue;
        }
        if (!result.empty() && result.back() != '\\') result += '\\';
        result += name;
        if (result.size() == 2 && result[1] == ':') result += '\\';
        auto alias = aliases_.find(result);
        if (alias != aliases_.end()) result = alias->second;
    }
    return result;
}

// A file keeps its index for as long as it exists, renamed or not: its entry's address.
platform::FileIdentity Desktop::identityOf(const std::string& normalised, const FileEntry* entry) const {
    return {VolumeSerialOf(normalised), reinterpret_cast<std::uintptr_t>(entry)};
}

// The lead-byte ranges the system gives for the code pages modelled; others are
// not installed.
bool Desktop::codePageInfo(std::uint32_t codePage, platform::CodePageInfo& info) {
    switch (codePage == platform::kCpAcp ? ansiCodePage_ : codePage) {
        case 1252: info = {1, {}}; return true;
        case 932: info = {2, {0x81, 0x9F, 0xE0, 0xFC}}; return true;
        case 936: case 949: case 950: info = {2, {0x81, 0xFE}}; return true;
        default: return fail(87);  // ERROR_INVALID_PARAMETER
    }
}

bool Desktop::fileIdentity(std::uint32_t handle, platform::FileIdentity& identity) {
    auto it = openFiles_.find(handle);
    if (it == openFiles_.end()) return fail(6);  // ERROR_INVALID_HANDLE
    identity = it->second->identity;
    return true;
}

Desktop& Desktop::shortName(const std::string& path, const std::string& alias) {
    const std::string full = normalised(path);
    const std::string parent = ParentOf(full);
    aliases_[parent + (parent.back() == '\\' ? "" : "\\") + normalised(alias)] = full;
    return *this;
}

// ---- set-up ----

Desktop& Desktop::display(int width, int height) {
    displayWidth_ = width;
    displayHeight_ = height;
    return *this;
}

Desktop& Desktop::workingDirectory(std::string path) {
    cwd_ = std::move(path);
    return directory(cwd_);
}

Desktop& Desktop::localeSeparators(std::string decimal, std::string thousands) {
    decimal_ = std::move(decimal);
    thousands_ = std::move(thousands);
    localeReadable_ = true;
    return *this;
}

Desktop& Desktop::localeUnreadable() {
    localeReadable_ = false;
    return *this;
}

Desktop& Desktop::directory(const std::string& path) {
    std::string key = normalised(path);
    while (!key.empty() && files_.find(key) == files_.end()) {
        files_[key] = new FileEntry{true, false, {}};
        std::string parent = ParentOf(key);
        if (parent == key) break;
        key = parent;
    }
    return *this;
}

Desktop& Desktop::file(const std::string& path, std::string content) {
    std::string key = normalised(path);
    directory(ParentOf(key));
    FileEntry*& entry = files_[key];
    if (entry == nullptr) entry = new FileEntry;
    *entry = FileEntry{false, false, std::move(content)};
    entry->createdMs = clockMs_;
    return *this;
}

Desktop& Desktop::fileHeldForWriting(const std::string& path, std::string content) {
    file(path, std::move(content));
    files_[normalised(path)]->heldForWriting = true;
    return *this;
}

Desktop& Desktop::removeFile(const std::string& path) {
    auto it = files_.find(normalised(path));
    if (it != files_.end()) {
        delete it->second;
        files_.erase(it);
    }
    return *this;
}

Desktop& Desktop::program(const std::string& path, ProgramSpec description) {
    file(path, "MZ");
    programs_[normalised(path)] = std::move(description);
    return *this;
}

Desktop& Desktop::boxesStayOpenFor(std::int64_t ms) {
    boxOpenMs_ = ms;
    return *this;
}

Desktop& Desktop::commandLine(std::string line) {
    commandLine_ = std::move(line);
    return *this;
}

Desktop& Desktop::ansiCodePage(std::uint32_t codePage) {
    ansiCodePage_ = codePage;
    return *this;
}

Desktop& Desktop::jobsRefused() {
    jobsRefused_ = true;
    return *this;
}

WindowHandle Desktop::addWindow(WindowSpec description) { return createWindow(description, description.pid); }

void Desktop::at(std::int64_t ms, std::function<void()> action) {
    actions_.emplace(ms, std::move(action));
}

void Desktop::beforeNext(Call call, std::function<void()> action) {
    beforeNext_[static_cast<int>(call)].push_back(std::move(action));
}

// ---- acting on windows ----

WindowHandle Desktop::createWindow(const WindowSpec& description, std::uint32_t pid, WindowHandle owner) {
    auto* window = new Window{nextWindow_, description.title, pid, description.outer,
                              (description.outer.right - description.outer.left) - description.clientWidth,
                              (description.outer.bottom - description.outer.top) - description.clientHeight,
                              description.minWidth, description.minHeight, description.maxWidth, description.maxHeight,
                              description.refusesPlacement, description.className};
    nextWindow_ += 4;
    const bool framed = window->borderWidth > 0 || window->borderHeight > 0;
    window->style = description.style != 0 ? description.style : (framed ? kCaptionedStyle : kPopupStyle);
    window->exStyle = description.style != 0 ? description.exStyle : (framed ? kWindowEdge : 0);
    window->refusesStyleChange = description.refusesStyleChange;
    window->framedBorderWidth = framed ? window->borderWidth : kDefaultBorderWidth;
    window->framedBorderHeight = framed ? window->borderHeight : kDefaultBorderHeight;
    window->owner = owner;
    windows_[window->handle] = window;
    if (description.atBottom) zOrder_.push_back(window);
    else zOrder_.insert(zOrder_.begin() + static_cast<std::ptrdiff_t>(topmostCount()), window);
    renumberZOrder();
    return window->handle;
}

std::size_t Desktop::topmostCount() const {
    std::size_t count = 0;
    while (count < zOrder_.size() && (zOrder_[count]->exStyle & platform::kWsExTopmost) != 0) ++count;
    return count;
}

void Desktop::renumberZOrder() {
    for (std::size_t i = 0; i < zOrder_.size(); ++i) zOrder_[i]->zIndex = i;
}

void Desktop::destroyWindow(WindowHandle handle) {
    auto it = windows_.find(handle);
    if (it == windows_.end()) return;
    if (foreground_ == handle) activate(0);
    zOrder_.erase(zOrder_.begin() + static_cast<std::ptrdiff_t>(it->second->zIndex));
    delete it->second;
    windows_.erase(it);
    renumberZOrder();
}

void Desktop::moveWindow(WindowHandle handle, int left, int top, int width, int height) {
    if (Window* window = find(handle)) window->outer = {left, top, left + width, top + height};
}

// To the top of its band: a topmost window above all, another just below the topmost ones.
void Desktop::raiseWindow(WindowHandle handle) {
    Window* window = find(handle);
    if (window == nullptr) return;
    zOrder_.erase(zOrder_.begin() + static_cast<std::ptrdiff_t>(window->zIndex));
    const bool topmost = (window->exStyle & platform::kWsExTopmost) != 0;
    zOrder_.insert(zOrder_.begin() + static_cast<std::ptrdiff_t>(topmost ? 0 : topmostCount()), window);
    renumberZOrder();
}

void Desktop::activate(WindowHandle handle) {
    const Window* before = find(foreground_);
    const Window* after = find(handle);
    if (after != nullptr) raiseWindow(handle);
    foreground_ = after != nullptr ? handle : 0;
    // The system frees the cursor when another process's window comes to the front.
    if ((before ? before->pid : 0) != (after ? after->pid : 0)) clipped_ = false;
}

void Desktop::minimise(WindowHandle handle) {
    Window* window = find(handle);
    if (window == nullptr || window->minimised) return;
    window->restored = window->outer;
    window->outer = {-32000, -32000, -31840, -31972};  // where the system parks a minimised window
    window->minimised = true;
    window->style |= platform::kWsMinimize;
}

void Desktop::restore(WindowHandle handle) {
    Window* window = find(handle);
    if (window == nullptr || !window->minimised) return;
    window->outer = window->restored;
    window->minimised = false;
    window->style &= ~platform::kWsMinimize;
    activate(handle);
}

void Desktop::pressKeys(std::uint32_t modifiers, std::uint32_t key) {
    for (const auto& [id, hotkey] : hotkeys_) {
        if (hotkey.modifiers == modifiers && hotkey.key == key) {
            queue_.push_back({0, platform::kWmHotkey, id, static_cast<std::intptr_t>((key << 16) | modifiers),
                              static_cast<std::uint32_t>(clockMs_), {}});
        }
    }
}

void Desktop::click(WindowHandle handle) {
    const Window* window = find(handle);
    if (window == nullptr) return;
    if (window->pid == kLauncherPid) {
        queue_.push_back({handle, platform::kWmLButtonDown, 1, 0, static_cast<std::uint32_t>(clockMs_), {}});
    }
    if ((window->exStyle & platform::kWsExNoActivate) == 0) activate(handle);
}

void Desktop::clipByAnotherProgram(const Rect* rect) { setClip(rect); }

Desktop& Desktop::hotkeyTakenByAnotherProgram(std::uint32_t modifiers, std::uint32_t key) {
    takenHotkeys_.push_back({modifiers, key});
    return *this;
}

// ---- observation ----

std::vector<std::string> Desktop::boxTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes_) texts.push_back(box.text);
    return texts;
}

std::uint64_t Desktop::totalCalls() const {
    std::uint64_t total = 0;
    for (auto count : callCounts_) total += count;
    return total;
}

void Desktop::resetCallCounts() { std::fill(std::begin(callCounts_), std::end(callCounts_), 0); }

bool Desktop::windowExists(WindowHandle window) const { return find(window) != nullptr; }

Rect Desktop::windowRect(WindowHandle handle) const {
    const Window* window = find(handle);
    if (window == nullptr) throw std::logic_error("no such window");
    return window->outer;
}

std::uint32_t Desktop::pidOf(const std::string& programPath) const {
    std::uint32_t pid = 0;
    for (const Process* process : processes_) {
        if (process->path == normalised(programPath)) pid = process->pid;
    }
    return pid;
}

std::string Desktop::fileContent(const std::string& path) const {
    auto it = files_.find(normalised(path));
    if (it == files_.end()) throw std::logic_error("no such file: " + path);
    return it->second->content;
}

WindowHandle Desktop::windowOfLastLaunch(std::size_t index) const {
    for (const Process* process : processes_) {
        if (process->pid == lastPid_ && index < process->windows.size()) return process->windows[index];
    }
    return platform::kNoWindow;
}

// ---- the platform calls ----

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

void Desktop::endProcess(Process& process) {
    process.ended = true;
    // The system destroys a process's windows when it ends.
    for (WindowHandle window : process.windows) destroyWindow(window);
}

bool Desktop::createProcess(const std::string& app, const std::string& cmd, const std::string& dir,
                            std::uint32_t flags, platform::ProcessInformation& info) {
    launches_.push_back({app, cmd, dir, flags});
    auto program = programs_.find(normalised(app));
    if (program == programs_.end() || program->second.failsToStart ||
        fileAttributes(dir) == platform::kInvalidFileAttributes) {
        lastError_ = 2;  // ERROR_FILE_NOT_FOUND
        return false;
    }
    Process* process = spawn(app, 0);
    lastPid_ = process->pid;
    info = {process->processHandle, process->threadHandle, process->pid, process->pid + 1};
    // A suspended process runs nothing, starts no child and makes no window until resumed.
    if ((flags & platform::kCreateSuspended) != 0) process->suspended = true;
    else startProcess(*process);
    return true;
}

Desktop::Process* Desktop::spawn(const std::string& path, std::uint32_t job) {
    auto* process = new Process{nextPid_, nextHandle_, nextHandle_ + 4, 0, programs_[normalised(path)].exitCode,
                                false, {}, normalised(path), false, job};
    processes_.push_back(process);
    nextPid_ += 4;
    nextHandle_ += 8;
    openHandles_[process->processHandle] = "process";
    openHandles_[process->threadHandle] = "thread";
    return process;
}

void Desktop::startProcess(Process& started) {
    Process* process = &started;
    const ProgramSpec& description = programs_[process->path];
    process->endMs = clockMs_ + description.runsForMs;
    for (const WindowSpec& window : description.windows) {
        std::uint32_t owner = window.pid != 0 ? window.pid : process->pid;
        auto create = [this, process, window, owner] {
            if (process->ended) return;
            const bool owned = window.ownerIndex >= 0 && static_cast<std::size_t>(window.ownerIndex) <
                                                             process->windows.size();
            const WindowHandle handle =
                createWindow(window, owner, owned ? process->windows[static_cast<std::size_t>(window.ownerIndex)] : 0);
            process->windows.push_back(handle);
            if (!window.atBottom) activate(handle);
        };
        if (window.appearsAfterMs <= 0) create();
        else at(clockMs_ + window.appearsAfterMs, create);
    }
    // A child is in its parent's job from its creation on; its handles are the parent's business.
    for (const ProgramSpec::Child& child : description.children) {
        at(clockMs_ + child.afterMs, [this, process, child] {
            if (process->ended) return;
            Process* started = spawn(child.path, process->job);
            openHandles_.erase(started->processHandle);
            openHandles_.erase(started->threadHandle);
            startProcess(*started);
        });
    }
    at(process->endMs, [this, process] {
        if (!process->ended) endProcess(*process);
    });
}

std::uint32_t Desktop::resumeThread(std::uint32_t thread) {
    for (Process* process : processes_) {
        if (process->threadHandle != thread || openHandles_.count(thread) == 0) continue;
        if (!process->suspended) return 0;
        process->suspended = false;
        startProcess(*process);
        return 1;
    }
    lastError_ = 6;  // ERROR_INVALID_HANDLE
    return 0xFFFFFFFFu;
}

bool Desktop::terminateProcess(std::uint32_t handle, std::uint32_t code) {
    for (Process* process : processes_) {
        if (process->processHandle != handle || openHandles_.count(handle) == 0) continue;
        if (!process->ended) {
            process->exitCode = code;
            endProcess(*process);
        }
        return true;
    }
    lastError_ = 6;
    return false;
}

std::uint32_t Desktop::createJob() {
    std::uint32_t handle = nextHandle_;
    nextHandle_ += 4;
    openHandles_[handle] = "job";
    return handle;
}

bool Desktop::assignToJob(std::uint32_t job, std::uint32_t processHandle) {
    if (jobsRefused_) {
        lastError_ = 5;  // ERROR_ACCESS_DENIED
        return false;
    }
    for (Process* process : processes_) {
        if (process->processHandle == processHandle && openHandles_.count(processHandle) != 0 &&
            openHandles_.count(job) != 0) {
            process->job = job;
            return true;
        }
    }
    lastError_ = 6;
    return false;
}

// As the system answers with a buffer too short for the list: the counts and the
// ids that fit, and ERROR_MORE_DATA; with no room for one id, ERROR_BAD_LENGTH.
bool Desktop::queryJob(std::uint32_t job, platform::JobProcessIds& list) {
    auto handle = openHandles_.find(job);
    if (handle == openHandles_.end() || handle->second != "job") return fail(6);  // ERROR_INVALID_HANDLE
    if (list.ids.empty()) return fail(24);                                       // ERROR_BAD_LENGTH
    list.active = list.listed = 0;
    for (const Process* process : processes_) {
        if (process->job != job || process->ended) continue;
        if (list.listed < list.ids.size()) list.ids[list.listed++] = process->pid;
        ++list.active;
    }
    return list.listed == list.active || fail(platform::kErrorMoreData);
}

std::uint32_t Desktop::waitForProcess(std::uint32_t handle, std::uint32_t ms) {
    auto it = std::find_if(processes_.begin(), processes_.end(),
                           [handle](const Process* p) { return p->processHandle == handle; });
    if (it == processes_.end() || openHandles_.count(handle) == 0) return 0xFFFFFFFFu;  // WAIT_FAILED
    Process& process = **it;
    if (process.suspended) advanceTo(clockMs_ + ms);
    else if (!process.ended) advanceTo(std::min(clockMs_ + ms, std::max(process.endMs, clockMs_)));
    return process.ended ? platform::kWaitObject0 : platform::kWaitTimeout;
}

bool Desktop::exitCodeOf(std::uint32_t handle, std::uint32_t& code) {
    for (const Process* process : processes_) {
        if (process->processHandle == handle && openHandles_.count(handle) != 0) {
            code = process->ended ? process->exitCode : kStillActive;
            return true;
        }
    }
    return false;
}

bool Desktop::closeHandle(std::uint32_t handle) {
    closedHandles_.push_back(handle);
    auto file = openFiles_.find(handle);
    if (file != openFiles_.end()) {
        delete file->second;
        openFiles_.erase(file);
    }
    return openHandles_.erase(handle) == 1;
}

std::uint32_t Desktop::fileAttributes(const std::string& path) const {
    auto it = files_.find(normalised(path));
    if (it == files_.end()) return platform::kInvalidFileAttributes;
    return it->second->isDirectory ? platform::kFileAttributeDirectory : it->second->attributes;
}

std::uint32_t Desktop::openFile(const std::string& path, std::uint32_t access, std::uint32_t share,
                                std::uint32_t disposition, std::uint32_t flags) {
    fileOpens_.push_back({path, access, share, disposition, flags});
    if ((access & platform::kGenericWrite) != 0) return createForWriting(path, disposition);
    const std::string key = normalised(path);
    auto it = files_.find(key);
    if (it == files_.end() && disposition == platform::kOpenAlways) {
        auto parent = files_.find(ParentOf(key));
        if (parent == files_.end() || !parent->second->isDirectory) {
            lastError_ = 3;  // ERROR_PATH_NOT_FOUND
            return platform::kInvalidHandle;
        }
        it = files_.emplace(key, new FileEntry).first;
    }
    if (it == files_.end()) {
        lastError_ = 2;  // ERROR_FILE_NOT_FOUND
        return platform::kInvalidHandle;
    }
    if (it->second->isDirectory) {
        lastError_ = 5;  // ERROR_ACCESS_DENIED
        return platform::kInvalidHandle;
    }
    // Someone holds it open for writing: only a share mode that allows writers gets in.
    if (it->second->heldForWriting && (share & platform::kFileShareWrite) == 0) {
        lastError_ = 32;  // ERROR_SHARING_VIOLATION
        return platform::kInvalidHandle;
    }
    std::uint32_t handle = nextHandle_;
    nextHandle_ += 4;
    FileEntry* appendsTo = (access & platform::kFileAppendData) != 0 ? it->second : nullptr;
    openFiles_[handle] = new OpenFile{it->second->content, 0, appendsTo, identityOf(key, it->second)};
    openHandles_[handle] = "file " + path;
    return handle;
}

bool Desktop::readFile(std::uint32_t handle, void* buffer, std::uint32_t size, std::uint32_t& read) {
    auto it = openFiles_.find(handle);
    read = 0;
    if (it == openFiles_.end()) return false;
    OpenFile& file = *it->second;
    std::size_t n = std::min<std::size_t>(size, file.content.size() - file.position);
    std::memcpy(buffer, file.content.data() + file.position, n);
    file.position += n;
    read = static_cast<std::uint32_t>(n);
    return true;
}

bool Desktop::localeInfo(std::uint32_t type, std::string& value) const {
    if (!localeReadable_) return false;
    if (type == platform::kLocaleSDecimal) value = decimal_;
    else if (type == platform::kLocaleSThousand) value = thousands_;
    else return false;
    return true;
}

int Desktop::messageBox(const std::string& text, const std::string& caption, std::uint32_t type) {
    boxes_.push_back({text, caption, type, clockMs_});
    // A modal box halts the launcher while the rest of the desktop goes on.
    if (boxOpenMs_ > 0) advanceTo(clockMs_ + boxOpenMs_);
    return 1;  // IDOK
}

WindowHandle Desktop::topWindow() const { return zOrder_.empty() ? 0 : zOrder_.front()->handle; }

WindowHandle Desktop::nextWindow(WindowHandle handle) const {
    const Window* window = find(handle);
    if (window == nullptr || window->zIndex + 1 >= zOrder_.size()) return 0;
    return zOrder_[window->zIndex + 1]->handle;
}

int Desktop::windowText(WindowHandle handle, char* buffer, int maxCount) const {
    const Window* window = find(handle);
    if (maxCount <= 0) return 0;
    if (window == nullptr) {
        buffer[0] = '\0';
        return 0;
    }
    int n = std::min<int>(static_cast<int>(window->title.size()), maxCount - 1);
    std::memcpy(buffer, window->title.data(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

std::uint32_t Desktop::windowProcess(WindowHandle handle, std::uint32_t& pid) const {
    const Window* window = find(handle);
    if (window == nullptr) return 0;
    pid = window->pid;
    return window->pid + 1;
}

int Desktop::className(WindowHandle handle, char* buffer, int maxCount) const {
    const Window* window = find(handle);
    if (window == nullptr || maxCount <= 0) return 0;
    int n = std::min<int>(static_cast<int>(window->className.size()), maxCount - 1);
    std::memcpy(buffer, window->className.data(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

int Desktop::systemMetric(int index) const {
    if (index == platform::kSmCxScreen) return displayWidth_;
    if (index == platform::kSmCyScreen) return displayHeight_;
    return 0;
}

bool Desktop::windowRect(WindowHandle handle, Rect& rect) const {
    const Window* window = find(handle);
    if (window == nullptr) return false;
    rect = window->outer;
    return true;
}

bool Desktop::clientRect(WindowHandle handle, Rect& rect) const {
    const Window* window = find(handle);
    if (window == nullptr) return false;
    if (window->minimised) {
        rect = {0, 0, 0, 0};
        return true;
    }
    rect = {0, 0, std::max(0, (window->outer.right - window->outer.left) - window->borderWidth),
            std::max(0, (window->outer.bottom - window->outer.top) - window->borderHeight)};
    return true;
}

bool Desktop::setWindowPos(WindowHandle handle, WindowHandle insertAfter, int x, int y, int cx, int cy,
                           std::uint32_t flags) {
    setWindowPosFlags_.push_back(flags);
    Window* window = find(handle);
    if (window == nullptr) return false;
    if ((flags & platform::kSwpNoZOrder) == 0) {
        const bool topmost = (window->exStyle & platform::kWsExTopmost) != 0;
        if (insertAfter == platform::kHwndTopmost) window->exStyle |= platform::kWsExTopmost;
        if (insertAfter == platform::kHwndNoTopmost) window->exStyle &= ~platform::kWsExTopmost;
        if (find(insertAfter) != nullptr) placeAfter(*window, insertAfter);
        else if (insertAfter != platform::kHwndNoTopmost || topmost) raiseWindow(handle);
    }
    if (flags & platform::kSwpShowWindow) window->style |= platform::kWsVisible;
    if (flags & platform::kSwpHideWindow) window->style &= ~platform::kWsVisible;
    if (window->refusesPlacement) return true;  // the program keeps its own size and place
    if (flags & platform::kSwpFrameChanged) applyFrame(*window);
    int left = (flags & platform::kSwpNoMove) ? window->outer.left : x;
    int top = (flags & platform::kSwpNoMove) ? window->outer.top : y;
    int width = window->outer.right - window->outer.left;
    int height = window->outer.bottom - window->outer.top;
    if ((flags & platform::kSwpNoSize) == 0) {
        // Negative sizes count as 0; the window's own limits then apply.
        width = std::clamp(std::max(cx, 0), window->minWidth, window->maxWidth);
        height = std::clamp(std::max(cy, 0), window->minHeight, window->maxHeight);
    }
    window->outer = {left, top, left + width, top + height};
    return true;
}

// Right below the other window. As Wine does, below an ordinary window it is an
// ordinary window; below a topmost one it keeps its own bit.
void Desktop::placeAfter(Window& window, WindowHandle insertAfter) {
    if (window.handle == insertAfter) return;
    zOrder_.erase(zOrder_.begin() + static_cast<std::ptrdiff_t>(window.zIndex));
    renumberZOrder();
    const Window* previous = find(insertAfter);
    if ((previous->exStyle & platform::kWsExTopmost) == 0) window.exStyle &= ~platform::kWsExTopmost;
    zOrder_.insert(zOrder_.begin() + static_cast<std::ptrdiff_t>(previous->zIndex + 1), &window);
    renumberZOrder();
}

void Desktop::timerPeriod(bool begin, std::uint32_t period) {
    timerPeriodCalls_.push_back((begin ? "begin " : "end ") + std::to_string(period));
}

// ---- displays and window styles ----

Desktop& Desktop::addDisplay(std::string device, int left, int top, int width, int height) {
    extraDisplays_.push_back({std::move(device), {left, top, left + width, top + height}});
    return *this;
}

void Desktop::setWindowStyle(WindowHandle handle, std::uint32_t style) {
    Window* window = find(handle);
    if (window == nullptr) return;
    window->style = style;
    window->exStyle = FixExStyle(style, window->exStyle);
    applyFrame(*window);
}

std::uint32_t Desktop::windowStyle(WindowHandle handle) const { return windowLong(handle, platform::kGwlStyle); }

std::uint32_t Desktop::windowExStyle(WindowHandle handle) const {
    return windowLong(handle, platform::kGwlExStyle);
}

// The client area follows the styles only at a frame change.
void Desktop::applyFrame(Window& window) {
    const bool bare = (window.style & kFrameStyles) == 0 && (window.exStyle & kEdgeExStyles) == 0;
    window.borderWidth = bare ? 0 : window.framedBorderWidth;
    window.borderHeight = bare ? 0 : window.framedBorderHeight;
}

std::vector<platform::MonitorHandle> Desktop::monitors() const {
    std::vector<platform::MonitorHandle> handles;
    for (std::size_t i = 0; i <= extraDisplays_.size(); ++i) handles.push_back(static_cast<std::uint32_t>(i + 1));
    return handles;
}

bool Desktop::monitorInfo(platform::MonitorHandle monitor, platform::MonitorInfo& info) const {
    if (monitor == 1) {
        info = {{0, 0, displayWidth_, displayHeight_}, {0, 0, displayWidth_, displayHeight_},
                platform::kMonitorInfoPrimary, "\\\\.\\DISPLAY1"};
        return true;
    }
    if (monitor < 2 || monitor - 2 >= extraDisplays_.size()) return false;
    const DisplayEntry& display = extraDisplays_[monitor - 2];
    info = {display.rect, display.rect, 0, display.device};
    return true;
}

platform::MonitorHandle Desktop::monitorOfWindow(WindowHandle handle, std::uint32_t flags) const {
    const Window* window = find(handle);
    return window == nullptr ? 0 : monitorOfRect(window->outer, flags);
}

// The display with the largest part of the rectangle (the first of equals), else
// the nearest one when asked for.
platform::MonitorHandle Desktop::monitorOfRect(const Rect& rect, std::uint32_t flags) const {
    platform::MonitorHandle best = 0, nearest = 1;
    std::int64_t bestArea = 0, nearestDistance = -1;
    for (platform::MonitorHandle monitor : monitors()) {
        platform::MonitorInfo info;
        monitorInfo(monitor, info);
        std::int64_t area = Overlap(rect, info.monitor);
        if (area > bestArea) {
            bestArea = area;
            best = monitor;
        }
        std::int64_t distance = DistanceSquared(rect, info.monitor);
        if (nearestDistance < 0 || distance < nearestDistance) {
            nearestDistance = distance;
            nearest = monitor;
        }
    }
    if (best != 0) return best;
    return (flags & platform::kMonitorDefaultToNearest) ? nearest : 0;
}

std::uint32_t Desktop::windowLong(WindowHandle handle, int index) const {
    const Window* window = find(handle);
    if (window == nullptr) return 0;
    if (index == platform::kGwlStyle) return window->style;
    if (index == platform::kGwlExStyle) return window->exStyle;
    return 0;
}

std::uint32_t Desktop::setWindowLong(WindowHandle handle, int index, std::uint32_t value) {
    Window* window = find(handle);
    if (window == nullptr) return 0;
    std::uint32_t previous = windowLong(handle, index);
    if (window->refusesStyleChange) return previous;  // the program turns the change down
    if (index == platform::kGwlStyle) {
        window->style = value;
        window->exStyle = FixExStyle(value, window->exStyle);
    } else if (index == platform::kGwlExStyle) {
        window->exStyle = FixExStyle(window->style, value);
    }
    return previous;
}

// ---- around the window: foreground, clip, hot keys, the queue ----

WindowHandle Desktop::rootOwner(WindowHandle handle) const {
    const Window* window = find(handle);
    if (window == nullptr) return 0;
    while (const Window* owner = find(window->owner)) window = owner;
    return window->handle;
}

// The frame lies evenly left, right and below the client area; the rest of its
// height is the caption above it.
bool Desktop::windowInfo(WindowHandle handle, platform::WindowInfo& info) const {
    const Window* window = find(handle);
    Rect client;
    if (window == nullptr || !clientRect(handle, client)) return false;
    const int side = window->minimised ? 0 : window->borderWidth / 2;
    const int top = window->minimised ? 0 : window->borderHeight - side;
    const int left = window->outer.left + side, upper = window->outer.top + top;
    info = {window->outer, {left, upper, left + client.right, upper + client.bottom}, window->style, window->exStyle};
    return true;
}

bool Desktop::isTopmost(WindowHandle handle) const {
    return (windowLong(handle, platform::kGwlExStyle) & platform::kWsExTopmost) != 0;
}

Rect Desktop::virtualScreen() const {
    Rect screen{0, 0, displayWidth_, displayHeight_};
    for (const DisplayEntry& display : extraDisplays_) {
        screen = {std::min(screen.left, display.rect.left), std::min(screen.top, display.rect.top),
                  std::max(screen.right, display.rect.right), std::max(screen.bottom, display.rect.bottom)};
    }
    return screen;
}

Rect Desktop::clipCursor() const { return clipped_ ? clip_ : virtualScreen(); }

bool Desktop::cursorClip(Rect& rect) const {
    if (clipped_) rect = clip_;
    return clipped_;
}

// The system cuts the rectangle to the screen.
void Desktop::setClip(const Rect* rect) {
    clipped_ = rect != nullptr;
    if (rect == nullptr) return;
    const Rect screen = virtualScreen();
    clip_ = {std::clamp(rect->left, screen.left, screen.right), std::clamp(rect->top, screen.top, screen.bottom),
             std::clamp(rect->right, screen.left, screen.right), std::clamp(rect->bottom, screen.top, screen.bottom)};
}

bool Desktop::registerHotkey(std::uint32_t id, std::uint32_t modifiers, std::uint32_t key) {
    modifiers &= ~platform::kModNoRepeat;
    bool taken = hotkeys_.count(id) != 0;
    for (const Hotkey& other : takenHotkeys_) taken = taken || (other.modifiers == modifiers && other.key == key);
    for (const auto& own : hotkeys_) taken = taken || (own.second.modifiers == modifiers && own.second.key == key);
    if (taken) {
        lastError_ = 1409;  // ERROR_HOTKEY_ALREADY_REGISTERED
        return false;
    }
    hotkeys_[id] = {modifiers, key};
    return true;
}

bool Desktop::unregisterHotkey(std::uint32_t id) { return hotkeys_.erase(id) == 1; }

// Returns at once for a message already there; a process that has ended comes first.
// Handle 0: the queue alone.
std::uint32_t Desktop::waitForProcessOrMessage(std::uint32_t handle, std::uint32_t ms) {
    if (handle == 0 && queue_.empty()) advanceTo(clockMs_ + ms);
    const std::uint32_t result =
        handle == 0 ? platform::kWaitTimeout : waitForProcess(handle, queue_.empty() ? ms : 0);
    return result == platform::kWaitTimeout && !queue_.empty() ? platform::kWaitObject0 + 1 : result;
}

bool Desktop::peekMessage(platform::QueuedMessage& message) {
    if (queue_.empty()) return false;
    message = queue_.front();
    queue_.erase(queue_.begin());
    return true;
}

// ---- the launcher's own windows ----

std::uint32_t Desktop::createBrush(std::uint32_t colorRef) {
    const std::uint32_t handle = nextHandle_;
    nextHandle_ += 4;
    brushes_[handle] = colorRef;
    return handle;
}

bool Desktop::deleteObject(std::uint32_t object) { return brushes_.erase(object) == 1; }

bool Desktop::registerClass(const std::string& name, std::uint32_t brush) {
    if (classes_.count(name) != 0) return fail(1410);  // ERROR_CLASS_ALREADY_EXISTS
    classes_[name] = brush;
    return true;
}

// As the system refuses to unregister a class while a window of it exists.
bool Desktop::unregisterClass(const std::string& name) {
    for (const auto& entry : windows_) {
        if (entry.second->pid == kLauncherPid && entry.second->className == name) return fail(1412);
    }
    return classes_.erase(name) == 1 || fail(1411);  // ERROR_CLASS_HAS_WINDOWS, ERROR_CLASS_DOES_NOT_EXIST
}

WindowHandle Desktop::createOwnWindow(std::uint32_t exStyle, const std::string& className, const std::string& title,
                                      std::uint32_t style, const Rect& rect) {
    if (classes_.count(className) == 0) {
        fail(1407);  // ERROR_CANNOT_FIND_WND_CLASS
        return 0;
    }
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const WindowHandle handle = createWindow(
        aWindow().withTitle(title).at(rect.left, rect.top, rect.right, rect.bottom).client(width, height)
            .ofClass(className).styles(style, exStyle),
        kLauncherPid);
    return handle;
}

bool Desktop::destroyOwnWindow(WindowHandle handle) {
    const Window* window = find(handle);
    if (window == nullptr || window->pid != kLauncherPid) return fail(5);  // ERROR_ACCESS_DENIED
    destroyWindow(handle);
    return true;
}

std::vector<WindowHandle> Desktop::launcherWindows() const {
    std::vector<WindowHandle> own;
    for (const Window* window : zOrder_) {
        if (window->pid == kLauncherPid) own.push_back(window->handle);
    }
    return own;
}

bool Desktop::isVisible(WindowHandle handle) const {
    return (windowLong(handle, platform::kGwlStyle) & platform::kWsVisible) != 0;
}

bool Desktop::isAbove(WindowHandle upper, WindowHandle lower) const {
    const Window* a = find(upper);
    const Window* b = find(lower);
    if (a == nullptr || b == nullptr) throw std::logic_error("no such window");
    return a->zIndex < b->zIndex;
}

std::uint32_t Desktop::brushColourOf(WindowHandle handle) const {
    const Window* window = find(handle);
    if (window == nullptr) throw std::logic_error("no such window");
    const auto brush = brushes_.find(classes_.at(window->className));
    if (brush == brushes_.end()) throw std::logic_error("the class brush is deleted");
    return brush->second;
}

Desktop::Window* Desktop::find(WindowHandle handle) {
    auto it = windows_.find(handle);
    return it == windows_.end() ? nullptr : it->second;
}

const Desktop::Window* Desktop::find(WindowHandle handle) const {
    auto it = windows_.find(handle);
    return it == windows_.end() ? nullptr : it->second;
}

// ---- the setup program's calls ----

namespace {
// Win32 error codes.
constexpr std::uint32_t kFileNotFound = 2;
constexpr std::uint32_t kPathNotFound = 3;
constexpr std::uint32_t kAccessDenied = 5;
constexpr std::uint32_t kInvalidHandle = 6;
constexpr std::uint32_t kSharingViolation = 32;
constexpr std::uint32_t kNotSupported = 50;
constexpr std::uint32_t kFileAttributeReadOnly = 0x1;
constexpr std::uint32_t kDiskFull = 112;
constexpr std::uint32_t kAlreadyExists = 183;
constexpr std::uint32_t kClipboardNotOpen = 1418;
}  // namespace

bool Desktop::fail(std::uint32_t error) {
    lastError_ = error;
    return false;
}

Desktop& Desktop::diskFull() {
    diskFull_ = true;
    return *this;
}

Desktop& Desktop::exePath(std::string path) {
    exePath_ = std::move(path);
    file(exePath_, "MZ");
    return *this;
}

std::uint32_t Desktop::createForWriting(const std::string& path, std::uint32_t disposition) {
    const std::string key = normalised(path);
    auto parent = files_.find(ParentOf(key));
    if (parent == files_.end() || !parent->second->isDirectory) {
        fail(kPathNotFound);
        return platform::kInvalidHandle;
    }
    FileEntry*& entry = files_[key];
    if (entry == nullptr) entry = new FileEntry{false, false, {}, kFileAttributeArchive, clockMs_};
    if (entry->isDirectory || entry->heldForWriting || disposition != platform::kCreateAlways) {
        fail(kSharingViolation);
        return platform::kInvalidHandle;
    }
    entry->content.clear();
    entry->attributes = kFileAttributeArchive;  // CREATE_ALWAYS clears the old ones
    std::uint32_t handle = nextHandle_;
    nextHandle_ += 4;
    openFiles_[handle] = new OpenFile{{}, 0, entry, identityOf(key, entry)};
    openHandles_[handle] = "file " + path;
    return handle;
}

bool Desktop::writeFile(std::uint32_t handle, const void* buffer, std::uint32_t size, std::uint32_t& written) {
    written = 0;
    auto it = openFiles_.find(handle);
    if (it == openFiles_.end() || it->second->writesTo == nullptr) return fail(kInvalidHandle);
    if (diskFull_) return fail(kDiskFull);
    it->second->writesTo->content.append(static_cast<const char*>(buffer), size);
    written = size;
    return true;
}

bool Desktop::moveFile(const std::string& from, const std::string& to, std::uint32_t flags) {
    auto source = files_.find(normalised(from));
    if (source == files_.end() || source->second->isDirectory) return fail(kFileNotFound);
    const std::string key = normalised(to);
    if (files_.find(ParentOf(key)) == files_.end()) return fail(kPathNotFound);
    auto target = files_.find(key);
    if (target != files_.end()) {
        if ((flags & platform::kMoveFileReplaceExisting) == 0) return fail(kAlreadyExists);
        if (target->second->isDirectory) return fail(kAccessDenied);
        if (target->second->heldForWriting) return fail(kSharingViolation);
        delete target->second;
        files_.erase(target);
    }
    FileEntry* entry = source->second;
    files_.erase(source);
    files_[key] = entry;
    return true;
}

bool Desktop::replaceFile(const std::string& replaced, const std::string& replacement, std::uint32_t) {
    auto source = files_.find(normalised(replacement));
    auto target = files_.find(normalised(replaced));
    if (source == files_.end() || target == files_.end()) return fail(kFileNotFound);
    if (replaceUnsupported_) return fail(kNotSupported);
    if (target->second->isDirectory || (target->second->attributes & kFileAttributeReadOnly) != 0) {
        return fail(kAccessDenied);
    }
    if (target->second->heldForWriting) return fail(kSharingViolation);
    target->second->content = source->second->content;
    delete source->second;
    files_.erase(source);
    return true;
}

Desktop& Desktop::setFileAttributes(const std::string& path, std::uint32_t attributes) {
    files_.at(normalised(path))->attributes = attributes;
    return *this;
}

std::int64_t Desktop::fileCreatedAt(const std::string& path) const { return files_.at(normalised(path))->createdMs; }

Desktop& Desktop::replaceFileUnsupported() {
    replaceUnsupported_ = true;
    return *this;
}

bool Desktop::deleteFile(const std::string& path) {
    auto it = files_.find(normalised(path));
    if (it == files_.end() || it->second->isDirectory) return fail(kFileNotFound);
    if (it->second->heldForWriting) return fail(kSharingViolation);
    delete it->second;
    files_.erase(it);
    return true;
}

// As GetFullPathNameW: relative to the working directory, "." and ".." resolved.
std::string Desktop::fullPath(const std::string& path) const {
    const bool absolute = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    const std::string joined = absolute ? path : cwd_ + "\\" + path;
    std::vector<std::string> parts;
    std::string part;
    for (std::size_t i = 0; i <= joined.size(); ++i) {
        if (i < joined.size() && joined[i] != '\\' && joined[i] != '/') {
            part += joined[i];
            continue;
        }
        if (part == "..") {
            if (parts.size() > 1) parts.pop_back();
        } else if (part != "." && !part.empty()) {
            parts.push_back(part);
        }
        part.clear();
    }
    std::string result = parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i) result += "\\" + parts[i];
    return parts.size() == 1 ? result + "\\" : result;
}

bool Desktop::setCurrentDirectory(const std::string& path) {
    if (fileAttributes(path) != platform::kFileAttributeDirectory) return fail(kPathNotFound);
    cwd_ = path;
    return true;
}

Desktop& Desktop::clipboardHeldElsewhere() {
    clipboardHeld_ = true;
    return *this;
}

bool Desktop::openClipboard() {
    if (clipboardHeld_) return fail(kAccessDenied);
    clipboardOpen_ = true;
    return true;
}

bool Desktop::emptyClipboard() {
    if (!clipboardOpen_) return fail(kClipboardNotOpen);
    clipboardText_.clear();
    return true;
}

bool Desktop::setClipboardText(const std::string& text) {
    if (!clipboardOpen_) return fail(kClipboardNotOpen);
    clipboardText_ = text;
    return true;
}

bool Desktop::closeClipboard() {
    if (!clipboardOpen_) return fail(kClipboardNotOpen);
    clipboardOpen_ = false;
    return true;
}

}  // namespace fake
