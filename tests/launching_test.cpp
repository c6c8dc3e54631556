// Launching as people do it: a profile named on the command line, a program started
// through a launcher stub, and a log file to send along with a question.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/entry.h"
#include "checktool/check_tool.h"
#include "diagnostics/log_file.h"
#include "diagnostics/trace.h"
#include "settings/full_path.h"
#include "settings/settings.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/log_text.h"
#include "tests/support/trace_capture.h"

using fake::aProgram;
using fake::aWindow;
using fake::Call;

namespace {

const char* const kStub = "C:\\Games\\Old\\start.exe";
const char* const kGame = "C:\\Games\\Old\\game.exe";

std::string Ini(const std::string& more = "", const std::string& name = "game.exe") {
    return "[program]\npath=C:\\Games\\Old\nname=" + name + "\n" + more +
           "[windowresize]\nwindowfindmethod=pidonly\nfirstresizedelayms=100\nfirstresizetimeoutms=5000\n"
           "windowwidth=800\nwindowheight=600\nmovewindow=centre\nscalingmethod=defined\nlockwindow=1\n";
}

TEST(FullPath, MakesWhatTheUserWroteFullAsWindowsWould) {
    struct Row { const char* directory; const char* path; const char* full; };
    const Row rows[] = {
        {"C:\\Launch", "game.ini", "C:\\Launch\\game.ini"},
        {"C:\\", "game.ini", "C:\\\\game.ini"},  // as "framewright.ini" itself
        {"C:\\Launch", "..\\profiles\\game.ini", "C:\\Launch\\..\\profiles\\game.ini"},
        {"C:\\Launch", "D:\\Games\\game.ini", "D:\\Games\\game.ini"},
        {"C:\\Launch", "d:/Games/game.ini", "d:/Games/game.ini"},
        {"C:\\Launch", "\\\\server\\share\\game.ini", "\\\\server\\share\\game.ini"},
        {"C:\\Launch", "\\\\?\\C:\\game.ini", "\\\\?\\C:\\game.ini"},
        {"C:\\Launch", "\\profiles\\game.ini", "C:\\profiles\\game.ini"},
        {"\\\\server\\share\\launch", "\\game.ini", "\\\\server\\share\\game.ini"},
        {"C:\\Launch", "c:game.ini", "C:\\Launch\\game.ini"},
        {"C:\\Launch", "D:game.ini", "D:\\game.ini"},
    };
    for (const Row& row : rows) EXPECT_EQ(FullPath(row.directory, row.path), row.full) << row.path;
}

class Launching : public ::testing::Test {
protected:
    void SetUp() override {
        desktop.workingDirectory("C:\\Launch");
        desktop.program(kGame, aProgram().running(3000).exitingWith(3).showing(
                                   aWindow().withTitle("Game").appearingAfter(300).at(0, 0, 640, 480).client(640, 480)));
        desktop.program(kStub, aProgram().running(50).exitingWith(9).starting(kGame, 20));
    }

    void run(const std::string& commandLine = "\"C:\\Tools\\framewright.exe\"") {
        desktop.commandLine(commandLine);
        InitialiseSettings();
        SelectProfile(desktop.commandLine());
        RunEntryFlow();
    }

    fake::Desktop desktop;
    TraceCapture trace;
};

TEST_F(Launching, AProfileOnTheCommandLineIsTheConfigurationInUse) {
    desktop.file("C:\\some folder\\game one.ini", Ini());
    run(R"("C:\Tools\framewright.exe" -frontend "C:\some folder\game one.ini" other.ini)");
    EXPECT_EQ(trace.lines().front(), "Loading settings from: C:\\some folder\\game one.ini");
    EXPECT_TRUE(desktop.boxes().empty());
    EXPECT_TRUE(trace.contains("New window position: 560, 240 - 800 x 600"));

    run(R"("C:\Tools\framewright.exe" missing.INI)");
    EXPECT_EQ(desktop.boxTexts().front(), "Cannot find the configuration file: C:\\Launch\\missing.INI");
}

// The command line is split in the system's code page: in 932 "\x83\x5C" is one
// character, not a backslash that would escape the closing quote.
TEST_F(Launching, TheCommandLineIsSplitInTheSystemsCodePage) {
    desktop.file("C:\\Launch\\game.ini", Ini());
    desktop.ansiCodePage(932);
    run("\"C:\\Tools\\framewright.exe\" \"D:\\\x83\x5C\" game.ini");
    EXPECT_EQ(trace.lines().front(), "Loading settings from: C:\\Launch\\game.ini");
}

TEST_F(Launching, TheCheckToolReadsTheSameProfileAndListsTheNewKeys) {
    desktop.file("C:\\Launch\\profiles\\game.ini",
                 Ini("followchildren=1\n") + "[tweaks]\nlogfile=logs\\game.log\n");
    CheckResult result = RunCheckTool({"--display", "1920x1080", "profiles\\game.ini"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    for (const char* line : {"Configuration file: C:\\Launch\\profiles\\game.ini",
                             "  tweaks->logfile                     = C:\\Launch\\logs\\game.log  (from the file)",
                             "  program->followchildren             = on  (from the file)",
                             "  find       the topmost top-level window of the started process or a process it starts",
                             "  end        when the started process and every process it starts have ended",
                             "  log        C:\\Launch\\logs\\game.log (appended)"}) {
        EXPECT_NE(("\n" + result.out).find("\n" + std::string(line) + "\n"), std::string::npos) << line << "\n"
                                                                                                << result.out;
    }
    EXPECT_EQ(desktop.calls(Call::CreateFileW), 2u) << "the profile, read twice; no log is opened";
}

// A stub that starts the game and ends at once: with followchildren the game's
// window is sized and the launcher waits for the game; without, it ends with the stub.
TEST_F(Launching, FollowsTheProcessesThatALauncherStubStarts) {
    struct Row { const char* label; std::string more; bool refused; std::uint32_t flags; bool followed; };
    const Row rows[] = {
        {"followchildren", "followchildren=1\n", false, 0x4, true},
        {"a flag by its first character", "followchildren=1yes\n", false, 0x4, true},
        {"followchildren=0", "followchildren=0\n", false, 0, false},
        {"not a 1", "followchildren=yes\n", false, 0, false},
        {"job refused", "followchildren=1\n", true, 0x4, false},
    };
    for (const Row& row : rows) {
        fake::Desktop& d = desktop;
        if (row.refused) d.jobsRefused();
        d.file("C:\\Launch\\framewright.ini", Ini(row.more, "start.exe"));
        const std::int64_t started = d.now();
        run();
        ASSERT_NE(d.pidOf(kGame), 0u) << row.label;
        EXPECT_EQ(d.launches().back().creationFlags, row.flags) << row.label;
        EXPECT_EQ(d.calls(Call::CreateJobObjectW) > 0, row.flags != 0) << row.label;
        EXPECT_TRUE(trace.contains("Program stopped with exit code: 9")) << row.label << ": the stub's own code";
        EXPECT_EQ(trace.contains("FindWindow succeeded"), row.followed) << row.label;
        EXPECT_EQ(d.now() - started >= 3000, row.followed) << row.label << ": ends with the game";
        EXPECT_EQ(trace.contains("Cannot follow child processes (Access denied.); following the started process only"),
                  row.refused)
            << row.label;
        EXPECT_EQ(d.openHandleCount(), 0) << row.label;
        EXPECT_TRUE(d.boxes().empty()) << row.label;
        d.advanceTo(d.now() + 5000);  // the game of a launcher that did not wait ends too
        d.resetCallCounts();
        trace.clear();
    }
}

TEST_F(Launching, FollowsChildrenAtAnyDepth) {
    const char* const middle = "C:\\Games\\Old\\middle.exe";
    desktop.program(middle, aProgram().running(30).starting(kGame, 10));
    desktop.program(kStub, aProgram().running(10).starting(middle, 5));
    desktop.file("C:\\Launch\\framewright.ini", Ini("followchildren=1\n", "start.exe"));
    run();
    EXPECT_TRUE(trace.contains("New window position: 560, 240 - 800 x 600"));
    EXPECT_GE(desktop.now(), 3000) << "ends with the game, two processes down";
}

// A stub that starts many helpers before the game: the game's window is found
// whatever its place in the job's list.
TEST_F(Launching, FollowsAJobOfAnyNumberOfProcesses) {
    const char* const helper = "C:\\Games\\Old\\helper.exe";
    desktop.program(helper, aProgram().running(5000));
    for (int helpers : {63, 64, 100}) {
        fake::ProgramSpec stub = aProgram().running(10);
        for (int i = 0; i < helpers; ++i) stub.starting(helper, 5);
        desktop.program(kStub, stub.starting(kGame, 8));
        desktop.file("C:\\Launch\\framewright.ini", Ini("followchildren=1\n", "start.exe"));
        run();
        EXPECT_TRUE(trace.contains("New window position: 560, 240 - 800 x 600")) << helpers << " helpers";
        desktop.advanceTo(desktop.now() + 5000);
        trace.clear();
    }
}

TEST_F(Launching, TheLogHasTheHeaderEveryLineOnceAndTheEnd) {
    desktop.file("C:\\Launch\\framewright.ini", Ini() + "[tweaks]\nlogfile=logs\\game.log\n");
    desktop.directory("C:\\Launch\\logs");
    desktop.file("C:\\Launch\\logs\\game.log", "an earlier run\r\n");
    run();
    const std::string pid = std::to_string(desktop.pidOf(kGame));
    const std::vector<std::string> expected = {
        "an earlier run",
        "Framewright 1.0.0, started 2026-12-08 09:05:03, configuration file: C:\\Launch\\framewright.ini",
        "Loading settings from: C:\\Launch\\framewright.ini",
        "Window find method: PID only",
        "Display resolution: 1920 x 1080",
        "*** Launching program ***",
        "Program started, PID = " + pid,
        "Will lock window size",
        "NeedToFindWindow!",
        "FindWindow failed",
        "NeedToFindWindow!",
        "FindWindow failed",
        "(the last 2 lines repeated 25 more times)",
        "NeedToFindWindow!",
        "Border size [autodetect]: 0 x 0",
        "Original window size: 640 x 480",
        "Original window client size: 640 x 480",
        "Desired window size: 800 x 600",
        "FindWindow succeeded",
        "Trying to resize window (first time)",
        "New window position: 560, 240 - 800 x 600",
        "First window resize successful",
        "No longer repositioning the window",
        "Program stopped with exit code: 3",
        "*** Program finished, exiting ***",
    };
    const std::string log = desktop.fileContent("C:\\Launch\\logs\\game.log");
    EXPECT_EQ(LogLines(log), expected) << log;
    EXPECT_NE(log.find("\r\n       0 ms  Loading settings from: "), std::string::npos) << log;
    EXPECT_EQ(desktop.openHandleCount(), 0);
}

// A game that rebuilds its window in the lock phase: its find lines are in the file
// when they come, though nothing else may come for hours.
TEST_F(Launching, TheLinesOfAWindowFoundAgainAreWrittenAtOnce) {
    desktop.program(kGame, aProgram().running(3600000).showing(aWindow().withTitle("Game").at(0, 0, 640, 480)));
    desktop.file("C:\\Launch\\framewright.ini", Ini() + "[tweaks]\nlogfile=fw.log\n");
    desktop.at(2000, [&] {
        desktop.destroyWindow(desktop.windowOfLastLaunch());
        desktop.addWindow(aWindow().withTitle("Game").ownedBy(desktop.pidOf(kGame)).at(0, 0, 640, 480));
    });
    std::vector<std::string> atTwoSeconds;
    desktop.at(2100, [&] { atTwoSeconds = LogLines(desktop.fileContent("C:\\Launch\\fw.log")); });
    run();
    const std::vector<std::string> found(atTwoSeconds.end() - 6, atTwoSeconds.end());
    EXPECT_EQ(found, (std::vector<std::string>{"NeedToFindWindow!", "Border size [autodetect]: 0 x 0",
                                              "Original window size: 640 x 480",
                                              "Original window client size: 640 x 480",
                                              "Desired window size: 800 x 600", "FindWindow succeeded"}));
}

TEST_F(Launching, ALogThatCannotBeOpenedIsToldOnceAndTheRunGoesOn) {
    struct Row { const char* label; std::string logfile, box, profile = ""; };
    const std::string itIs = "\r\nIt is the configuration file.";
    const Row rows[] = {
        {"missing folder", "C:\\nowhere\\game.log", "Cannot open the log file: C:\\nowhere\\game.log\r\nPath not found."},
        {"a folder", "C:\\Launch", "Cannot open the log file: C:\\Launch\r\nAccess denied."},
        {"the configuration itself", "FRAMEWRIGHT.INI",
         "Cannot open the log file: C:\\Launch\\FRAMEWRIGHT.INI\r\nIt is the configuration file."},
        // The same file under any name Windows takes for it.
        {"a trailing dot", "framewright.ini.", "Cannot open the log file: C:\\Launch\\framewright.ini." + itIs},
        {"the dot folder", ".\\framewright.ini", "Cannot open the log file: C:\\Launch\\.\\framewright.ini" + itIs},
        {"the short name", "FRAMEW~1.INI", "Cannot open the log file: C:\\Launch\\FRAMEW~1.INI" + itIs},
        {"a profile named through the dot folder", "game.ini", "Cannot open the log file: C:\\Launch\\game.ini" + itIs,
         ".\\game.ini"},
    };
    desktop.shortName("C:\\Launch\\framewright.ini", "FRAMEW~1.INI");
    for (const Row& row : rows) {
        const std::string ini = Ini() + "[tweaks]\nlogfile=" + row.logfile + "\n";
        const std::string file = "C:\\Launch\\" + (row.profile.empty() ? "framewright.ini" : row.profile);
        desktop.file(file, ini);
        const std::size_t boxesBefore = desktop.boxes().size();
        run("framewright.exe " + row.profile);
        const std::vector<std::string> boxes = desktop.boxTexts();
        EXPECT_EQ(std::vector<std::string>(boxes.begin() + static_cast<std::ptrdiff_t>(boxesBefore), boxes.end()),
                  std::vector<std::string>{row.box})
            << row.label;
        EXPECT_TRUE(trace.contains("First window resize successful")) << row.label;
        EXPECT_EQ(desktop.fileContent(file), ini) << row.label;
        trace.clear();
    }
}

TEST_F(Launching, TheLogGetsTheTextOfEveryBox) {
    desktop.file("C:\\Launch\\framewright.ini",
                 Ini() + "[tweaks]\nlogfile=fw.log\nautodetectbordersize=0\nborderwidth=-4\n");
    run();
    const std::vector<std::string> lines = LogLines(desktop.fileContent("C:\\Launch\\fw.log"));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[3], "Error box: Invalid settings: tweaks->autodetectbordersize is 0, but tweaks->borderwidth "
                        "and/or tweaks->borderheight are invalid or undefined");
    EXPECT_EQ(lines[4], "Error box: Failed to load settings; please check the configuration file.");
}

}  // namespace
