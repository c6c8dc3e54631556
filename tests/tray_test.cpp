// The watch in the notification area: its icon and tooltip, the menu's items and
// what each choice does, the balloons, and the icon back after the shell restarts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/entry.h"
#include "settings/settings.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/trace_capture.h"
#include "watch/start_with_windows.h"
#include "watch/tray.h"
#include "watch/tray_menu.h"

using fake::aProgram;
using fake::aWindow;

namespace {

const char* const kExe = "C:\\Tools\\framewright.exe";
const char* const kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::int64_t kHour = 3600000;

std::string Profile(const std::string& name) {
    return "[program]\npath=C:\\Games\nname=" + name +
           "\n[windowresize]\nwindowfindmethod=pidonly\nfirstresizedelayms=100\nfirstresizetimeoutms=8000\n"
           "windowwidth=800\nwindowheight=600\nmovewindow=centre\nscalingmethod=defined\n";
}

class TrayTest : public ::testing::Test {
protected:
    void SetUp() override {
        desktop.exePath(kExe);
        desktop.program(kExe, aProgram().running(kHour).endingOnEvent("Local\\Framewright.Stop."));
        desktop.workingDirectory("C:\\Profiles");
        desktop.file("C:\\Games\\outpost.exe", "MZ").file("C:\\Games\\r&d.exe", "MZ");
        desktop.file("C:\\Profiles\\outpost.ini", Profile("outpost.exe"));
        desktop.file("C:\\Profiles\\rd.ini", Profile("r&d.exe"));
        desktop.file("C:\\Profiles\\bad.ini", "[windowresize]\nwindowwidth=0\n");
        outpost = desktop.startElsewhere("C:\\Games\\outpost.exe", aProgram().running(kHour).showing(aWindow()));
    }

    // The user clicks the icon at the time given and picks the command (0: none).
    void pick(std::int64_t atMs, std::uint32_t command) {
        desktop.at(atMs, [this, command] {
            desktop.chooseInMenu(command);
            desktop.postElsewhere(desktop.findWindowOfClass("FramewrightWatch"), kTrayIconMessage, 1,
                                  platform::kWmRButtonUp);
        });
    }
    void watchUntil(std::int64_t closeAtMs) {
        desktop.at(closeAtMs, [this] {
            desktop.postElsewhere(desktop.findWindowOfClass("FramewrightWatch"), platform::kWmClose);
        });
        InitialiseSettings();
        RunWatchFlow("");
    }
    std::size_t attachesOf(std::uint32_t pid) const {
        std::size_t count = 0;
        for (const fake::LaunchRecord& launch : desktop.launches()) {
            count += launch.commandLine.find("--attach " + std::to_string(pid) + " ") != std::string::npos;
        }
        return count;
    }

    fake::Desktop desktop;
    TraceCapture trace;
    std::uint32_t outpost = 0;
};

TEST_F(TrayTest, TheMenuShowsTheProfilesAndTheWatchsChoices) {
    std::string tip;
    desktop.at(1500, [&] { tip = desktop.notifyIcons().at(0).tip; });
    pick(2000, 0);
    pick(3000, kMenuPause);
    pick(4000, 0);
    watchUntil(5000);
    EXPECT_EQ(tip, "Framewright: watching 2 programs \xE2\x80\x94 1 running");
    ASSERT_EQ(desktop.menusShown().size(), 3u);
    const std::vector<platform::MenuItem>& menu = desktop.menusShown()[0];
    std::vector<std::string> texts;
    for (const platform::MenuItem& item : menu) texts.push_back((item.checked ? "[x] " : "") + item.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"[x] outpost.exe (outpost.ini)\trunning", "[x] r&&d.exe (rd.ini)", "",
                                               "&Pause all", "", "Open the profiles &folder", "Open the &log", "",
                                               "Start with &Windows", "", "&Quit"}));
    EXPECT_EQ(desktop.menusShown()[2][0].text, "outpost.exe (outpost.ini)") << "paused: given back";
    EXPECT_EQ(desktop.menusShown()[2][3].text, "&Resume all");
    EXPECT_TRUE(desktop.notifyIcons().empty()) << "removed at the end";
}

TEST_F(TrayTest, EachChoiceDoesWhatItSays) {
    pick(1500, kMenuFirstProfile);  // outpost.ini off: given back, and kept off
    pick(2500, kMenuStartWithWindows);
    pick(3000, kMenuOpenFolder);
    pick(3100, kMenuOpenLog);
    pick(3500, kMenuQuit);
    watchUntil(kHour);
    EXPECT_LT(desktop.now(), 60000) << "Quit ends the watch";
    EXPECT_TRUE(trace.contains("Stop requested of the supervisor of process " + std::to_string(outpost)));
    EXPECT_NE(desktop.fileContent("C:\\Profiles\\framewright-watch.off").find("\r\noutpost.ini\r\n"), std::string::npos);
    EXPECT_EQ(desktop.registryValue(kRunKey, "Framewright"), StartWithWindowsCommand(kExe, "C:\\Profiles"));
    ASSERT_EQ(desktop.shellExecutions().size(), 2u);
    EXPECT_EQ(desktop.shellExecutions()[0].file, "C:\\Profiles");
    EXPECT_EQ(desktop.shellExecutions()[1].file, "C:\\Profiles\\framewright-watch.log");
    EXPECT_TRUE(desktop.notifyIcons().empty());

    // Started again, the watch leaves the program alone until it is switched on.
    const std::int64_t start = desktop.now();
    pick(start + 1500, kMenuStartWithWindows);
    pick(start + 2000, kMenuFirstProfile);
    watchUntil(start + 4000);
    EXPECT_FALSE(desktop.menusShown().back()[0].checked);
    EXPECT_EQ(attachesOf(outpost), 2u) << "once before it was switched off, once after it was switched on";
    EXPECT_EQ(desktop.registryValue(kRunKey, "Framewright"), "");
}

TEST_F(TrayTest, BalloonsOnceEachAndTheIconBackAfterTheShellRestarts) {
    desktop.at(1500, [&] { desktop.file("C:\\Profiles\\bad.ini", "[windowresize]\nwindowwidth=0\n;touched\n"); });
    desktop.at(3000, [&] { desktop.restartShell(); });
    std::vector<std::string> balloons;
    std::size_t icons = 0;
    desktop.at(2900, [&] { balloons = desktop.notifyIcons().at(0).balloons; });
    desktop.at(3500, [&] { icons = desktop.notifyIcons().size(); });
    watchUntil(4000);
    EXPECT_EQ(icons, 1u);
    // Told before the icon was there; read again with the same refusal, not told again.
    EXPECT_EQ(balloons, std::vector<std::string>{"Framewright: Profile bad.ini refused: Invalid settings: "
                                                 "windowresize->windowfindmethod is not a legal value"});
}

}  // namespace
