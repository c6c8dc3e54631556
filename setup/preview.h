// The preview of a profile being edited: where the launcher would put a window of
// given sizes, computed by the launcher's own loading, size computation and
// placement on the profile's text. Nothing is started, searched for or moved.
#pragma once

#include <string>

#include "platform/platform.h"

struct Preview {
    enum Outcome { Rejected, NeedsWindow, Placed } outcome = NeedsWindow;
    // Rejected: the launcher's own rejection text, or the failure it would report.
    std::string rejection;
    std::int32_t displayWidth = 0, displayHeight = 0;
    // Placed: the window's outer rectangle after the first resize, and its client
    // area then (the window keeps its own frame).
    platform::Rect window;
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
