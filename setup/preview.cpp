#include "setup/preview.h"

#include "diagnostics/error_box.h"
#include "diagnostics/exceptions.h"
#include "geometry/measurement.h"
#include "geometry/placement_plan.h"
#include "settings/load_settings.h"
#include "settings/settings.h"

namespace {

std::int32_t Width(const platform::Rect& r) { return r.right - r.left; }
std::int32_t Height(const platform::Rect& r) { return r.bottom - r.top; }

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
    preview.displayWidth = DisplayWidth;
    preview.displayHeight = DisplayHeight;
    if (Width(outer) <= 0 || Height(outer) <= 0) return preview;
    try {
        preview.window = PlanFirstPlacement(outer, client);
    } catch (const Exception& failure) {
        preview.outcome = Preview::Rejected;
        preview.rejection = std::string("The launcher would fail: ") + failure.ClassName() + ": " + failure.Message();
        return preview;
    }
    preview.outcome = Preview::Placed;
    preview.clientWidth = Width(preview.window) - (Width(outer) - Width(client));
    preview.clientHeight = Height(preview.window) - (Height(outer) - Height(client));
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
