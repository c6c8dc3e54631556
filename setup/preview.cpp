#include "setup/preview.h"

#include "diagnostics/error_box.h"
#include "diagnostics/exceptions.h"
#include "geometry/display_area.h"
#include "geometry/measurement.h"
#include "geometry/placement_plan.h"
#include "settings/displays.h"
#include "settings/load_settings.h"
#include "settings/settings.h"

namespace {

std::int32_t Width(const platform::Rect& r) { return r.right - r.left; }
std::int32_t Height(const platform::Rect& r) { return r.bottom - r.top; }

// The display in use, as the launcher has just taken it.
void TakeDisplay(Preview& preview, bool windowKnown) {
    preview.displayWidth = DisplayWidth;
    preview.displayHeight = DisplayHeight;
    preview.displayLeft = DisplayLeft;
    preview.displayTop = DisplayTop;
    std::string which;
    switch (Settings.Display) {
        case DisplayChoice::Primary:
            which = "primary";
            break;
        case DisplayChoice::Numbered:
            which = "display " + std::to_string(Settings.DisplayNumber);
            break;
        case DisplayChoice::Window:
            which = windowKnown ? "the window's" : "primary: no window yet";
            break;
    }
    preview.displayText = DisplayText({DisplayLeft, DisplayTop, DisplayLeft + DisplayWidth,
                                       DisplayTop + DisplayHeight}) + " (" + which + ")";
}

}  // namespace

Preview ComputePreview(const std::string& content, const std::string& configFileName,
                       const platform::Rect& outer, const platform::Rect& client) {
    Preview preview;
    InitialiseSettings();
    Settings.ConfigFileName = configFileName;
    {
        const ErrorBoxCapture capture;
        if (!LoadSettingsFromContent(content)) {
            preview.outcome = Preview::Rejected;
            preview.rejection = capture.Text();
            return preview;
        }
    }
    ReadDisplayResolution();
    const bool windowKnown = Width(outer) > 0 && Height(outer) > 0;
    // As the launcher does once it has found the window: the display that holds it.
    if (windowKnown && Settings.Display == DisplayChoice::Window) ReadDisplayOfRect(outer);
    TakeDisplay(preview, windowKnown);
    if (!windowKnown) return preview;
    try {
        preview.window = PlanFirstPlacement(outer, client);
    } catch (const Exception& failure) {
        preview.outcome = Preview::Rejected;
        preview.rejection = std::string("The launcher would fail: ") + failure.ClassName() + ": " + failure.Message();
        return preview;
    }
    preview.outcome = Preview::Placed;
    // A window that loses its frame is all client area; any other keeps its own frame.
    preview.frameWidth = Settings.Borderless ? 0 : Width(outer) - Width(client);
    preview.frameHeight = Settings.Borderless ? 0 : Height(outer) - Height(client);
    preview.clientWidth = Width(preview.window) - preview.frameWidth;
    preview.clientHeight = Height(preview.window) - preview.frameHeight;
    return preview;
}

std::string WindowText(const Preview& preview) {
    const platform::Rect& w = preview.window;
    return std::to_string(Width(w)) + " x " + std::to_string(Height(w)) + " at " + std::to_string(w.left) + ", " +
           std::to_string(w.top);
}

std::string ClientText(const Preview& preview) {
    return std::to_string(preview.clientWidth) + " x " + std::to_string(preview.clientHeight);
}
