#include "geometry/desired_size.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "diagnostics/trace.h"
#include "arithmetic/float_rules.h"
#include "settings/settings.h"

namespace {

struct Size {
    std::int32_t width;
    std::int32_t height;
};

// Sums of sizes and borders saturate at the 32-bit range instead of wrapping, so a
// clamped size stays at the top and is cropped to the display.
std::int32_t SaturatedSum(std::int64_t a, std::int64_t b) {
    std::int64_t sum = a + b;
    if (sum > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (sum < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(sum);
}

Size ScaledSize(std::int32_t width, std::int32_t height) {
    return {RoundToInteger(ScaledValue(width, Settings.Scale)),
            RoundToInteger(ScaledValue(height, Settings.Scale))};
}

// Seven significant digits. The Windows build uses MinGW's C99 printf rather than
// the system run-time's, so both builds write the same text ("1e+30", not "1e+030").
std::string RatioText(float ratio) {
    char text[32];
    int length = std::snprintf(text, sizeof text, "%.7g", static_cast<double>(ratio));
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

// A forced ratio that is negative, infinite or not a number would size the window
// to a zero or negative height, so it is replaced by the detected one.
float RatioInUse() {
    float forced = Settings.AspectRatio;
    if (forced != 0.0f) {
        if (std::isfinite(forced) && forced > 0.0f) {
            Trace("Aspect ratio [forced] (w/h): " + RatioText(forced));
            return forced;
        }
        Trace("Aspect ratio [forced] is not a positive number; detecting from the window");
    }
    float detected = SingleQuotient(OriginalClientWidth, OriginalClientHeight);
    Trace("Aspect ratio [autodetect] (w/h): " + RatioText(detected));
    return detected;
}

// Fits the ratio into the available area by width first; when that is taller than
// the available height itself (not its scaled value), by height instead.
Size AspectRatioFit() {
    float ratio = RatioInUse();
    Size available{DisplayWidth, DisplayHeight};
    if (Settings.ClientResize && !Settings.ScalingIgnoreBorderSize) {
        available = {SaturatedSum(DisplayWidth, -std::int64_t{EffectiveBorderWidth}),
                     SaturatedSum(DisplayHeight, -std::int64_t{EffectiveBorderHeight})};
    }
    float width = ScaledValue(available.width, Settings.Scale);
    float height = SingleQuotient(width, ratio);
    if (RoundToInteger(height) > available.height) {
        Trace("Window too tall when scaled by width, scaling by height");
        height = ScaledValue(available.height, Settings.Scale);
        width = SingleProduct(ratio, height);
    }
    return {RoundToInteger(width), RoundToInteger(height)};
}

Size CandidateSize() {
    switch (Settings.ScalingMethod) {
        case ScalingMethod::Defined:
            return {Settings.WindowWidth, Settings.WindowHeight};
        case ScalingMethod::WindowScale:
            // Without its frame the window is what the program draws in it.
            if (Settings.Borderless) return ScaledSize(OriginalClientWidth, OriginalClientHeight);
            return ScaledSize(OriginalWindowWidth, OriginalWindowHeight);
        case ScalingMethod::DisplayScale:
            return Settings.MaintainAspectRatio ? AspectRatioFit() : ScaledSize(DisplayWidth, DisplayHeight);
        case ScalingMethod::PixelScale:
            break;
    }
    // PixelScale, the one value left that validation admits.
    return ScaledSize(Settings.WindowWidth, Settings.WindowHeight);
}

}  // namespace

void ComputeDesiredWindowSize() {
    Size size = CandidateSize();
    if (Settings.ClientResize) {
        size = {SaturatedSum(size.width, EffectiveBorderWidth), SaturatedSum(size.height, EffectiveBorderHeight)};
    }
    Trace("Desired window size: " + std::to_string(size.width) + " x " + std::to_string(size.height));

    if (size.width > DisplayWidth) {
        Trace("Warning: Desired window width is wider than the display; cropping");
        size.width = DisplayWidth;
    }
    if (size.height > DisplayHeight) {
        Trace("Warning: Desired window height is taller than the display; cropping");
        size.height = DisplayHeight;
    }
    DesiredWidth = size.width;
    DesiredHeight = size.height;
}
