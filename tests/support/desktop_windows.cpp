// The simulated desktop's top-level windows: the Z-order and the walk over it, what
// each window tells, its styles and frame, its place, and the foreground.
#include "tests/support/fake_desktop.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <stdexcept>

#include "tests/support/desktop_records.h"

namespace fake {

namespace {

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

}  // namespace

// ---- the window walk and what a window tells ----

WindowHandle Desktop::addWindow(WindowSpec description) { return createWindow(description, description.pid); }

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
    if (hook_ != 0 && pid != kLauncherPid) createdPending_.push_back(window->handle);
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

Desktop::Window* Desktop::find(WindowHandle handle) {
    auto it = windows_.find(handle);
    return it == windows_.end() ? nullptr : it->second;
}

const Desktop::Window* Desktop::find(WindowHandle handle) const {
    auto it = windows_.find(handle);
    return it == windows_.end() ? nullptr : it->second;
}

bool Desktop::windowExists(WindowHandle window) const { return find(window) != nullptr; }

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

int Desktop::className(WindowHandle handle, char* buffer, int maxCount) const {
    const Window* window = find(handle);
    if (window == nullptr || maxCount <= 0) return 0;
    int n = std::min<int>(static_cast<int>(window->className.size()), maxCount - 1);
    std::memcpy(buffer, window->className.data(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

std::uint32_t Desktop::windowProcess(WindowHandle handle, std::uint32_t& pid) const {
    const Window* window = find(handle);
    if (window == nullptr) return 0;
    pid = window->pid;
    return window->pid + 1;
}

WindowHandle Desktop::rootOwner(WindowHandle handle) const {
    const Window* window = find(handle);
    if (window == nullptr) return 0;
    while (const Window* owner = find(window->owner)) window = owner;
    return window->handle;
}

// ---- what the user and the programs do ----

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

void Desktop::setWindowStyle(WindowHandle handle, std::uint32_t style) {
    Window* window = find(handle);
    if (window == nullptr) return;
    window->style = style;
    window->exStyle = FixExStyle(style, window->exStyle);
    applyFrame(*window);
}

// ---- rectangles and styles ----

Rect Desktop::windowRect(WindowHandle handle) const {
    const Window* window = find(handle);
    if (window == nullptr) throw std::logic_error("no such window");
    return window->outer;
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

std::uint32_t Desktop::windowStyle(WindowHandle handle) const { return windowLong(handle, platform::kGwlStyle); }

std::uint32_t Desktop::windowExStyle(WindowHandle handle) const {
    return windowLong(handle, platform::kGwlExStyle);
}

bool Desktop::isTopmost(WindowHandle handle) const {
    return (windowLong(handle, platform::kGwlExStyle) & platform::kWsExTopmost) != 0;
}

bool Desktop::isVisible(WindowHandle handle) const {
    return (windowLong(handle, platform::kGwlStyle) & platform::kWsVisible) != 0;
}

// The client area follows the styles only at a frame change.
void Desktop::applyFrame(Window& window) {
    const bool bare = (window.style & kFrameStyles) == 0 && (window.exStyle & kEdgeExStyles) == 0;
    window.borderWidth = bare ? 0 : window.framedBorderWidth;
    window.borderHeight = bare ? 0 : window.framedBorderHeight;
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
    if (outOfReach(*window)) return 0;
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

// ---- place, size and Z-order ----

// The system keeps a process's windows from those of lower rights.
bool Desktop::outOfReach(const Window& window) {
    if (launcherElevated_) return false;
    for (const Process* process : processes_) {
        if (process->pid != window.pid || !process->elevated || process->ended) continue;
        lastError_ = kAccessDenied;
        return true;
    }
    return false;
}

bool Desktop::setWindowPos(WindowHandle handle, WindowHandle insertAfter, int x, int y, int cx, int cy,
                           std::uint32_t flags) {
    setWindowPosFlags_.push_back(flags);
    Window* window = find(handle);
    if (window == nullptr) return false;
    if (outOfReach(*window)) return false;
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

bool Desktop::isAbove(WindowHandle upper, WindowHandle lower) const {
    const Window* a = find(upper);
    const Window* b = find(lower);
    if (a == nullptr || b == nullptr) throw std::logic_error("no such window");
    return a->zIndex < b->zIndex;
}

}  // namespace fake
