#include <gtest/gtest.h>

#include "geometry/measurement.h"
#include "geometry/placement.h"
#include "settings/settings.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/trace_capture.h"

using fake::aWindow;
using fake::Call;

namespace {

class Placement : public ::testing::Test {
protected:
    void SetUp() override {
        InitialiseSettings();
        window = desktop.addWindow(aWindow().at(100, 100, 740, 580));
        TargetWindow = window;
    }

    void place(int displayWidth, int displayHeight, int width, int height) {
        DisplayWidth = displayWidth;
        DisplayHeight = displayHeight;
        DesiredWidth = width;
        DesiredHeight = height;
    }

    fake::Desktop desktop;
    TraceCapture trace;
    platform::WindowHandle window = 0;
};

TEST_F(Placement, Positions) {
    struct Case {
        const char* label;
        MoveWindowMode mode;
        int displayWidth, displayHeight, width, height, windowX, windowY;
        int left, top;
    };
    const Case cases[] = {
        {"centred, full height", MoveWindowMode::Centre, 1920, 1080, 1404, 1080, 0, 0, 258, 0},
        {"centred, each half truncated", MoveWindowMode::Centre, 1366, 768, 1025, 577, 0, 0, 171, 96},
        {"centred, wider than the display", MoveWindowMode::Centre, 1920, 1080, 2000, 1000, 0, 0, 0, 40},
        {"fixed, negative as given", MoveWindowMode::Fixed, 1920, 1080, 800, 600, -8, 0, -8, 0},
        {"fixed, beyond the display", MoveWindowMode::Fixed, 1920, 1080, 800, 600, 5000, 3000, 5000, 3000},
    };
    for (const Case& c : cases) {
        Settings.MoveWindow = c.mode;
        Settings.WindowX = c.windowX;
        Settings.WindowY = c.windowY;
        place(c.displayWidth, c.displayHeight, c.width, c.height);
        ASSERT_TRUE(MoveAndResizeWindow(true)) << c.label;
        platform::Rect r = desktop.windowRect(window);
        EXPECT_EQ(r.left, c.left) << c.label;
        EXPECT_EQ(r.top, c.top) << c.label;
        EXPECT_EQ(r.right - r.left, c.width) << c.label;
        EXPECT_EQ(r.bottom - r.top, c.height) << c.label;
        EXPECT_EQ(LastAppliedLeft, c.left) << c.label;
        EXPECT_EQ(LastAppliedTop, c.top) << c.label;
    }
}

TEST_F(Placement, OffscreenCentreIsTracedAndClampedAxisByAxis) {
    Settings.MoveWindow = MoveWindowMode::Centre;
    place(1920, 1080, 2000, 1200);
    MoveAndResizeWindow(true);
    EXPECT_EQ(trace.lines(), (std::vector<std::string>{"Warning: Window would have been offscreen (new X position = -40",
                                                       "Warning: Window would have been offscreen (new Y position = -60"}));
}

TEST_F(Placement, WithoutRepositionOnlyTheSizeChanges) {
    Settings.MoveWindow = MoveWindowMode::Centre;
    place(1920, 1080, 800, 600);
    ASSERT_TRUE(ApplyWindowPlacement(false));
    EXPECT_EQ(desktop.setWindowPosFlags(), std::vector<std::uint32_t>{0x16});
    platform::Rect r = desktop.windowRect(window);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.right, 900);
    EXPECT_EQ(trace.lines(), std::vector<std::string>{"New window position: 100, 100 - 800 x 600"});
}

TEST_F(Placement, RecordsTheRequestedSizeNotTheSizeTheWindowTook) {
    desktop.destroyWindow(window);
    TargetWindow = window = desktop.addWindow(aWindow().maxSize(640, 480));
    Settings.MoveWindow = MoveWindowMode::Fixed;
    place(1920, 1080, 800, 600);
    ASSERT_TRUE(MoveAndResizeWindow(true));
    EXPECT_EQ(LastAppliedWidth, 800);
    EXPECT_EQ(LastAppliedHeight, 600);
    EXPECT_EQ(desktop.windowRect(window).right, 640);
}

TEST_F(Placement, FailedPlacementLosesTheWindowButStillTraces) {
    Settings.MoveWindow = MoveWindowMode::Fixed;
    place(1920, 1080, 800, 600);
    ASSERT_TRUE(MoveAndResizeWindow(true));
    desktop.destroyWindow(window);
    place(1920, 1080, 1024, 768);
    EXPECT_FALSE(ApplyWindowPlacement(true));
    EXPECT_EQ(TargetWindow, platform::kNoWindow);
    EXPECT_EQ(LastAppliedLeft, 0) << "the last read-back edges stay";
    EXPECT_EQ(LastAppliedWidth, 1024);
    EXPECT_EQ(trace.lines().back(), "New window position: 0, 0 - 1024 x 768");
}

TEST_F(Placement, InvalidModeShowsTheInternalErrorAndEndsAtOnce) {
    Settings.MoveWindow = MoveWindowMode::None;
    place(1920, 1080, 800, 600);
    EXPECT_THROW(MoveAndResizeWindow(true), fake::ProcessExit);
    EXPECT_EQ(desktop.boxTexts(), std::vector<std::string>{"Internal error in MoveAndResizeWindow: movewindow mode invalid"});
    EXPECT_EQ(desktop.calls(Call::SetWindowPos), 0u);
}

class Measurement : public ::testing::Test {
protected:
    void SetUp() override {
        InitialiseSettings();
        Settings.FindByPid = true;
        Settings.AutodetectBorderSize = true;
        Settings.WindowWidth = 800;
        Settings.WindowHeight = 600;
        DisplayWidth = 1920;
        DisplayHeight = 1080;
        TargetProcessId = 42;
    }

    fake::Desktop desktop;
    TraceCapture trace;
};

TEST_F(Measurement, ReadsTheDisplayOnce) {
    desktop.display(1366, 768);
    ReadDisplayResolution();
    EXPECT_EQ(DisplayWidth, 1366);
    EXPECT_EQ(DisplayHeight, 768);
    EXPECT_EQ(trace.lines(), std::vector<std::string>{"Display resolution: 1366 x 768"});
}

TEST_F(Measurement, MeasuresBorderOuterAndClientSizes) {
    struct Case { const char* label; bool autodetect; int outerW, outerH, clientW, clientH; int borderW, borderH; };
    const Case cases[] = {
        {"autodetected", true, 816, 639, 800, 600, 16, 39},
        {"borderless", true, 640, 480, 640, 480, 0, 0},
        {"forced", false, 816, 639, 800, 600, 10, 30},
    };
    for (const Case& c : cases) {
        fake::Desktop* d = &desktop;
        platform::WindowHandle w = d->addWindow(aWindow().ownedBy(42).at(20, 30, 20 + c.outerW, 30 + c.outerH)
                                                    .client(c.clientW, c.clientH));
        Settings.AutodetectBorderSize = c.autodetect;
        Settings.BorderWidth = 10;
        Settings.BorderHeight = 30;
        ASSERT_TRUE(MeasureTargetWindow()) << c.label;
        EXPECT_EQ(TargetWindow, w) << c.label;
        EXPECT_EQ(EffectiveBorderWidth, c.borderW) << c.label;
        EXPECT_EQ(EffectiveBorderHeight, c.borderH) << c.label;
        EXPECT_EQ(OriginalWindowWidth, c.outerW) << c.label;
        EXPECT_EQ(OriginalWindowHeight, c.outerH) << c.label;
        EXPECT_EQ(OriginalClientWidth, c.clientW) << c.label;
        EXPECT_EQ(OriginalClientHeight, c.clientH) << c.label;
        d->destroyWindow(w);
    }
    EXPECT_TRUE(trace.contains("Border size [autodetect]: 16 x 39"));
    EXPECT_TRUE(trace.contains("Border size [forced]: 10 x 30"));
    EXPECT_TRUE(trace.contains("Original window size: 816 x 639"));
    EXPECT_TRUE(trace.contains("Original window client size: 800 x 600"));
}

TEST_F(Measurement, NothingFoundChangesNothing) {
    OriginalWindowWidth = 123;
    DesiredWidth = 456;
    TargetWindow = 99;
    desktop.addWindow(aWindow().ownedBy(7));
    EXPECT_FALSE(MeasureTargetWindow());
    EXPECT_EQ(TargetWindow, platform::kNoWindow);
    EXPECT_EQ(OriginalWindowWidth, 123);
    EXPECT_EQ(DesiredWidth, 456);
}

TEST_F(Measurement, WindowLostBetweenSearchAndMeasurementCountsAsNotFound) {
    for (Call lostBefore : {Call::GetWindowRect, Call::GetClientRect}) {
        platform::WindowHandle w = desktop.addWindow(aWindow().ownedBy(42).at(0, 0, 816, 639).client(800, 600));
        OriginalWindowWidth = 123;
        desktop.beforeNext(lostBefore, [&, w] { desktop.destroyWindow(w); });
        EXPECT_FALSE(MeasureTargetWindow()) << fake::CallName(lostBefore);
        EXPECT_EQ(TargetWindow, platform::kNoWindow) << fake::CallName(lostBefore);
        EXPECT_EQ(OriginalWindowWidth, 123) << fake::CallName(lostBefore);
    }
}

}  // namespace
