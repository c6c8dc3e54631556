#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "diagnostics/exceptions.h"
#include "geometry/desired_size.h"
#include "settings/settings.h"
#include "tests/support/trace_capture.h"

namespace {

using Lines = std::vector<std::string>;
using Arrange = std::function<void()>;

const char* const kTooTall = "Window too tall when scaled by width, scaling by height";
const char* const kCropWidth = "Warning: Desired window width is wider than the display; cropping";
const char* const kCropHeight = "Warning: Desired window height is taller than the display; cropping";
const char* const kNotPositive = "Aspect ratio [forced] is not a positive number; detecting from the window";
const float kFourThirds = 4.0f / 3.0f;

void Display(int w, int h) { DisplayWidth = w, DisplayHeight = h; }
void Defined(int w, int h) {
    Settings.ScalingMethod = ScalingMethod::Defined, Settings.WindowWidth = w, Settings.WindowHeight = h;
}
void WindowScale(int scale) { Settings.ScalingMethod = ScalingMethod::WindowScale, Settings.Scale = scale; }
void DisplayScale(int scale) { Settings.ScalingMethod = ScalingMethod::DisplayScale, Settings.Scale = scale; }
void PixelScale(int w, int h, int scale) {
    Defined(w, h), Settings.ScalingMethod = ScalingMethod::PixelScale, Settings.Scale = scale;
}
void Fit(int scale, float ratio) { DisplayScale(scale), Settings.MaintainAspectRatio = true, Settings.AspectRatio = ratio; }
void Client(int w, int h) { OriginalClientWidth = w, OriginalClientHeight = h; }
void ClientResize() { Settings.ClientResize = true; }
void IgnoreBorder() { Settings.ScalingIgnoreBorderSize = true; }

// A 1920 x 1080 display, a 16 x 39 border, a window found at 640 x 480 with an
// 800 x 600 client area, and every option off.
class DesiredSize : public ::testing::Test {
protected:
    void SetUp() override {
        Display(1920, 1080);
        EffectiveBorderWidth = 16, EffectiveBorderHeight = 39;
        OriginalWindowWidth = 640, OriginalWindowHeight = 480;
        Client(800, 600);
        Settings.MaintainAspectRatio = Settings.ClientResize = Settings.ScalingIgnoreBorderSize = false;
        Settings.AspectRatio = 0.0f;
        DesiredWidth = DesiredHeight = -7;
    }
    // An arithmetic error leaves the desired size untouched, at -7 x -7.
    struct Row { const char* label; Arrange arrange; int width, height; Lines trace = {}; std::string error = "none"; };
    void Check(const std::vector<Row>& rows) {
        for (const Row& r : rows) {
            SetUp();
            r.arrange();
            TraceCapture trace;
            std::string error = "none";
            try {
                ComputeDesiredWindowSize();
            } catch (const EMathError& e) {
                error = e.ClassName();
            }
            EXPECT_EQ(error, r.error) << r.label;
            EXPECT_EQ(std::to_string(DesiredWidth) + " x " + std::to_string(DesiredHeight),
                      std::to_string(r.width) + " x " + std::to_string(r.height)) << r.label;
            if (!r.trace.empty()) {
                EXPECT_EQ(trace.lines(), r.trace) << r.label;
            }
        }
    }
};

}  // namespace

TEST_F(DesiredSize, WorkedExamples) {
    Check({
        {"Defined", [] { Defined(800, 600); }, 800, 600},
        {"Defined, client resize", [] { Defined(800, 600), ClientResize(); }, 816, 639},
        {"WindowScale 150", [] { WindowScale(150); }, 960, 720},
        {"PixelScale 300", [] { PixelScale(320, 200, 300); }, 960, 600},
        {"DisplayScale 75 on 1366 x 768, 1024.5 to even", [] { Display(1366, 768), DisplayScale(75); }, 1024, 576},
        {"ties to even, 512.5 and 513.5", [] { PixelScale(1025, 1027, 50); }, 512, 514},
        {"DisplayScale 100, client resize, both cropped", [] { DisplayScale(100), ClientResize(); }, 1920, 1080,
         {"Desired window size: 1936 x 1119", kCropWidth, kCropHeight}},
        {"fit 4:3, client resize", [] { Fit(100, kFourThirds), ClientResize(); }, 1404, 1080,
         {"Aspect ratio [forced] (w/h): 1.333333", kTooTall, "Desired window size: 1404 x 1080"}},
        {"fit 4:3, border ignored", [] { Fit(100, kFourThirds), ClientResize(), IgnoreBorder(); }, 1456, 1080,
         {"Aspect ratio [forced] (w/h): 1.333333", kTooTall, "Desired window size: 1456 x 1119", kCropHeight}},
        {"fit 4:3 at 50 stays by width", [] { Fit(50, kFourThirds); }, 960, 720},
        {"fit 4:3 at 90 goes by height", [] { Fit(90, kFourThirds); }, 1296, 972},
        {"fit autodetected from 800 x 600", [] { Fit(100, 0.0f); }, 1440, 1080,
         {"Aspect ratio [autodetect] (w/h): 1.333333", kTooTall, "Desired window size: 1440 x 1080"}},
    });
}

TEST_F(DesiredSize, OwnEdges) {
    Check({
        {"single rounding first: 58.5 and 97.5 to even", [] { PixelScale(9, 15, 650); }, 58, 98},
        {"WindowScale scales the outer size, border added", [] { WindowScale(100), ClientResize(); }, 656, 519},
        {"DisplayScale without fit keeps the border in", [] { DisplayScale(50), ClientResize(); }, 976, 579},
        {"fitted height equal to the available one is not too tall", [] { Fit(75, kFourThirds); }, 1440, 1080,
         {"Aspect ratio [forced] (w/h): 1.333333", "Desired window size: 1440 x 1080"}},
        {"autodetected 16:9", [] { Fit(50, 0.0f), Client(1920, 1080); }, 960, 540,
         {"Aspect ratio [autodetect] (w/h): 1.777778", "Desired window size: 960 x 540"}},
        {"huge ratio: flat window, exponent text", [] { Fit(100, 1e30f); }, 1920, 0,
         {"Aspect ratio [forced] (w/h): 1e+30", "Desired window size: 1920 x 0"}},
    });
}

TEST_F(DesiredSize, ClampsToThe32BitRangeBeforeTheCrop) {
    const int kMax = std::numeric_limits<int>::max();
    Check({
        {"huge scale", [] { PixelScale(2000000000, 1000, 2000000000); }, 1920, 1080,
         {"Desired window size: 2147483647 x 2147483647", kCropWidth, kCropHeight}},
        {"border added to a clamped size", [] { PixelScale(2000000000, 10, 200), ClientResize(); }, 1920, 59,
         {"Desired window size: 2147483647 x 59", kCropWidth}},
        {"border added to the largest defined size", [=] { Defined(kMax, 1), ClientResize(); }, 1920, 40},
    });
}

TEST_F(DesiredSize, DetectsTheRatioWhenTheForcedOneIsNotPositive) {
    const Lines detected = {kNotPositive, "Aspect ratio [autodetect] (w/h): 1.333333", kTooTall,
                            "Desired window size: 1440 x 1080"};
    Check({{"negative", [] { Fit(100, -kFourThirds); }, 1440, 1080, detected},
           {"infinite", [] { Fit(100, std::numeric_limits<float>::infinity()); }, 1440, 1080, detected},
           {"not a number", [] { Fit(100, std::numeric_limits<float>::quiet_NaN()); }, 1440, 1080, detected}});
}

TEST_F(DesiredSize, ArithmeticErrorsEndTheComputation) {
    Check({{"client height 0", [] { Fit(100, 0.0f), Client(800, 0); }, -7, -7, {}, "EDivByZero"},
           {"client width 0: ratio 0, then w / 0", [] { Fit(100, 0.0f), Client(0, 600); }, -7, -7,
            {"Aspect ratio [autodetect] (w/h): 0"}, "EDivByZero"},
           {"client 0 x 0", [] { Fit(100, 0.0f), Client(0, 0); }, -7, -7, {}, "EInvalidOp"},
           {"ratio not positive, client height 0", [] { Fit(100, -1.0f), Client(800, 0); }, -7, -7, {}, "EDivByZero"},
           {"tiny ratio overflows w / r", [] { Fit(100, 1e-45f); }, -7, -7, {}, "EOverflow"}});
}
