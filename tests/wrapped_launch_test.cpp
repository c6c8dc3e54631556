// A launch wrapped as stores do it: "framewright.exe [PROFILE.ini] -- PROGRAM [ARGUMENTS]".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/entry.h"
#include "checktool/check_tool.h"
#include "settings/settings.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/trace_capture.h"

using fake::aProgram;
using fake::aWindow;

namespace {

const char* const kGame = "C:\\Store\\Outpost\\outpost.exe";
const std::string kResize =
    "[windowresize]\nwindowfindmethod=pidonly\nfirstresizedelayms=100\nfirstresizetimeoutms=5000\n"
    "windowwidth=800\nwindowheight=600\nmovewindow=centre\nscalingmethod=defined\n";
const std::string kOwnProgram = "[program]\npath=C:\\Games\\Old\nname=game.exe\nparameters=game.exe -old\n";

class WrappedLaunchTest : public ::testing::Test {
protected:
    void SetUp() override {
        desktop.workingDirectory("C:\\Store\\Outpost");
        for (const char* program : {kGame, "C:\\Games\\Old\\game.exe"}) {
            desktop.program(program, aProgram().running(2000).showing(aWindow().at(0, 0, 640, 480).client(640, 480)));
        }
    }

    fake::Desktop desktop;
    TraceCapture trace;
};

// The command line after "--" replaces [program] whole, in the working directory;
// the rest of the file applies.
TEST_F(WrappedLaunchTest, TheProgramAfterTheDoubleDashTakesThePlaceOfTheConfiguredOne) {
    struct Row {
        const char* label;
        std::string ini, arguments;
        std::string started, commandLine, directory;  // started empty: not started, the box instead
        std::string box;
        bool fileProgramNoted;
    };
    const std::string storeLine = R"("C:\Store\Outpost\outpost.exe" -lang "en \"GB\"" -- x.ini)" "\t";
    const Row rows[] = {
        {"[program] absent", kResize, "-- " + storeLine, kGame, storeLine, "C:\\Store\\Outpost", "", false},
        {"[program] present: the command line wins", kOwnProgram + kResize, "framewright.ini --\t " + storeLine, kGame, storeLine,
         "C:\\Store\\Outpost", "", true},
        {"followchildren applies", "[program]\nfollowchildren=1\n" + kResize, "-- outpost.exe", kGame, "outpost.exe",
         "C:\\Store\\Outpost", "", false},
        {"a program that is not there", kOwnProgram + kResize, "-- gone.exe", "", "", "",
         "Invalid settings: Cannot find the program (C:\\Store\\Outpost\\gone.exe)", true},
        {"nothing after --", kResize, "--", "", "", "",
         "Invalid settings: a program must follow -- on the command line "
         "(framewright.exe [PROFILE.ini] -- PROGRAM [ARGUMENTS])",
         false},
        {"no --: [program] as always", kOwnProgram + kResize, "outpost.exe -x", "C:\\Games\\Old\\game.exe",
         "game.exe -old", "C:\\Games\\Old", "", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        const std::size_t launched = desktop.launches().size(), boxes = desktop.boxes().size();
        trace.clear();
        desktop.file("C:\\Store\\Outpost\\framewright.ini", row.ini);
        desktop.commandLine("\"C:\\Tools\\framewright.exe\" " + row.arguments);
        InitialiseSettings();
        SelectProfile(desktop.commandLine());
        RunEntryFlow();
        EXPECT_EQ(trace.contains("program->path, name and parameters are not used: the command line names the program"),
                  row.fileProgramNoted);
        if (row.started.empty()) {
            EXPECT_EQ(desktop.launches().size(), launched);
            EXPECT_EQ(desktop.boxTexts().at(boxes), row.box);
            continue;
        }
        ASSERT_EQ(desktop.launches().size(), launched + 1);
        EXPECT_EQ(desktop.boxes().size(), boxes);
        const fake::LaunchRecord& launch = desktop.launches().back();
        EXPECT_EQ(launch.applicationName, row.started);
        EXPECT_EQ(launch.commandLine, row.commandLine);
        EXPECT_EQ(launch.currentDirectory, row.directory);
        EXPECT_TRUE(trace.contains("New window position: 560, 240 - 800 x 600"));
    }
}

TEST_F(WrappedLaunchTest, TheCheckToolShowsTheProgramItsCommandLineAndWhereItRuns) {
    desktop.file("C:\\Store\\Outpost\\framewright.ini", kOwnProgram + kResize);
    const CheckResult result = RunCheckTool({}, {true, "outpost.exe", "outpost.exe  -window"});
    EXPECT_EQ(result.exitCode, 0) << result.out;
    for (const char* line : {
             "  program->name                       = outpost.exe  (from the command line after --)",
             "  start      C:\\Store\\Outpost\\outpost.exe  (named after --)",
             "  parameters outpost.exe  -window  (the command line after --)",
             "  in         C:\\Store\\Outpost  (the working directory)",
         }) {
        EXPECT_NE(("\n" + result.out).find("\n" + std::string(line) + "\n"), std::string::npos) << line << "\n"
                                                                                                << result.out;
    }
}

}  // namespace
