// The cursor clip, hot keys, the thread's message queue and the system's sounds on
// the real system.
#include "platform/input.h"

#include <windows.h>

#include "platform/win32/conversions.h"

namespace platform {

// ---- the cursor clip ----

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

// ---- hot keys ----

bool RegisterHotKey(std::uint32_t id, std::uint32_t modifiers, std::uint32_t key) {
    return ::RegisterHotKey(nullptr, static_cast<int>(id), modifiers, key) != FALSE;
}

bool UnregisterHotKey(std::uint32_t id) { return ::UnregisterHotKey(nullptr, static_cast<int>(id)) != FALSE; }

// ---- the thread's message queue ----

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

// ---- sounds ----

bool MessageBeep(std::uint32_t type) { return ::MessageBeep(type) != FALSE; }

}  // namespace platform
