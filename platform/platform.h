// The Win32 operations the launcher uses, in the project's own types, one header
// per thing they act on:
//   platform/processes.h  processes, their rights, jobs, waits, the clock, the command line,
//                         kernel handles and the last error
//   platform/windows.h    the window walk, titles, classes, rectangles, styles, the
//                         Z-order, the foreground, and the launcher's own windows
//   platform/displays.h   displays and the system metrics
//   platform/input.h      the cursor clip, hot keys, the thread's message queue, beeps
//   platform/files.h      files, paths, file identity, the working directory, the
//                         exe's own name
//   platform/text.h       code pages, the locale, system messages, the debugger
//                         output, the message box
//   platform/clipboard.h  the clipboard
//   platform/shell.h      programs started through the shell
//   platform/registry.h   the current user's registry values
// This header holds what they share: the handles, rectangles and points, and the
// answers of a wait.
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
// - Win32 constants keep their documented values.
#pragma once

#include <cstdint>

namespace platform {

using WindowHandle = std::uint32_t;
using KernelHandle = std::uint32_t;
using MonitorHandle = std::uint32_t;
using GdiHandle = std::uint32_t;

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

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// What a wait answers, on a handle or on the thread's queue.
constexpr std::uint32_t kWaitObject0 = 0;
constexpr std::uint32_t kWaitTimeout = 0x102;

}  // namespace platform
