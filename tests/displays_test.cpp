// windowresize->display: reading and checking the key, the chosen display's size
// and place, and the window's own display.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checktool/check_tool.h"
#include "geometry/measurement.h"
#include "geometry/placement.h"
#include "geometry/window_position.h"
#include "settings/load_settings.h"
#include "settings/settings.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/trace_capture.h"

using fake::aWindow;
using fake::Call;

namespace {

const std::string kConfigPath = "C:\\Games\\framewright.ini";
const char* const kGame = "C:\\Games\\Demo\\demo.exe";

std::string Config(const std::string& resize) {
    return "[program]\npath=C:\\Games\\Demo\nname=demo.exe\n[windowresize]\n" + resize +
           "windowfindmethod=pidonly\nfirstresizedelayms=50\nfirstresizetimeoutms=5000\n"
           "windowwidth=800\nwindowheight=600\nmovewindow=centre\nscalingmethod=defined\n";
}

// The listing line of a key, from its "=" on (or its "not read" note).
std::string ListedAs(const std::string& text, const std::string& key) {
    std::size_t at = ("\n" + text).find("\n  " + key + " ");
    if (at == std::string::npos) return "(no line for " + key + ")";
    std::string line = text.substr(at, text.find('\n', at) - at);
    return line.substr(line.find_first_not_of(' ', 2 + key.size()));
}

// Two displays side by side, as the display settings number them: 1920 x 1080
// (primary) and 1280 x 1024 to its right.
class Displays : public ::testing::Test {
protected:
    void SetUp() override {
        desktop.display(1920, 1080).addDisplay("\\\\.\\DISPLAY2", 1920, 0, 1280, 1024);
        desktop.file(kGame, "MZ");
    }

    bool Load(const std::string& resize) {
        desktop.file(kConfigPath, Config(resize));
        InitialiseSettings();
        return LoadSettings();
    }

    std::string Geometry() const {
        return std::to_string(DisplayLeft) + "," + std::to_string(DisplayTop) + " " + std::to_string(DisplayWidth) +
               "x" + std::to_string(DisplayHeight);
    }

    fake::Desktop desktop;
    TraceCapture trace;
};

TEST_F(Displays, ReadsTheKeyAndRejectsWhatNamesNoDisplay) {
    struct Row {
        const char* label;
        std::string line;
        std::vector<std::string> boxes;  // empty: loads
        DisplayChoice choice;
        int number;
        bool looksUp;  // the displays are listed to check the number
    };
    const std::string illegal = "Invalid settings: windowresize->display is not a legal value";
    const Row rows[] = {
        {"absent", "", {}, DisplayChoice::Primary, 0, false},
        {"empty", "display=\n", {}, DisplayChoice::Primary, 0, false},
        {"primary in any case", "display=Primary\n", {}, DisplayChoice::Primary, 0, false},
        {"window", "display=WINDOW\n", {}, DisplayChoice::Window, 0, false},
        {"a number", "display=2\n", {}, DisplayChoice::Numbered, 2, true},
        {"a number in hexadecimal", "display=$1\n", {}, DisplayChoice::Numbered, 1, true},
        {"zero", "display=0\n", {illegal}, DisplayChoice::Primary, 0, false},
        {"negative", "display=-1\n", {illegal}, DisplayChoice::Primary, 0, false},
        {"a device name", "display=\\\\.\\DISPLAY2\n", {illegal}, DisplayChoice::Primary, 0, false},
        {"a display the system lacks",
         "display=3\n",
         {"Invalid settings: windowresize->display is 3, but there is no display 3; the displays are "
          "1 (1920 x 1080 at 0, 0, primary), 2 (1280 x 1024 at 1920, 0)"},
         DisplayChoice::Numbered, 3, true},
        {"a missing display after the older checks", "display=3\nwindowwidth=0\n",
         {"Invalid settings: windowresize->windowwidth is not greater than 0"}, DisplayChoice::Numbered, 3, false},
    };
    for (const Row& row : rows) {
        desktop.resetCallCounts();
        const std::size_t before = desktop.boxes().size();
        EXPECT_EQ(Load(row.line), row.boxes.empty()) << row.label;
        const std::vector<std::string> all = desktop.boxTexts();
        EXPECT_EQ(std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(before), all.end()), row.boxes)
            << row.label;
        if (row.boxes.empty() || row.boxes[0] != illegal) {
            EXPECT_EQ(Settings.Display, row.choice) << row.label;
            EXPECT_EQ(Settings.DisplayNumber, row.number) << row.label;
        }
        EXPECT_EQ(desktop.calls(Call::EnumDisplayMonitors) > 0, row.looksUp) << row.label;
    }
}

TEST_F(Displays, TakesTheChosenDisplaysSizeAndPlaceBeforeTheLaunch) {
    struct Row {
        const char* label;
        DisplayChoice choice;
        int number;
        std::string geometry;
    };
    const Row rows[] = {
        {"primary", DisplayChoice::Primary, 0, "0,0 1920x1080"},
        {"display 2", DisplayChoice::Numbered, 2, "1920,0 1280x1024"},
        {"display 1", DisplayChoice::Numbered, 1, "0,0 1920x1080"},
        {"the window's: the primary one until it is found", DisplayChoice::Window, 0, "0,0 1920x1080"},
        {"a display gone since the check: the primary one", DisplayChoice::Numbered, 7, "0,0 1920x1080"},
    };
    for (const Row& row : rows) {
        InitialiseSettings();
        Settings.Display = row.choice;
        Settings.DisplayNumber = row.number;
        ReadDisplayResolution();
        EXPECT_EQ(Geometry(), row.geometry) << row.label;
    }
    EXPECT_TRUE(trace.contains("Display 2 (\\\\.\\DISPLAY2) at 1920, 0"));
    EXPECT_TRUE(trace.contains("Warning: display 7 is gone; using the primary display"));
}

TEST_F(Displays, CentreAndFixedCountFromTheDisplaysCorner) {
    struct Row {
        const char* label;
        MoveWindowMode mode;
        int windowX, windowY, width, height;
        int left, top;
    };
    const Row rows[] = {
        {"centred", MoveWindowMode::Centre, 0, 0, 800, 600, 1920 + 240, 212},
        {"centred, larger than the display: at its edge", MoveWindowMode::Centre, 0, 0, 1400, 1100, 1920, 0},
        {"fixed", MoveWindowMode::Fixed, 10, 20, 800, 600, 1930, 20},
        {"fixed, left of the display's edge", MoveWindowMode::Fixed, -8, 0, 800, 600, 1912, 0},
        {"fixed, far beyond the 32-bit range", MoveWindowMode::Fixed, 2147483647, -5, 800, 600, 2147483647, -5},
    };
    for (const Row& row : rows) {
        InitialiseSettings();
        Settings.Display = DisplayChoice::Numbered;
        Settings.DisplayNumber = 2;
        Settings.MoveWindow = row.mode;
        Settings.WindowX = row.windowX;
        Settings.WindowY = row.windowY;
        ReadDisplayResolution();
        DesiredWidth = row.width;
        DesiredHeight = row.height;
        std::int32_t x = 0, y = 0;
        ASSERT_TRUE(ComputeWindowPosition(x, y)) << row.label;
        EXPECT_EQ(std::to_string(x) + "," + std::to_string(y), std::to_string(row.left) + "," + std::to_string(row.top))
            << row.label;
    }
}

// display=window: the display is taken whenever the window is found, before its
// size is computed; the display size also crops it.
TEST_F(Displays, TheWindowsDisplayIsTakenEachTimeItIsFound) {
    struct Row {
        const char* label;
        platform::Rect at;
        std::string display;
        int left, top;
    };
    const Row rows[] = {
        {"wholly on display 2", {2000, 100, 2640, 580}, "1920,0 1280x1024", 2160, 212},
        {"mostly on display 2", {1800, 100, 2440, 580}, "1920,0 1280x1024", 2160, 212},
        {"mostly on display 1", {1500, 100, 2140, 580}, "0,0 1920x1080", 560, 240},
        {"on none: the nearest", {5000, 3000, 5640, 3480}, "1920,0 1280x1024", 2160, 212},
    };
    for (const Row& row : rows) {
        InitialiseSettings();
        Settings.Display = DisplayChoice::Window;
        Settings.FindByPid = false;
        Settings.FindByName = true;
        Settings.NameMask = row.label;
        Settings.ScalingMethod = ScalingMethod::DisplayScale;
        Settings.Scale = 150;  // larger than either display: cropped to the window's
        Settings.MoveWindow = MoveWindowMode::Centre;
        ReadDisplayResolution();
        desktop.addWindow(aWindow().withTitle(row.label).at(row.at.left, row.at.top, row.at.right, row.at.bottom));
        ASSERT_TRUE(MeasureTargetWindow()) << row.label;
        EXPECT_EQ(Geometry(), row.display) << row.label;
        EXPECT_EQ(std::to_string(DesiredWidth) + "x" + std::to_string(DesiredHeight),
                  row.display.substr(row.display.find(' ') + 1))
            << row.label;
        Settings.ScalingMethod = ScalingMethod::Defined;
        Settings.WindowWidth = 800;
        Settings.WindowHeight = 600;
        ASSERT_TRUE(MeasureTargetWindow()) << row.label;
        ASSERT_TRUE(MoveAndResizeWindow(true)) << row.label;
        platform::Rect placed = desktop.windowRect(TargetWindow);
        EXPECT_EQ(std::to_string(placed.left) + "," + std::to_string(placed.top),
                  std::to_string(row.left) + "," + std::to_string(row.top))
            << row.label;
        desktop.destroyWindow(TargetWindow);
    }
    EXPECT_TRUE(trace.contains("Display of the window: \\\\.\\DISPLAY2, 1280 x 1024 at 1920, 0"));
}

TEST(DisplayNames, OnlyDisplayAndANumberGiveADisplayNumber) {
    const std::pair<const char*, int> rows[] = {
        {"\\\\.\\DISPLAY1", 1},   {"\\\\.\\display12", 12}, {"\\\\.\\DISPLAY", 0},
        {"\\\\.\\DISPLAY2x", 0},  {"DISPLAY2", 0},          {"\\\\.\\DISPLAY1234567890", 0},
        {"\\\\.\\DISPLAY007", 7},
    };
    for (const auto& row : rows) EXPECT_EQ(DisplayNumberOf(row.first), row.second) << row.first;
}

TEST_F(Displays, TheCheckToolListsTheKeysTheDisplaysAndPlacesOnTheChosenOne) {
    desktop.file(kConfigPath, Config("display=2\nmovewindow=fixed\nwindowx=10\n") + "[tweaks]\nborderless=1\n");
    CheckResult result = RunCheckTool({"--window", "816x639", "--client", "800x600"});
    EXPECT_EQ(result.exitCode, 0) << result.out;
    EXPECT_EQ(ListedAs(result.out, "windowresize->display"), "= 2  (from the file)");
    EXPECT_EQ(ListedAs(result.out, "tweaks->borderless"), "= on  (from the file)");
    for (const char* line :
         {"  frame      takes the frame off the window before each placement",
          "  display    1280 x 1024 (this system's) at 1920, 0, display 2",
          "  window     816 x 639, client area 800 x 600, border 0 x 0 (borderless)", "  size       800 x 600",
          "  position   1930, 0 (fixed)", "Displays this system has:", "  1          1920 x 1080 at 0, 0 (primary)",
          "  2          1280 x 1024 at 1920, 0"}) {
        EXPECT_NE(("\n" + result.out).find(std::string("\n") + line + "\n"), std::string::npos)
            << line << "\n" << result.out;
    }

    desktop.file(kConfigPath, Config("display=second\n"));
    result = RunCheckTool({});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(ListedAs(result.out, "windowresize->display"), "= \"second\"  (loading stopped here, see below)");
    EXPECT_EQ(ListedAs(result.out, "tweaks->borderless"), "not read: loading stopped at the rejection");
}

}  // namespace
