// tweaks->borderless: the frame comes off before every placement, the lock takes
// it off again, and a window that keeps its frame is not fought.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/windows.h"
#include "settings/settings.h"
#include "supervisor/supervisor.h"
#include "tests/support/centred_game.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/trace_capture.h"

using fake::aProgram;
using fake::aWindow;
using fake::Call;

namespace {

const char* const kGame = "C:\\Games\\Old\\game.exe";
constexpr std::uint32_t kOverlappedWindow = 0x14CF0000u;  // WS_OVERLAPPEDWINDOW | WS_VISIBLE
constexpr std::uint32_t kBare = 0x14000000u;               // WS_VISIBLE | WS_CLIPSIBLINGS
constexpr std::uint32_t kClientEdge = 0x200u;

std::string Text(const platform::Rect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
           std::to_string(r.bottom - r.top);
}

// The classic borderless fullscreen: the whole display height, the program's own
// ratio, centred, locked; a captioned 816 x 639 window that draws 800 x 600.
class Borderless : public ::testing::Test {
protected:
    void SetUp() override {
        UseCentredGame(kGame);
        Settings.WindowWidth = Settings.WindowHeight = 1;
        Settings.ScalingMethod = ScalingMethod::DisplayScale;
        Settings.Scale = 100;
        Settings.MaintainAspectRatio = Settings.LockWindow = Settings.Borderless = true;
    }

    platform::WindowHandle window() const { return desktop.windowOfLastLaunch(); }
    std::string client() const {
        platform::Rect r;
        desktop.clientRect(window(), r);
        return std::to_string(r.right) + "x" + std::to_string(r.bottom);
    }

    fake::WindowSpec captioned = aWindow().at(100, 100, 916, 739).client(800, 600);
    fake::Desktop desktop;
    TraceCapture trace;
};

TEST_F(Borderless, TheFrameComesOffAndTheClientAreaFillsThePillarBoxedWindow) {
    struct Row {
        const char* label;
        bool clientResize;
        ScalingMethod method;
        std::string placed;
    };
    const Row rows[] = {
        {"display fit by the client's 4:3", false, ScalingMethod::DisplayScale, "240,0 1440x1080"},
        {"clientresize adds no border", true, ScalingMethod::DisplayScale, "240,0 1440x1080"},
        {"windowscale scales what the program draws", false, ScalingMethod::WindowScale, "560,240 800x600"},
    };
    for (const Row& row : rows) {
        Settings.ClientResize = row.clientResize;
        Settings.ScalingMethod = row.method;
        desktop.program(kGame, aProgram().running(300).showing(captioned.styles(kOverlappedWindow, kClientEdge)));
        desktop.at(desktop.now() + 200, [&] {
            EXPECT_EQ(Text(desktop.windowRect(window())), row.placed) << row.label;
            EXPECT_EQ(client(), row.placed.substr(row.placed.find(' ') + 1)) << row.label;
            EXPECT_EQ(desktop.windowStyle(window()), kBare) << row.label;
            EXPECT_EQ(desktop.windowExStyle(window()), 0u) << row.label;
        });
        RunTargetProgram();
        EXPECT_TRUE(trace.contains("Border size [borderless]: 0 x 0")) << row.label;
        EXPECT_TRUE(trace.contains("Original window client size: 800 x 600")) << row.label;
        EXPECT_EQ(desktop.setWindowPosFlags().back(), 0x14u | platform::kSwpFrameChanged) << row.label;
    }
}

TEST_F(Borderless, TheLockTakesAFramePutBackOffWithinOneCycleForOneStyleReadACycle) {
    desktop.program(kGame, aProgram().running(3000).showing(captioned));
    desktop.at(1000, [&] { desktop.resetCallCounts(); });
    desktop.at(1500, [&] {
        std::uint64_t cycles = desktop.calls(Call::Sleep);
        EXPECT_EQ(desktop.calls(Call::GetWindowLongA), cycles);
        EXPECT_EQ(desktop.totalCalls(), 4 * cycles);
        desktop.setWindowStyle(window(), kOverlappedWindow);
        EXPECT_EQ(client(), "1424x1041") << "the program's frame is back";
    });
    desktop.at(1515, [&] {
        EXPECT_EQ(desktop.windowStyle(window()), kBare);
        EXPECT_EQ(desktop.windowExStyle(window()), 0u) << "the window edge went with the frame";
        EXPECT_EQ(client(), "1440x1080");
        EXPECT_EQ(Text(desktop.windowRect(window())), "240,0 1440x1080");
    });
    RunTargetProgram();
}

TEST_F(Borderless, ABareWindowCostsOnlyItsStyleReads) {
    desktop.program(kGame, aProgram().running(1000).showing(aWindow().at(0, 0, 800, 600).client(800, 600)));
    RunTargetProgram();
    EXPECT_EQ(desktop.calls(Call::SetWindowLongA), 0u);
    ASSERT_EQ(desktop.setWindowPosFlags().size(), 1u);
    EXPECT_EQ(desktop.setWindowPosFlags()[0], 0x14u) << "no frame change";
}

// A window that turns the change down keeps its size locked, but its style is not
// written again until it changes.
TEST_F(Borderless, AWindowThatKeepsItsFrameIsNotFought) {
    const std::string kept = "Warning: the window keeps its frame (style 0x14CF0000, extended style 0x00000100); "
                             "not trying again until its style changes";
    desktop.program(kGame, aProgram().running(3000).showing(captioned.refusingStyleChange()));
    desktop.at(1000, [&] {
        EXPECT_EQ(desktop.calls(Call::SetWindowLongA), 2u) << "style and extended style, once";
        EXPECT_EQ(Text(desktop.windowRect(window())), "240,0 1440x1080") << "the size is applied all the same";
        desktop.moveWindow(window(), 240, 0, 700, 500);
    });
    desktop.at(1100, [&] {
        EXPECT_EQ(Text(desktop.windowRect(window())), "240,0 1440x1080") << "the size lock goes on";
        EXPECT_EQ(desktop.calls(Call::SetWindowLongA), 2u);
    });
    RunTargetProgram();
    std::vector<std::string> warnings;
    for (const auto& line : trace.lines()) {
        if (line.rfind("Warning: the window keeps its frame", 0) == 0) warnings.push_back(line);
    }
    EXPECT_EQ(warnings, std::vector<std::string>{kept});
    EXPECT_EQ(desktop.setWindowPosFlags().size(), 2u) << "the first placement and the one restoring the size";
}

}  // namespace
