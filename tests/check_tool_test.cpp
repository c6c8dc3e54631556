#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diagnostics/error_box.h"
#include "checktool/check_tool.h"
#include "tests/support/fake_desktop.h"

namespace {

const std::string kConfigPath = "C:\\Games\\framewright.ini";

// A configuration the launcher accepts; extra lines go first in their section, so
// they win over the same key below them.
std::string Config(const std::string& program = "", const std::string& resize = "",
                   const std::string& tweaks = "") {
    return "[program]\n" + program +
           "path=C:\\Games\\Demo\nname=demo.exe\n"
           "[windowresize]\n" + resize +
           "windowfindmethod=pidonly\nfirstresizedelayms=100\nfirstresizetimeoutms=5000\n"
           "windowwidth=800\nwindowheight=600\nmovewindow=centre\nscalingmethod=defined\n"
           "[tweaks]\n" + tweaks;
}

bool HasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

// The listing line of a key, from its "=" on (or its "not read" note).
std::string ListedAs(const std::string& text, const std::string& key) {
    std::size_t at = ("\n" + text).find("\n  " + key + " ");
    if (at == std::string::npos) return "(no line for " + key + ")";
    std::size_t end = text.find('\n', at);
    std::string line = text.substr(at, end - at);
    return line.substr(line.find_first_not_of(' ', 2 + key.size()));
}

class CheckToolTest : public ::testing::Test {
protected:
    fake::Desktop desktop;

    void SetUp() override { desktop.file("C:\\Games\\Demo\\demo.exe", "MZ"); }

    CheckResult Check(const std::string& content, std::vector<std::string> arguments = {}) {
        desktop.file(kConfigPath, content);
        return RunCheckTool(arguments);
    }
};

TEST_F(CheckToolTest, RejectsBadArgumentsWithAUsageLineAndExitCode2) {
    desktop.file(kConfigPath, Config());
    const std::vector<std::vector<std::string>> rows = {
        {"--size", "800x600"},
        {"--display"},
        {"--display", "1920"},
        {"--display", "1920x"},
        {"--display", "0x1080"},
        {"--display", "-1920x1080"},
        {"--display", "1920x1080", "--display=800x600"},
        {"--display", "1234567x1"},
        {"--window", "816x639"},
        {"--client=800x600"},
        {"--window", "816x639", "--client", "800 x 600"},
        {"one.ini", "--display", "800x600", "two.INI"},
        {"--watch"},
        {"--watch="},
        {"--watch", "Profiles", "--watch=Other"},
        {"--watch", "Profiles", "outpost.ini"},
        {"--display=800x600", "--watch=Profiles"},
        {"--watch", "Profiles", "--window", "816x639", "--client", "800x600"},
    };
    for (const auto& arguments : rows) {
        std::string label = ::testing::PrintToString(arguments);
        CheckResult result = RunCheckTool(arguments);
        EXPECT_EQ(result.exitCode, 2) << label;
        EXPECT_EQ(result.out, "") << label;
        EXPECT_NE(result.err.find("Usage: framewright-check [PROFILE.ini] [--display WxH] [--window WxH --client WxH]\n"),
                  std::string::npos) << label << ": " << result.err;
    }
    EXPECT_EQ(desktop.calls(fake::Call::CreateFileW), 0u);  // nothing read on bad arguments
    CheckResult wrapped = RunCheckTool({"--watch", "Profiles"}, {true, "game.exe", "game.exe -window"});
    EXPECT_EQ(wrapped.exitCode, 2);
    EXPECT_EQ(wrapped.err.find("framewright-check: --watch reads a folder's profiles: it takes no program after --\n"
                               "Usage: "), 0u) << wrapped.err;
    EXPECT_NE(wrapped.err.find("\n       framewright-check --watch FOLDER\n"), std::string::npos);
}

TEST_F(CheckToolTest, ListsEachKeyWithTheLaunchersValueAndWhereItCameFrom) {
    desktop.file("C:\\Games\\demo.exe", "MZ");
    CheckResult result = Check(Config("path=\nname=demo.exe\n",
                                      "windowfindmethod=PidOnly\nwindowwidth=0x320\nlockwindow=true\n"
                                      "alwaysmovewindow=1\nscale=abc\naspectratio=4:3\nwindowx=\n",
                                      "autodetectbordersize=\nborderwidth=$10\n"));
    ASSERT_EQ(result.exitCode, 0) << result.out;
    struct Row { const char* key; std::string listed; };
    const Row rows[] = {
        {"program->path", "= C:\\Games  (from the file: empty, so the working directory)"},
        {"program->name", "= demo.exe  (from the file)"},
        {"program->parameters", "= (empty)  (default)"},
        {"windowresize->windowfindmethod", "= pidonly  (from the file, written \"PidOnly\")"},
        {"windowresize->firstresizedelayms", "= 100  (from the file)"},
        {"windowresize->windowwidth", "= 800  (from the file, written \"0x320\")"},
        {"windowresize->lockwindow", "= off  (from the file, written \"true\")"},
        {"windowresize->alwaysmovewindow", "= on  (from the file)"},
        {"windowresize->windowx", "= 0  (default: the value is empty)"},
        {"windowresize->clientresize", "= off  (default)"},
        {"windowresize->scale", "= 0  (default: \"abc\" is not an integer)"},
        {"windowresize->scalingmethod", "= defined  (from the file)"},
        {"windowresize->aspectratio", "= 1.333333  (from the file, written \"4:3\")"},
        {"tweaks->autodetectbordersize", "= on  (default: the value is empty)"},
        {"tweaks->borderwidth", "= 16  (from the file, written \"$10\")"},
        {"tweaks->borderheight", "= -1  (default)"},
        {"tweaks->scalingignorebordersize", "= off  (default)"},
    };
    for (const Row& row : rows) EXPECT_EQ(ListedAs(result.out, row.key), row.listed) << row.key;
}

TEST_F(CheckToolTest, PrintsTheFirstRejectionAndWhatWasNotReadInsteadOfABox) {
    struct Row {
        const char* label;
        std::string content;
        std::string rejection;
        std::string stoppedAt, stoppedListing, firstNotRead;
    };
    const std::string illegal = "Invalid settings: windowresize->";
    const Row rows[] = {
        {"empty file", "", illegal + "windowfindmethod is not a legal value", "windowresize->windowfindmethod",
         "= (absent)  (loading stopped here, see below)", "windowresize->firstresizedelayms"},
        {"mask missing", Config("", "windowfindmethod=nameonly\n"),
         illegal + "namemask is empty but required for windowfindmethod=nameonly",
         "windowresize->windowfindmethod", "= \"nameonly\"  (loading stopped here, see below)",
         "windowresize->firstresizedelayms"},
        {"movewindow", Config("", "movewindow=middle\n"), illegal + "movewindow is not a legal value",
         "windowresize->movewindow", "= \"middle\"  (loading stopped here, see below)",
         "windowresize->alwaysmovewindow"},
        {"scale missing", Config("", "scalingmethod=pixelscale\n"),
         illegal + "scale is not a legal value or not set (and required for scalingmethod=pixelscale)",
         "windowresize->scalingmethod", "= \"pixelscale\"  (loading stopped here, see below)",
         "windowresize->maintainaspectratio"},
        {"scalingmethod", Config("", "scalingmethod=stretch\n"), illegal + "scalingmethod is not a legal value",
         "windowresize->scalingmethod", "= \"stretch\"  (loading stopped here, see below)",
         "windowresize->maintainaspectratio"},
        {"aspectratio", Config("", "aspectratio=16:0\n"), illegal + "aspectratio is not a legal value",
         "windowresize->aspectratio", "= \"16:0\"  (loading stopped here, see below)",
         "tweaks->autodetectbordersize"},
    };
    for (const Row& row : rows) {
        desktop.file(kConfigPath, row.content);
        CheckResult result = RunCheckTool({});
        EXPECT_EQ(result.exitCode, 1) << row.label;
        EXPECT_TRUE(HasLine(result.out, "Rejected: " + row.rejection)) << row.label << "\n" << result.out;
        EXPECT_EQ(ListedAs(result.out, row.stoppedAt), row.stoppedListing) << row.label;
        EXPECT_EQ(ListedAs(result.out, row.firstNotRead), "not read: loading stopped at the rejection")
            << row.label;
        EXPECT_EQ(result.out.find("The launcher would"), std::string::npos) << row.label;
    }
    EXPECT_TRUE(desktop.boxes().empty());
}

TEST_F(CheckToolTest, ListsEveryKeyBeforeARejectionOfTheChecksAfterReading) {
    CheckResult result = Check(Config("", "windowwidth=0\n"));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(HasLine(result.out, "Rejected: Invalid settings: windowresize->windowwidth is not greater than 0"));
    EXPECT_EQ(ListedAs(result.out, "windowresize->windowwidth"), "= 0  (from the file)");
    EXPECT_EQ(ListedAs(result.out, "tweaks->scalingignorebordersize"), "= off  (default)");
}

TEST_F(CheckToolTest, ReportsAMissingOrLockedFileWithExitCode1) {
    CheckResult missing = RunCheckTool({});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "Configuration file: C:\\Games\\framewright.ini\n\n"
                           "Rejected: Cannot find the configuration file: C:\\Games\\framewright.ini\n");

    desktop.fileHeldForWriting(kConfigPath, Config());
    CheckResult locked = RunCheckTool({});
    EXPECT_EQ(locked.exitCode, 1);
    EXPECT_TRUE(HasLine(locked.out, "Rejected: EFOpenError: Unable to open file \"C:\\Games\\framewright.ini\""))
        << locked.out;
    EXPECT_TRUE(desktop.boxes().empty());
    EXPECT_EQ(desktop.openHandleCount(), 0);
}

TEST_F(CheckToolTest, LeavesTheErrorBoxToTheLauncherAfterwards) {
    Check("");
    ShowErrorBox("after the check");
    EXPECT_EQ(desktop.boxTexts(), std::vector<std::string>{"after the check"});
}

TEST_F(CheckToolTest, DescribesTheLaunchAndStartsNothing) {
    CheckResult result = Check(Config("parameters=-window \"a b\"\n", "lockwindow=1\nalwaysmovewindow=1\n"));
    EXPECT_EQ(result.exitCode, 0);
    for (const char* line : {"OK", "  start      C:\\Games\\Demo\\demo.exe", "  parameters -window \"a b\"",
                             "  in         C:\\Games\\Demo",
                             "  find       the topmost top-level window of the started process",
                             "  resize it  from 100 ms, giving up at 5000 ms",
                             "  then       restores its size and position whenever they change"}) {
        EXPECT_TRUE(HasLine(result.out, line)) << line << "\n" << result.out;
    }
    EXPECT_TRUE(desktop.launches().empty());
    EXPECT_EQ(desktop.calls(fake::Call::SetWindowPos), 0u);
    EXPECT_EQ(desktop.calls(fake::Call::CreateProcessA), 0u);
}

TEST_F(CheckToolTest, NamesTheSearchAndTheLockAsConfigured) {
    struct Row { const char* label; std::string resize; std::string find, then; };
    const Row rows[] = {
        {"name only, size lock", "windowfindmethod=nameonly\nnamemask=Outpost*\nlockwindow=1\n",
         "the topmost top-level window of any process whose title matches \"Outpost*\"",
         "restores its size whenever it changes"},
        {"pid and name, no lock", "windowfindmethod=pidandname\nnamemask=*Editor\nalwaysmovewindow=1\n",
         "the topmost top-level window of the started process whose title matches \"*Editor\"",
         "leaves it alone after the first resize"},
        {"position kept, but none to keep", "movewindow=none\nlockwindow=1\nalwaysmovewindow=1\n",
         "the topmost top-level window of the started process", "restores its size whenever it changes"},
    };
    for (const Row& row : rows) {
        CheckResult result = Check(Config("", row.resize));
        EXPECT_TRUE(HasLine(result.out, "  find       " + row.find)) << row.label << "\n" << result.out;
        EXPECT_TRUE(HasLine(result.out, "  then       " + row.then)) << row.label << "\n" << result.out;
    }
}

TEST_F(CheckToolTest, SizesAndPlacesTheGivenWindowOnTheGivenOrRealDisplay) {
    desktop.display(1366, 768);
    struct Row {
        const char* label;
        std::string resize, tweaks;
        std::vector<std::string> arguments;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"real display, no window", "", "", {},
         {"  display    1366 x 768 (this system's)",
          "  size       give --window WxH --client WxH to see a window's size and position"}},
        {"fit 4:3 with border, centred", "scalingmethod=displayscale\nscale=100\nmaintainaspectratio=1\n"
         "aspectratio=4:3\nclientresize=1\n", "",
         {"--display=1920x1080", "--window", "816x639", "--client", "800x600"},
         {"  display    1920 x 1080 (as given)", "  window     816 x 639, client area 800 x 600, border 16 x 39 (measured)",
          "  size       1404 x 1080", "  position   258, 0 (centred)"}},
        {"halves truncated on their own", "scalingmethod=defined\nwindowwidth=1025\nwindowheight=577\n", "",
         {"--window", "800x600", "--client", "800x600"},
         {"  size       1025 x 577", "  position   171, 96 (centred)"}},
        {"forced border, fixed", "movewindow=fixed\nwindowx=-8\nclientresize=1\n",
         "autodetectbordersize=0\nborderwidth=10\nborderheight=30\n",
         {"--display", "1920x1080", "--window", "816x639", "--client", "800x600"},
         {"  window     816 x 639, client area 800 x 600, border 10 x 30 (forced)", "  size       810 x 630",
          "  position   -8, 0 (fixed)"}},
        {"position left alone", "movewindow=none\nscalingmethod=windowscale\nscale=150\n", "",
         {"--display", "1920x1080", "--window", "640x480", "--client", "640x480"},
         {"  size       960 x 720", "  position   unchanged (movewindow=none)"}},
        {"detected ratio of an empty client area", "scalingmethod=displayscale\nscale=50\nmaintainaspectratio=1\n",
         "", {"--window", "640x40", "--client", "640x0"},
         {"  size       the launcher would fail: EDivByZero: Division by zero"}},
    };
    for (const Row& row : rows) {
        CheckResult result = Check(Config("", row.resize, row.tweaks), row.arguments);
        EXPECT_EQ(result.exitCode, 0) << row.label << "\n" << result.out;
        for (const std::string& line : row.lines) {
            EXPECT_TRUE(HasLine(result.out, line)) << row.label << ": " << line << "\n" << result.out;
        }
    }
    EXPECT_EQ(desktop.calls(fake::Call::SetWindowPos), 0u);
}

// The play keys and the surround as read and what they will do; the pause key tried
// and given back at once; refused values listed as written.
TEST_F(CheckToolTest, ListsThePlayKeysAndTheSurroundAndTriesThePauseKey) {
    CheckResult result = Check(Config("", "", "clipcursor=1\ntopmost=0\npausekey=ctrl + f12\n"));
    EXPECT_EQ(ListedAs(result.out, "tweaks->clipcursor"), "= on  (from the file)");
    EXPECT_EQ(ListedAs(result.out, "tweaks->topmost"), "= off  (from the file)");
    EXPECT_EQ(ListedAs(result.out, "tweaks->pausekey"), "= Ctrl+F12  (from the file, written \"ctrl + f12\")");
    EXPECT_TRUE(HasLine(result.out, "  cursor     kept in the window's client area while the window is in front"));
    EXPECT_FALSE(HasLine(result.out, "  topmost    the window, while it is in front"));
    EXPECT_TRUE(HasLine(result.out, "  pause key  Ctrl+F12 (free now): pauses and resumes the cursor, topmost and the lock"));
    EXPECT_EQ(desktop.hotkeysHeld(), 0u) << "given back at once";

    result = Check(Config("", "", "surround=1\nsurroundcolour=20a0ff\npausekey=Ctrl+F12\n"));
    EXPECT_EQ(ListedAs(result.out, "tweaks->surround"), "= on  (from the file)");
    EXPECT_EQ(ListedAs(result.out, "tweaks->surroundcolour"), "= 20A0FF  (from the file, written \"20a0ff\")");
    EXPECT_TRUE(HasLine(result.out, "  surround   the rest of the display in 20A0FF, right beneath the window from the first resize on"));
    EXPECT_TRUE(HasLine(result.out, "  pause key  Ctrl+F12 (free now): pauses and resumes the cursor, topmost and the lock, and hides the surround while paused"));

    desktop.hotkeyTakenByAnotherProgram(0x2, 0x7B);
    result = Check(Config("", "", "pausekey=Ctrl+F12\n"));
    EXPECT_TRUE(HasLine(result.out, "  pause key  Ctrl+F12: taken by another program now, so the launcher would run without it"));

    result = Check(Config("", "", "pausekey=Q\nsurroundcolour=black\n"));
    EXPECT_EQ(ListedAs(result.out, "tweaks->pausekey"), "= Q  (from the file)");
    EXPECT_EQ(ListedAs(result.out, "tweaks->surroundcolour"), "= black  (from the file)");
}

// The folder's profiles as the watch reads them: sorted by name, case ignored,
// relative to the working directory, the first by name winning a program.
TEST_F(CheckToolTest, ListsAWatchedFolderAsTheWatchReadsIt) {
    desktop.file("C:\\Games\\Profiles\\arcade.ini", Config());
    desktop.file("C:\\Games\\Profiles\\outpost.ini", Config("path=Demo\n"));
    desktop.file("C:\\Games\\Profiles\\broken.ini", Config("", "windowwidth=0\n"));
    desktop.file("C:\\Games\\Profiles\\Twin.ini", Config("name=DEMO.EXE\n"));
    desktop.file("C:\\Games\\Profiles\\notes.ini", Config("name=\n"));
    desktop.file("C:\\Games\\Profiles\\readme.txt", "no profile");
    const CheckResult result = RunCheckTool({"--watch=Profiles\\"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out,
              "Watched folder: C:\\Games\\Profiles\n\n"
              "  arcade.ini   watches C:\\Games\\Demo\\demo.exe\n"
              "  broken.ini   refused: Invalid settings: windowresize->windowwidth is not greater than 0\n"
              "  notes.ini    refused: It names no program.\n"
              "  outpost.ini  watches C:\\Games\\Profiles\\Demo\\demo.exe\n"
              "  Twin.ini     refused: its program C:\\Games\\Demo\\demo.exe is watched through arcade.ini, "
              "first by name\n\n"
              "2 of 5 profiles can be watched.\n");
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(desktop.boxes().empty());
    EXPECT_EQ(desktop.currentDirectory(), "C:\\Games");
    EXPECT_TRUE(desktop.launches().empty());
}

// Whenever the watch would show its box and end, the tool says why with exit code 1.
TEST_F(CheckToolTest, SaysWhenTheWatchWouldNotStart) {
    desktop.file("C:\\Games\\Refused\\a.ini", "");
    desktop.file("C:\\Games\\Refused\\b.ini", Config("name=\n"));
    desktop.file("C:\\Games\\Empty\\notes.txt", "");
    struct Row { const char* folder; std::string out; };
    const Row rows[] = {
        {"C:\\Games\\Refused",
         "Watched folder: C:\\Games\\Refused\n\n"
         "  a.ini  refused: Invalid settings: windowresize->windowfindmethod is not a legal value\n"
         "  b.ini  refused: It names no program.\n\n0 of 2 profiles can be watched: the watch would not start.\n"},
        {"Empty", "Watched folder: C:\\Games\\Empty\n\n"
                  "The folder has no profile (.ini file): the watch would not start.\n"},
        {"C:\\Nowhere", "Watched folder: C:\\Nowhere\n\nThere is no such folder: the watch would not start.\n"},
        {"C:\\Games\\Demo\\demo.exe",
         "Watched folder: C:\\Games\\Demo\\demo.exe\n\nThere is no such folder: the watch would not start.\n"},
    };
    for (const Row& row : rows) {
        const CheckResult result = RunCheckTool({"--watch", row.folder});
        EXPECT_EQ(result.exitCode, 1) << row.folder;
        EXPECT_EQ(result.out, row.out) << row.folder;
    }
    EXPECT_TRUE(desktop.boxes().empty());
}

}  // namespace
