// The watch: a folder's profiles matched against the programs others start, one
// attached supervisor per program, refused profiles, the hand-over to a running
// watch, --watch --stop, and the supervisions stopped at the end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/entry.h"
#include "platform/windows.h"
#include "settings/settings.h"
#include "supervisor/supervision_marks.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/trace_capture.h"

using fake::aProgram;
using fake::aWindow;

namespace {

const char* const kExe = "C:\\Tools\\framewright.exe";
const char* const kGame = "C:\\Games\\Outpost\\outpost.exe";
constexpr std::int64_t kHour = 3600000;

std::string Profile(const std::string& program) {
    return "[program]\n" + program +
           "\n[windowresize]\nwindowfindmethod=pidonly\nfirstresizedelayms=100\nfirstresizetimeoutms=8000\n"
           "windowwidth=800\nwindowheight=600\nmovewindow=centre\nscalingmethod=defined\n";
}

class WatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        desktop.exePath(kExe);
        desktop.program(kExe, aProgram().running(kHour).endingOnEvent("Local\\Framewright.Stop."));
        desktop.workingDirectory("C:\\Profiles");
    }

    // The watch runs until its window is closed at the time given.
    int watch(std::int64_t closeAtMs, const std::string& folder = "") {
        desktop.at(closeAtMs, [this] {
            desktop.postElsewhere(desktop.findWindowOfClass("FramewrightWatch"), platform::kWmClose);
        });
        InitialiseSettings();
        return RunWatchFlow(folder);
    }

    std::vector<std::string> attaches() const {
        std::vector<std::string> lines;
        for (const fake::LaunchRecord& launch : desktop.launches()) lines.push_back(launch.commandLine);
        return lines;
    }

    fake::Desktop desktop;
    TraceCapture trace;
};

// The program's file as the profile names it, and as the system names the image.
TEST_F(WatchTest, AProgramMatchesByItsFileAsWindowsComparesPaths) {
    desktop.file(kGame, "MZ").shortName("C:\\Games\\Outpost", "OUTPOS~1");
    struct Row { const char* label; std::string program; };
    const Row rows[] = {
        {"as written", "path=C:\\Games\\Outpost\nname=outpost.exe"},
        {"another case", "path=c:\\GAMES\\outpost\nname=OUTPOST.EXE"},
        {"with . and ..", "path=C:\\Games\\.\\Other\\..\\Outpost\nname=outpost.exe"},
        {"a short name", "path=C:\\Games\\OUTPOS~1\nname=outpost.exe"},
        {"relative to the folder", "path=..\\Games\\Outpost\nname=outpost.exe"},
    };
    for (const Row& row : rows) {
        desktop.file("C:\\Profiles\\outpost.ini", Profile(row.program));
        const std::int64_t start = desktop.now();
        const std::uint32_t pid = desktop.startElsewhere(kGame, aProgram().running(2000).showing(aWindow()));
        const std::size_t before = desktop.launches().size();
        EXPECT_EQ(watch(start + 3000), 0) << row.label;
        ASSERT_EQ(desktop.launches().size(), before + 1) << row.label;
        const fake::LaunchRecord& launch = desktop.launches().back();
        EXPECT_EQ(launch.commandLine,
                  "\"" + std::string(kExe) + "\" --attach " + std::to_string(pid) + " \"C:\\Profiles\\outpost.ini\"")
            << row.label;
        // The drive letter keeps the case it was written in, as GetLongPathNameW keeps it.
        EXPECT_EQ(launch.currentDirectory.substr(1), ":\\Games\\Outpost") << row.label;
    }
    EXPECT_TRUE(desktop.boxes().empty());
}

// One supervisor per process: seen by the hook and the walk alike, and left alone
// when another Framewright supervises it; a second program gets its own.
TEST_F(WatchTest, OneSupervisorPerProcess) {
    desktop.file(kGame, "MZ");
    desktop.file("C:\\Profiles\\outpost.ini", Profile("path=C:\\Games\\Outpost\nname=outpost.exe"));
    const std::uint32_t running = desktop.startElsewhere(kGame, aProgram().running(kHour).showing(aWindow()));
    const std::uint32_t marked = desktop.startElsewhere(kGame, aProgram().running(kHour).showing(aWindow()));
    desktop.mutexHeldElsewhere(SupervisedMarkName(marked));
    std::uint32_t later = 0;
    desktop.at(2500, [&] {
        later = desktop.startElsewhere(kGame, aProgram().running(kHour).showing(aWindow()).showing(aWindow()));
    });
    EXPECT_EQ(watch(5000), 0);
    ASSERT_EQ(attaches().size(), 2u);
    EXPECT_NE(attaches()[0].find("--attach " + std::to_string(running) + " "), std::string::npos);
    EXPECT_NE(attaches()[1].find("--attach " + std::to_string(later) + " "), std::string::npos);
    EXPECT_EQ(desktop.launches().size(), 2u);
    EXPECT_TRUE(trace.contains("Another Framewright supervises outpost.exe (process " + std::to_string(marked) +
                               "): left alone"));
}

// The walk once a second asks each window's process once, not at every walk.
TEST_F(WatchTest, TheWalkAsksOnlyNewWindowsForTheirProcess) {
    desktop.file(kGame, "MZ");
    desktop.file("C:\\Profiles\\outpost.ini", Profile("path=C:\\Games\\Outpost\nname=outpost.exe"));
    fake::ProgramSpec load = aProgram().running(kHour);
    for (int i = 0; i < 50; ++i) load.showing(aWindow());
    desktop.startElsewhere("C:\\Other\\load.exe", load);
    std::uint32_t game = 0;
    desktop.at(5500, [&] { game = desktop.startElsewhere(kGame, aProgram().running(kHour).showing(aWindow())); });
    desktop.resetCallCounts();
    EXPECT_EQ(watch(10000), 0);
    // 50 windows and the watch's own, once each; the game's once by its event, once by the walk.
    EXPECT_LE(desktop.calls(fake::Call::GetWindowThreadProcessId), 55u);
    ASSERT_EQ(attaches().size(), 1u);
    EXPECT_NE(attaches()[0].find("--attach " + std::to_string(game) + " "), std::string::npos);
}

// Refused profiles are logged, never shown; the first by name wins a program.
TEST_F(WatchTest, RefusedProfilesAndTheFirstByName) {
    desktop.file(kGame, "MZ");
    desktop.file("C:\\Profiles\\b.ini", Profile("path=C:\\Games\\Outpost\nname=outpost.exe"));
    desktop.file("C:\\Profiles\\A.ini", Profile("path=C:\\Games\\Outpost\nname=OUTPOST.exe"));
    desktop.file("C:\\Profiles\\c.ini", "[windowresize]\nwindowwidth=0\n");
    desktop.file("C:\\Profiles\\d.ini", Profile(""));
    desktop.file("C:\\Profiles\\notes.txt", "not a profile");
    desktop.startElsewhere(kGame, aProgram().running(kHour).showing(aWindow()));
    EXPECT_EQ(watch(2000), 0);
    EXPECT_TRUE(desktop.boxes().empty());
    EXPECT_TRUE(trace.contains("Profile A.ini watches C:\\Games\\Outpost\\outpost.exe"));
    EXPECT_TRUE(trace.contains("Profile b.ini: its program C:\\Games\\Outpost\\outpost.exe is watched through A.ini, "
                               "first by name"));
    EXPECT_TRUE(trace.contains("Profile c.ini refused: Invalid settings: windowresize->windowfindmethod is not a "
                               "legal value"));
    EXPECT_TRUE(trace.contains("Profile d.ini names no program ([program] name): not watched"));
    ASSERT_EQ(attaches().size(), 1u);
    EXPECT_NE(attaches()[0].find("\"C:\\Profiles\\A.ini\""), std::string::npos);
    EXPECT_NE(desktop.fileContent("C:\\Profiles\\framewright-watch.log").find("watched folder: C:\\Profiles"),
              std::string::npos);

    desktop.removeFile("C:\\Profiles\\A.ini").removeFile("C:\\Profiles\\b.ini");
    EXPECT_EQ(watch(desktop.now() + 2000), 0);
    EXPECT_EQ(desktop.boxTexts(),
              std::vector<std::string>{"No profile in C:\\Profiles can be watched: every .ini file there is refused or "
                                       "names no program (framewright-watch.log there says why)."});
}

// At the end every supervisor gets its stop request and is waited for; a profile
// changed while the watch runs is applied again.
TEST_F(WatchTest, SupervisionsStopAtTheEndAndWhenTheirProfileChanges) {
    desktop.file(kGame, "MZ");
    desktop.file("C:\\Profiles\\outpost.ini", Profile("path=C:\\Games\\Outpost\nname=outpost.exe"));
    const std::uint32_t pid = desktop.startElsewhere(kGame, aProgram().running(kHour).showing(aWindow()));
    desktop.at(2000, [&] {
        desktop.file("C:\\Profiles\\outpost.ini", Profile("path=C:\\Games\\Outpost\nname=outpost.exe\n;edited"));
    });
    EXPECT_EQ(watch(6000), 0);
    ASSERT_EQ(attaches().size(), 2u) << "the edited profile is attached again";
    for (const fake::LaunchRecord& launch : desktop.launches()) {
        EXPECT_NE(launch.commandLine.find("--attach " + std::to_string(pid)), std::string::npos);
    }
    EXPECT_TRUE(trace.contains("The watch ends"));
    EXPECT_EQ(desktop.openHandleCount(), 0);
    EXPECT_FALSE(desktop.namedObjectExists("Local\\Framewright.Watch"));
}

// A second watch hands its folder to the running one; --stop closes it and waits.
TEST_F(WatchTest, HandOverAndStop) {
    desktop.directory("C:\\Other");
    const std::uint32_t other = desktop.startElsewhere(
        kExe, aProgram().running(kHour).endingOnClose().showing(aWindow().ofClass("FramewrightWatch").withTitle("C:\\Profiles")));
    desktop.mutexHeldElsewhere("Local\\Framewright.Watch");
    InitialiseSettings();
    EXPECT_EQ(RunWatchFlow("..\\Other\\"), 0);
    ASSERT_EQ(desktop.messagesToOthers().size(), 1u);
    EXPECT_EQ(desktop.messagesToOthers()[0].message, platform::kWmCopyData);
    EXPECT_EQ(desktop.messagesToOthers()[0].copyDataKind, 0x46574644u);
    EXPECT_EQ(desktop.messagesToOthers()[0].copyData, "C:\\Other");

    EXPECT_EQ(RunStopWatchFlow(), 0);
    EXPECT_EQ(desktop.messagesToOthers().back().message, platform::kWmClose);
    EXPECT_EQ(desktop.pidOf(kExe), other);
    EXPECT_TRUE(trace.contains("The watch has ended"));
    EXPECT_EQ(RunStopWatchFlow(), 0);
    EXPECT_TRUE(trace.contains("No watch is running"));
}

// In code page 932 a folder's name may end in a character whose second byte is a
// backslash: that byte is no separator, to be cut off or doubled.
TEST_F(WatchTest, AFolderEndingInADoubleByteCharacter) {
    const std::string folder = "C:\\\x95\\";  // one character, its second byte 0x5C
    desktop.ansiCodePage(932).directory(folder).file(kGame, "MZ");
    desktop.file(folder + "\\outpost.ini", Profile("path=C:\\Games\\Outpost\nname=outpost.exe"));
    desktop.startElsewhere(kGame, aProgram().running(kHour).showing(aWindow()));
    EXPECT_EQ(watch(2000, folder), 0);
    EXPECT_TRUE(desktop.boxes().empty());
    ASSERT_EQ(attaches().size(), 1u);
    EXPECT_NE(desktop.fileContent(folder + "\\framewright-watch.log").find("watched folder: " + folder + "\r\n"),
              std::string::npos);
}

// The running watch takes a folder handed over: the old one's supervisions stop.
TEST_F(WatchTest, TheRunningWatchSwitchesToAFolderHandedOver) {
    desktop.file(kGame, "MZ");
    desktop.file("C:\\Profiles\\outpost.ini", Profile("path=C:\\Games\\Outpost\nname=outpost.exe"));
    desktop.file("C:\\Other\\none.ini", Profile(""));
    desktop.startElsewhere(kGame, aProgram().running(kHour).showing(aWindow()));
    desktop.at(2000, [&] {
        desktop.sendCopyDataElsewhere(desktop.findWindowOfClass("FramewrightWatch"), 0x46574644u, "C:\\Other");
    });
    std::string title;
    desktop.at(3000, [&] {
        char text[64] = {};
        desktop.windowText(desktop.findWindowOfClass("FramewrightWatch"), text, sizeof text);
        title = text;
    });
    EXPECT_EQ(watch(4000), 0);
    EXPECT_EQ(title, "C:\\Other");
    EXPECT_TRUE(trace.contains("Stop requested of the supervisor of process " + std::to_string(desktop.pidOf(kGame))));
    EXPECT_NE(desktop.fileContent("C:\\Other\\framewright-watch.log").find("Profile outpost.ini is gone"),
              std::string::npos);
}

}  // namespace
