// Programs Framewright did not start: "--attach PID [PROFILE.ini]", the mark that
// keeps a program to one supervisor, the window given back on a stop request, and
// programs that run as administrator.
#include <gtest/gtest.h>

#include <algorithm>
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
using fake::Call;
using platform::WindowHandle;

namespace {

const char* const kGame = "C:\\Games\\Old\\game.exe";
const char* const kStub = "C:\\Games\\Old\\start.exe";
constexpr std::int64_t kCycleMs = 11;  // the 1 ms wait and the 10 ms sleep
constexpr std::int64_t kMinute = 60000;

// No [program]: the program runs already.
std::string Profile(const std::string& more = "", const std::string& find = "windowfindmethod=pidonly\n",
                    const std::string& width = "800") {
    return "[windowresize]\n" + find + "firstresizedelayms=5000\nfirstresizetimeoutms=8000\nwindowwidth=" + width +
           "\nwindowheight=600\nmovewindow=centre\nscalingmethod=defined\nlockwindow=1\n" + more;
}

fake::WindowSpec GameWindow() { return aWindow().withTitle("Game").at(100, 100, 740, 580).client(624, 441); }

class Attach : public ::testing::Test {
protected:
    void SetUp() override {
        desktop.workingDirectory("C:\\Profiles");
        desktop.file("C:\\Profiles\\game.ini", Profile());
    }

    int attach(const std::string& processText) {
        desktop.commandLine("\"C:\\Tools\\framewright.exe\" --attach " + processText + " game.ini");
        InitialiseSettings();
        const LauncherArguments arguments = SelectProfile(desktop.commandLine());
        return RunAttachFlow(arguments.attachProcess);
    }
    int attach(std::uint32_t processId) { return attach(std::to_string(processId)); }

    std::size_t linesWith(const std::string& text) const {
        return std::count_if(trace.lines().begin(), trace.lines().end(),
                             [&](const std::string& line) { return line.find(text) != std::string::npos; });
    }

    fake::Desktop desktop;
    TraceCapture trace;
};

// The delay counts from the process's creation, the time-out from the attach.
TEST_F(Attach, TheDelayCountsFromTheProcesssStart) {
    struct Row { const char* label; std::int64_t startedAgo, windowAfter, placedInCycle; };
    const Row rows[] = {
        {"started a minute ago: the first cycle", kMinute, 0, 1},
        {"a minute ago, its window later: the cycle that finds it", kMinute, 300, 28},
        {"4 s ago: the rest of the 5 s", 4000, 0, 100},
        {"just now: the whole delay, as launched", 0, 0, 500},
    };
    for (const Row& row : rows) {
        const std::int64_t start = desktop.now();
        const std::uint32_t pid = desktop.startElsewhere(
            kGame, aProgram().running(6000).showing(GameWindow().appearingAfter(row.windowAfter)), row.startedAgo);
        std::int64_t placedAt = -1;
        desktop.beforeNext(Call::SetWindowPos, [&] { placedAt = desktop.now() - start; });
        EXPECT_EQ(attach(pid), 0) << row.label;
        EXPECT_EQ(placedAt, row.placedInCycle * kCycleMs) << row.label;
        EXPECT_EQ(desktop.boxTexts(), std::vector<std::string>{}) << row.label;
    }
    EXPECT_TRUE(trace.contains("Attached to program, PID = " + std::to_string(desktop.pidOf(kGame)) +
                               ", started 0 ms ago"));
    EXPECT_TRUE(trace.contains("New window position: 560, 240 - 800 x 600"));
    EXPECT_TRUE(trace.contains("Program stopped with exit code: 0"));
    EXPECT_EQ(desktop.openHandleCount(), 0);
}

// A window that vanishes as it is placed, in cycle 1 and again when the program's
// next one comes 9 s after the attach: the box then, 8 s after the attach, not at once.
TEST_F(Attach, TheTimeOutCountsFromTheAttach) {
    const std::uint32_t pid = desktop.startElsewhere(
        kGame, aProgram().running(20000).showing(GameWindow()).showing(GameWindow().appearingAfter(9000)), kMinute);
    auto vanish = [this] { desktop.destroyWindow(desktop.topWindow()); };
    desktop.beforeNext(Call::SetWindowPos, [&] {
        vanish();
        desktop.beforeNext(Call::SetWindowPos, vanish);
    });
    EXPECT_EQ(attach(pid), 1);
    ASSERT_EQ(desktop.boxTexts(),
              std::vector<std::string>{"Failed to resize the target window, timed out. Giving up."});
    EXPECT_EQ(desktop.boxes()[0].shownAtMs, 819 * kCycleMs);
}

TEST_F(Attach, AProcessThatCannotBeAttachedToGetsItsBox) {
    const std::uint32_t ended = desktop.startElsewhere(kGame, aProgram().running(10));
    desktop.advanceTo(100);
    struct Row { std::string written, box; };
    const Row rows[] = {
        {std::to_string(ended),
         "Failed to attach to process " + std::to_string(ended) + ": The parameter is incorrect."},
        {"12ab", "Failed to attach to process 12ab: The parameter is incorrect."},
        {"", "Failed to attach to process (none given: --attach PID [PROFILE.ini]): The parameter is incorrect."},
        {"99999999999", "Failed to attach to process 99999999999: The parameter is incorrect."},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(attach(row.written), 1) << row.written;
        EXPECT_EQ(desktop.boxTexts().back(), row.box);
    }
    EXPECT_EQ(desktop.boxes().size(), 4u);
    EXPECT_EQ(desktop.openHandleCount(), 0);
}

TEST_F(Attach, OnlyTheProgramPartOfTheProfileIsNotChecked) {
    const std::uint32_t pid = desktop.startElsewhere(kGame, aProgram().running(500).showing(GameWindow()), kMinute);
    desktop.file("C:\\Profiles\\game.ini", "[program]\nname=elsewhere.exe\nfollowchildren=1\n" + Profile());
    EXPECT_EQ(attach(pid), 0);
    EXPECT_TRUE(trace.contains(
        "program->followchildren does not apply to a program already running: following its process only"));
    EXPECT_EQ(desktop.calls(Call::CreateJobObjectW), 0u);

    desktop.file("C:\\Profiles\\game.ini", Profile("", "windowfindmethod=pidonly\n", "0"));
    EXPECT_EQ(attach(pid), 1);
    EXPECT_EQ(desktop.boxTexts(), (std::vector<std::string>{
                                      "Invalid settings: windowresize->windowwidth is not greater than 0",
                                      "Failed to load settings; please check the configuration file."}));
}

// ---- one supervisor per program ----

TEST_F(Attach, AProgramSupervisedElsewhereIsLeftAlone) {
    const std::uint32_t pid = desktop.startElsewhere(kGame, aProgram().running(5000).showing(GameWindow()), kMinute);
    desktop.mutexHeldElsewhere(SupervisedMarkName(pid));
    EXPECT_EQ(attach(pid), 3);
    EXPECT_EQ(linesWith("Another Framewright supervises process " + std::to_string(pid) + ": leaving it alone"), 1u);
    EXPECT_EQ(desktop.calls(Call::SetWindowPos), 0u);
    EXPECT_TRUE(desktop.boxes().empty());
    EXPECT_EQ(desktop.now(), 0) << "it ends at once";
    EXPECT_EQ(desktop.openHandleCount(), 0);
}

TEST_F(Attach, EverySupervisorMarksWhatItSupervisesWhileItDoes) {
    const std::uint32_t pid = desktop.startElsewhere(kGame, aProgram().running(1000).showing(GameWindow()), kMinute);
    bool attachMarked = false;
    desktop.at(500, [&] { attachMarked = desktop.namedObjectExists(SupervisedMarkName(pid)); });
    attach(pid);
    EXPECT_TRUE(attachMarked);
    EXPECT_FALSE(desktop.namedObjectExists(SupervisedMarkName(pid)));

    // A launch through a stub: the marks follow the job, the stub's let go when it ends.
    desktop.file("C:\\Profiles\\launch.ini", "[program]\npath=C:\\Games\\Old\nname=start.exe\nfollowchildren=1\n" +
                                                 Profile());
    desktop.program(kGame, aProgram().running(3000).showing(GameWindow()));
    desktop.program(kStub, aProgram().running(50).starting(kGame, 20));
    std::vector<bool> marked;
    auto look = [&] {
        for (const char* path : {kStub, kGame}) {
            marked.push_back(desktop.namedObjectExists(SupervisedMarkName(desktop.pidOf(path))));
        }
    };
    desktop.at(desktop.now() + 30, look);
    desktop.at(desktop.now() + 1000, look);
    desktop.commandLine("\"C:\\Tools\\framewright.exe\" launch.ini");
    InitialiseSettings();
    SelectProfile(desktop.commandLine());
    EXPECT_EQ(RunEntryFlow(), 0);
    EXPECT_EQ(marked, (std::vector<bool>{true, true, false, true}));
    EXPECT_FALSE(desktop.namedObjectExists(SupervisedMarkName(desktop.pidOf(kGame))));
    EXPECT_EQ(desktop.openHandleCount(), 0);
}

// ---- the stop request ----

TEST_F(Attach, AStopRequestGivesTheWindowBackWhatItHadAndEndsWhileTheProgramRunsOn) {
    struct Row { const char* label; const char* tweaks; };
    const Row rows[] = {
        {"framed", "[tweaks]\nclipcursor=1\ntopmost=1\n"},
        {"borderless", "[tweaks]\nclipcursor=1\ntopmost=1\nborderless=1\nsurround=1\n"},
    };
    for (const Row& row : rows) {
        desktop.file("C:\\Profiles\\game.ini", Profile(row.tweaks));
        const std::int64_t start = desktop.now();
        const std::uint32_t pid =
            desktop.startElsewhere(kGame, aProgram().running(kMinute).showing(GameWindow()), kMinute);
        const WindowHandle window = desktop.topWindow();
        const std::uint32_t style = desktop.windowStyle(window), exStyle = desktop.windowExStyle(window);
        platform::Rect placed{};
        desktop.at(start + 1000, [&] {
            placed = desktop.windowRect(window);
            desktop.setEventElsewhere(StopRequestName(fake::Desktop::kLauncherPid));
        });
        EXPECT_EQ(attach(pid), 0) << row.label;
        EXPECT_EQ(placed, (platform::Rect{560, 240, 1360, 840})) << row.label;
        EXPECT_EQ(desktop.windowRect(window), (platform::Rect{100, 100, 740, 580})) << row.label;
        EXPECT_EQ(desktop.windowStyle(window), style) << row.label;
        EXPECT_EQ(desktop.windowExStyle(window), exStyle) << row.label;
        platform::Rect clip;
        EXPECT_FALSE(desktop.cursorClip(clip)) << row.label;
        EXPECT_FALSE(desktop.isTopmost(window)) << row.label;
        EXPECT_TRUE(desktop.launcherWindows().empty()) << row.label << ": the surround is gone";
        EXPECT_LT(desktop.now(), start + 1100) << row.label;
        EXPECT_TRUE(desktop.windowExists(window)) << row.label << ": the program runs on";
        EXPECT_TRUE(trace.contains("Stopped on request: the window is given back, the program runs on"));
        EXPECT_TRUE(desktop.boxes().empty()) << row.label;
        desktop.advanceTo(start + kMinute + 1);
    }
    EXPECT_EQ(desktop.setWindowPosFlags().back(), 0x14u | platform::kSwpFrameChanged);
    EXPECT_EQ(desktop.openHandleCount(), 0);
}

TEST_F(Attach, AStopRequestBeforeAWindowIsFoundHasNothingToGiveBack) {
    const std::uint32_t pid =
        desktop.startElsewhere(kGame, aProgram().running(5000).showing(GameWindow().appearingAfter(2000)));
    desktop.setEventElsewhere(StopRequestName(fake::Desktop::kLauncherPid));
    EXPECT_EQ(attach(pid), 0);
    EXPECT_TRUE(trace.contains("No window was found: nothing to give back"));
    EXPECT_EQ(desktop.calls(Call::SetWindowPos), 0u);
    EXPECT_EQ(desktop.calls(Call::Sleep), 0u);
}

// ---- programs that run as administrator ----

const std::string kAdministratorLine = "game.exe runs as administrator: start the watch as administrator to size it";

TEST(AttachAsAdministrator, AProgramRunningAsAdministratorIsNamedOnceWithoutABox) {
    struct Row { const char* label; bool launcherElevated, nameOnly; int exitCode; };
    const Row rows[] = {
        {"its token kept from this Framewright", false, false, 2},
        {"found by name from a stub: its placement refused", false, true, 2},
        {"this Framewright runs as administrator too", true, false, 0},
    };
    for (const Row& row : rows) {
        fake::Desktop desktop;
        TraceCapture trace;
        desktop.workingDirectory("C:\\Profiles");
        desktop.file("C:\\Profiles\\game.ini",
                     Profile("", row.nameOnly ? "windowfindmethod=nameonly\nnamemask=Game\n"
                                              : "windowfindmethod=pidonly\n"));
        if (row.launcherElevated) desktop.launcherElevated();
        const std::uint32_t game = desktop.startElsewhere(
            kGame, aProgram().running(9000).showing(GameWindow()).runningAsAdministrator(), kMinute);
        const WindowHandle window = desktop.topWindow();
        const std::uint32_t stub = desktop.startElsewhere(kStub, aProgram().running(9000));
        platform::Rect seen{};
        desktop.at(7000, [&] { seen = desktop.windowRect(window); });
        desktop.commandLine("\"C:\\Tools\\framewright.exe\" --attach " + std::to_string(row.nameOnly ? stub : game) +
                            " game.ini");
        InitialiseSettings();
        EXPECT_EQ(RunAttachFlow(SelectProfile(desktop.commandLine()).attachProcess), row.exitCode) << row.label;
        EXPECT_EQ(std::count(trace.lines().begin(), trace.lines().end(), kAdministratorLine), row.exitCode == 2)
            << row.label;
        EXPECT_TRUE(desktop.boxes().empty()) << row.label;
        if (desktop.windowExists(window)) seen = desktop.windowRect(window);
        EXPECT_EQ(seen.left, row.exitCode == 2 ? 100 : 560) << row.label;
        EXPECT_EQ(desktop.openHandleCount(), 0) << row.label;
    }
}

// A program whose manifest asks for administrator rights: the launcher starts itself
// again as administrator, with its own arguments and folder, and ends.
TEST(LaunchAsAdministrator, StartsFramewrightAgainElevatedOrSaysTheRightsWereNotGiven) {
    struct Row { const char* label; bool declined; std::vector<std::string> boxes; };
    const Row rows[] = {
        {"given", false, {}},
        {"declined", true,
         {"Failed to execute program: C:\\Games\\Old\\game.exe\r\n"
          "It needs administrator rights, and they were not given."}},
    };
    for (const Row& row : rows) {
        fake::Desktop desktop;
        desktop.workingDirectory("C:\\Launch").exePath("C:\\Tools\\framewright.exe");
        desktop.file("C:\\some folder\\game.ini", "[program]\npath=C:\\Games\\Old\nname=game.exe\n" + Profile());
        desktop.program(kGame, aProgram().requiringAdministrator().showing(GameWindow()));
        if (row.declined) desktop.elevationDeclined();
        desktop.commandLine("\"C:\\Tools\\framewright.exe\"  \"C:\\some folder\\game.ini\" -frontend");
        InitialiseSettings();
        SelectProfile(desktop.commandLine());
        EXPECT_EQ(RunEntryFlow(), 0) << row.label;
        ASSERT_EQ(desktop.shellExecutions().size(), 1u) << row.label;
        const fake::ShellExecution& again = desktop.shellExecutions()[0];
        EXPECT_EQ(again.verb, "runas") << row.label;
        EXPECT_EQ(again.file, "C:\\Tools\\framewright.exe") << row.label;
        EXPECT_EQ(again.parameters, "\"C:\\some folder\\game.ini\" -frontend") << row.label;
        EXPECT_EQ(again.directory, "C:\\Launch") << row.label;
        EXPECT_EQ(desktop.boxTexts(), row.boxes) << row.label;
    }

    // The launcher started again: it has the rights, and the program starts.
    fake::Desktop elevated;
    elevated.launcherElevated().workingDirectory("C:\\Launch");
    elevated.file("C:\\Launch\\framewright.ini", "[program]\npath=C:\\Games\\Old\nname=game.exe\n" + Profile());
    elevated.program(kGame, aProgram().requiringAdministrator().running(6000).showing(GameWindow()));
    InitialiseSettings();
    RunEntryFlow();
    EXPECT_TRUE(elevated.shellExecutions().empty());
    EXPECT_EQ(elevated.calls(Call::SetWindowPos), 1u);
}

}  // namespace
