// The displays the system has, and which one windowresize->display chooses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

enum class DisplayChoice : std::uint8_t { Primary = 0, Numbered = 1, Window = 2 };

struct DisplayEntry {
    std::int32_t number;  // n of "\\.\DISPLAYn", the number the display settings show; 0 for another name
    std::string device;
    platform::Rect rect;  // in virtual-screen coordinates
    bool primary;
};

// "primary" or empty: the primary display; "window": the one that holds the window;
// otherwise a number of at least 1 in the integer rules of the file. Keywords in
// any case. False for anything else.
bool ParseDisplayChoice(const std::string& text, DisplayChoice& choice, std::int32_t& number);

// Every display, in the system's order; one the system cannot describe is left out.
std::vector<DisplayEntry> ListDisplays();

// n for a device named "\\.\DISPLAYn" (letters in any case), else 0.
std::int32_t DisplayNumberOf(const std::string& device);

// "1920 x 1080 at 0, 0"
std::string DisplayText(const platform::Rect& rect);
// "1 (1920 x 1080 at 0, 0, primary), 2 (1280 x 1024 at 1920, 0)"
std::string DisplayListText(const std::vector<DisplayEntry>& displays);
