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
        desktop.directory("C:\\Store\\Outpost\\data");
        for (const char* program : {kGame, "C:\\Games\\Old\\game.exe"}) {
            desktop.program(program, aProgram().running(2000).showing(aWindow().at(0, 0, 640, 480).client(640, 480)));
        }
    }

    void run(const std::string& ini, const WrappedLaunch& launch) {
        desktop.file("C:\\Store\\Outpost\\framewright.ini", ini);
        InitialiseSettings();
        UseWrappedLaunch(launch);
        RunEntryFlow();
    }

    fake::Desktop desktop;
    TraceCapture trace;
};

// The command line after "--" replaces [program] whole; the rest of the file applies.
TEST_F(WrappedLaunchTest, TheProgramAfterTheDoubleDashTakesThePlaceOfTheConfiguredOne) {
    const std::string quoted = "\"C:\\Store\\Outpost\\outpost.exe\" -window \"a \\\"b\\\"\"\t";
    struct Row {
        const char* label;
        std::string ini;
        WrappedLaunch launch;
        std::string application;  // empty: not started, the box below instead
        std::string box;
        bool fileProgramNoted;
    };
    const std::string cannotFind = "Invalid settings: Cannot find the program (";
    const Row rows[] = {
        {"[program] absent", kResize, {true, kGame, quoted}, kGame, "", false},
        {"[program] present: the command line wins", kOwnProgram + kResize, {true, kGame, quoted}, kGame, "", true},
        {"followchildren still applies", "[program]\nfollowchildren=1\n" + kResize, {true, kGame, quoted}, kGame, "",
         false},
        {"relative to the working directory", kResize, {true, "outpost.exe", "outpost.exe x"}, kGame, "", false},
        {"a program that is not there", kOwnProgram + kResize, {true, "C:\\Store\\gone.exe", "C:\\Store\\gone.exe"}, "",
         cannotFind + "C:\\Store\\gone.exe)", true},
        {"a folder is no program", kResize, {true, "data", "data"}, "", cannotFind + "C:\\Store\\Outpost\\data)", false},
        {"nothing after --", kOwnProgram + kResize, {true, "", ""}, "",
         "Invalid settings: a program must follow -- on the command line "
         "(framewright.exe [PROFILE.ini] -- PROGRAM [ARGUMENTS])",
         true},
        {"no --: [program] as always", kOwnProgram + kResize, {}, "C:\\Games\\Old\\game.exe", "", false},
    };
    for (const Row& row : rows) {
        const std::size_t launched = desktop.launches().size(), boxes = desktop.boxes().size();
        trace.clear();
        run(row.ini, row.launch);
        SCOPED_TRACE(row.label);
        EXPECT_EQ(trace.contains("program->path, name and parameters are not used: the command line names the program"),
                  row.fileProgramNoted);
        if (row.application.empty()) {
            EXPECT_EQ(desktop.launches().size(), launched);
            EXPECT_EQ(desktop.boxTexts().at(boxes), row.box);
            continue;
        }
        ASSERT_EQ(desktop.launches().size(), launched + 1);
        EXPECT_EQ(desktop.boxes().size(), boxes);
        const fake::LaunchRecord& launch = desktop.launches().back();
        EXPECT_EQ(launch.applicationName, row.application);
        EXPECT_EQ(launch.commandLine, row.launch.given ? row.launch.commandLine : "game.exe -old");
        EXPECT_EQ(launch.currentDirectory, row.launch.given ? "C:\\Store\\Outpost" : "C:\\Games\\Old");
        EXPECT_TRUE(trace.contains("New window position: 560, 240 - 800 x 600"));
    }
}

// From the launcher's own command line: the profile before "--", the store's line after it.
TEST_F(WrappedLaunchTest, TheStoresLineReachesTheProgramAsWritten) {
    desktop.file("C:\\Profiles\\outpost.ini", kResize);
    const std::string storeLine = R"("C:\Store\Outpost\outpost.exe" -lang "en \"GB\"" -- x.ini)";
    desktop.commandLine(R"("C:\Tools\framewright.exe" "C:\Profiles\outpost.ini" --  )" + storeLine);
    InitialiseSettings();
    SelectProfile(desktop.commandLine());
    RunEntryFlow();
    EXPECT_EQ(trace.lines().front(), "Loading settings from: C:\\Profiles\\outpost.ini");
    ASSERT_EQ(desktop.launches().size(), 1u);
    EXPECT_EQ(desktop.launches()[0].applicationName, kGame);
    EXPECT_EQ(desktop.launches()[0].commandLine, storeLine);
    EXPECT_TRUE(desktop.boxes().empty());
}

TEST_F(WrappedLaunchTest, TheCheckToolShowsTheProgramItsCommandLineAndWhereItRuns) {
    desktop.file("C:\\Store\\Outpost\\framewright.ini", kOwnProgram + kResize);
    const CheckResult result = RunCheckTool({}, {true, "outpost.exe", "outpost.exe  -window"});
    EXPECT_EQ(result.exitCode, 0) << result.out;
    for (const char* line : {
             "  program->path                       = C:\\Store\\Outpost  (the working directory, as the command "
             "line names the program)",
             "  program->name                       = outpost.exe  (from the command line after --)",
             "  program->parameters                 = outpost.exe  -window  (from the command line after --)",
             "  start      C:\\Store\\Outpost\\outpost.exe  (named after --)",
             "  parameters outpost.exe  -window  (the command line after --)",
             "  in         C:\\Store\\Outpost  (the working directory)",
         }) {
        EXPECT_NE(("\n" + result.out).find("\n" + std::string(line) + "\n"), std::string::npos) << line << "\n"
                                                                                                << result.out;
    }
    const CheckResult nothing = RunCheckTool({}, {true, "", ""});
    EXPECT_EQ(nothing.exitCode, 1);
    EXPECT_NE(nothing.out.find("\nRejected: Invalid settings: a program must follow --"), std::string::npos)
        << nothing.out;
}

}  // namespace
