// The preview of a profile being edited: where the launcher would put a window of
// given sizes, computed by the launcher's own loading, display choice, size
// computation and placement on the profile's text. Nothing is started, searched for
// or moved.
#pragma once

#include <string>

#include "platform/platform.h"

struct Preview {
    enum Outcome { Rejected, NeedsWindow, Placed } outcome = NeedsWindow;
    // Rejected: the launcher's own rejection text, or the failure it would report.
    std::string rejection;
    // The display the launcher sizes and places the window for, its top left
    // corner in virtual-screen coordinates, and what it is ("1280 x 1024 at 1920, 0
    // (display 2)").
    std::int32_t displayWidth = 0, displayHeight = 0;
    std::int32_t displayLeft = 0, displayTop = 0;
    std::string displayText;
    // Placed: the window's outer rectangle after the first resize (virtual-screen
    // coordinates), the frame it has then (its own, or none when the launcher takes
    // it off), and its client area.
    platform::Rect window;
    std::int32_t frameWidth = 0, frameHeight = 0;
    std::int32_t clientWidth = 0, clientHeight = 0;
};

// `content` is the profile's text as it would be saved at `configFileName`. The
// window's rectangles are as GetWindowRect and GetClientRect give them; a window
// with no outer size stands for none known yet. Sets the launcher's globals.
Preview ComputePreview(const std::string& content, const std::string& configFileName,
                       const platform::Rect& outer, const platform::Rect& client);

// The preview's numbers as the setup program writes them beside the drawing.
std::string WindowText(const Preview& preview);  // "960 x 720 at 480, 180"
std::string ClientText(const Preview& preview);  // "944 x 681"
