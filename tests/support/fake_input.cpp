// The cursor clip, hot keys, the message queue and the system's sounds on the
// simulated desktop.
#include "platform/input.h"
#include "tests/support/fake_desktop.h"

namespace platform {

using fake::Active;
using fake::Call;

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

std::uint32_t MsgWaitForMultipleObjects(const KernelHandle* handles, std::uint32_t count,
                                        std::uint32_t milliseconds) {
    Active().count(Call::MsgWaitForMultipleObjects);
    return Active().waitForObjects(handles, count, milliseconds, true);
}

bool PeekMessageA(QueuedMessage& message) {
    Active().count(Call::PeekMessageA);
    return Active().peekMessage(message);
}

void DispatchMessageA(const QueuedMessage& message) {
    Active().count(Call::DispatchMessageA);
    Active().dispatch(message);
}

bool MessageBeep(std::uint32_t type) {
    Active().count(Call::MessageBeep);
    Active().beep(type);
    return true;
}

}  // namespace platform
