// The tweaks->pausekey text: modifiers and one key, such as "Ctrl+Alt+P".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A system-wide key combination as RegisterHotKey takes it; key 0: none.
struct PauseKey {
    std::uint32_t modifiers = 0;  // platform::kModAlt | kModControl | kModShift | kModWin
    std::uint32_t key = 0;        // the virtual-key code
};

// Ctrl, Alt, Shift and Win, each at most once and each followed by "+", then one
// key: A-Z, 0-9, F1-F24, Pause, ScrollLock, Insert, Delete, Home, End, PageUp,
// PageDown, Up, Down, Left, Right, Space, NumPad0-NumPad9. Names in any case,
// blanks around "+" ignored. Empty text is no key. A letter, a digit or Space
// without a modifier is refused: it would take that key from every program.
// False, with key unchanged, for anything else.
bool ParsePauseKey(std::string_view text, PauseKey& key);

// The combination as the parser's own spelling ("Ctrl+Alt+P"); empty for none.
std::string PauseKeyText(const PauseKey& key);
