#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/platform.h"

// Walks the top-level windows from the top of the Z-order and returns the first
// that passes the find method's test, or platform::kNoWindow. Windows of the
// system's input-method classes ("IME", "MSCTFIME UI") never pass; their class is
// read only for a window that passes the rest of the test. The launcher's own
// surround (SurroundWindow) never passes either.
platform::WindowHandle FindTargetWindow(bool findByPid, std::uint32_t processId, bool findByName,
                                        const std::string& nameMask);
// The same, where the process test passes for any of the processes given.
platform::WindowHandle FindTargetWindow(bool findByPid, const std::uint32_t* processIds, std::size_t processCount,
                                        bool findByName, const std::string& nameMask);

// The most of a window's title the launcher reads and compares, in bytes: what
// fits its buffer of 1024 with the ending zero.
constexpr std::size_t kLongestTitleRead = 1023;

// The title test: "*" alone matches everything; "*text*" a title containing text;
// "*text" a title ending with it; "text*" a title beginning with it; any other mask,
// an inner star included, only the identical title. Case-sensitive, byte for byte.
bool MatchNameMask(std::string_view title, std::string_view mask);
