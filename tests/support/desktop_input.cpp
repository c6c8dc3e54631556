// Input on the simulated desktop: the cursor clip, hot keys, clicks, and the
// launcher's message queue.
#include "tests/support/fake_desktop.h"

#include <algorithm>

#include "tests/support/desktop_records.h"

namespace fake {

// ---- the cursor clip ----

bool Desktop::cursorClip(Rect& rect) const {
    if (clipped_) rect = clip_;
    return clipped_;
}

Rect Desktop::clipCursor() const { return clipped_ ? clip_ : virtualScreen(); }

// The system cuts the rectangle to the screen.
void Desktop::setClip(const Rect* rect) {
    clipped_ = rect != nullptr;
    if (rect == nullptr) return;
    const Rect screen = virtualScreen();
    clip_ = {std::clamp(rect->left, screen.left, screen.right), std::clamp(rect->top, screen.top, screen.bottom),
             std::clamp(rect->right, screen.left, screen.right), std::clamp(rect->bottom, screen.top, screen.bottom)};
}

void Desktop::clipByAnotherProgram(const Rect* rect) { setClip(rect); }

// ---- hot keys ----

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

Desktop& Desktop::hotkeyTakenByAnotherProgram(std::uint32_t modifiers, std::uint32_t key) {
    takenHotkeys_.push_back({modifiers, key});
    return *this;
}

void Desktop::pressKeys(std::uint32_t modifiers, std::uint32_t key) {
    for (const auto& [id, hotkey] : hotkeys_) {
        if (hotkey.modifiers == modifiers && hotkey.key == key) {
            queue_.push_back({0, platform::kWmHotkey, id, static_cast<std::intptr_t>((key << 16) | modifiers),
                              static_cast<std::uint32_t>(clockMs_), {}});
        }
    }
}

// ---- the message queue ----

void Desktop::click(WindowHandle handle) {
    const Window* window = find(handle);
    if (window == nullptr) return;
    if (window->pid == kLauncherPid) {
        queue_.push_back({handle, platform::kWmLButtonDown, 1, 0, static_cast<std::uint32_t>(clockMs_), {}});
    }
    if ((window->exStyle & platform::kWsExNoActivate) == 0) activate(handle);
}

bool Desktop::peekMessage(platform::QueuedMessage& message) {
    deliverSentAndEvents();
    if (queue_.empty()) return false;
    message = queue_.front();
    queue_.erase(queue_.begin());
    return true;
}

}  // namespace fake
