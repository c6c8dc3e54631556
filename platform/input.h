// Input: the rectangle the cursor is kept in, system-wide hot keys, the thread's
// message queue, and the system's sounds.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace platform {

// ---- the cursor clip ----

// The rectangle the cursor is confined to; the whole virtual screen when it is free.
bool GetClipCursor(Rect& rect);
// Confines the cursor to the rectangle (the system cuts it to the screen); a null
// rectangle frees it.
bool ClipCursor(const Rect* rect);

// ---- hot keys ----

constexpr std::uint32_t kModAlt = 0x1, kModControl = 0x2, kModShift = 0x4, kModWin = 0x8;
constexpr std::uint32_t kModNoRepeat = 0x4000;
constexpr std::uint32_t kWmHotkey = 0x0312;

// RegisterHotKey with no window: WM_HOTKEY with the id comes to the thread's queue.
// False when the combination is taken (by another program, or already by this one).
bool RegisterHotKey(std::uint32_t id, std::uint32_t modifiers, std::uint32_t key);
bool UnregisterHotKey(std::uint32_t id);

// ---- the thread's message queue ----

// One message taken from the thread's queue, whole, so it can be dispatched.
struct QueuedMessage {
    WindowHandle window = 0;
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    std::uint32_t time = 0;
    Point point;
};
// MsgWaitForMultipleObjects on the handles (none: the queue alone) for any input
// (QS_ALLINPUT): kWaitObject0 + i when handle i is signalled, kWaitObject0 + count
// when the thread's queue got something since it was last looked at, kWaitTimeout
// otherwise.
std::uint32_t MsgWaitForMultipleObjects(const KernelHandle* handles, std::uint32_t count,
                                        std::uint32_t milliseconds);
// PeekMessageA for any window of the thread and thread messages, with PM_REMOVE.
bool PeekMessageA(QueuedMessage& message);
void DispatchMessageA(const QueuedMessage& message);

// ---- sounds ----

constexpr std::uint32_t kMbIconAsterisk = 0x40;
constexpr std::uint32_t kMbIconExclamation = 0x30;

// One of the system's sounds (kMbIconAsterisk, kMbIconExclamation, ...).
bool MessageBeep(std::uint32_t type);

}  // namespace platform
