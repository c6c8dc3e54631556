#include <gtest/gtest.h>

#include <climits>

#include "platform/processes.h"
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

// A launcher that has loaded a valid configuration: a fixed 800 x 600 window found by
// its process, centred on a 1920 x 1080 display.
class Supervision : public ::testing::Test {
protected:
    void SetUp() override { UseCentredGame(kGame); }

    std::vector<std::string> linesWith(const std::string& text) const {
        std::vector<std::string> found;
        for (const auto& line : trace.lines()) {
            if (line.find(text) != std::string::npos) found.push_back(line);
        }
        return found;
    }

    fake::Desktop desktop;
    TraceCapture trace;
};

TEST_F(Supervision, StartsTheProgramWithTheConfiguredArguments) {
    Settings.ProgramParameters = "-window -nosound";
    desktop.program(kGame, aProgram().running(100));
    RunTargetProgram();
    ASSERT_EQ(desktop.launches().size(), 1u);
    EXPECT_EQ(desktop.launches()[0].applicationName, kGame);
    EXPECT_EQ(desktop.launches()[0].commandLine, "-window -nosound");
    EXPECT_EQ(desktop.launches()[0].currentDirectory, "C:\\Games\\Old");
    EXPECT_EQ(TargetProcessId, desktop.lastLaunchedPid());
    EXPECT_TRUE(trace.contains("Program started, PID = " + std::to_string(desktop.lastLaunchedPid())));
}

TEST_F(Supervision, ProgramThatCannotStartShowsOneBoxAndTouchesNothing) {
    desktop.program(kGame, aProgram().failingToStart());
    RunTargetProgram();
    EXPECT_EQ(desktop.boxTexts(), std::vector<std::string>{"Failed to execute program: C:\\Games\\Old\\game.exe"});
    EXPECT_TRUE(desktop.timerPeriodCalls().empty());
    EXPECT_EQ(desktop.calls(Call::WaitForSingleObject), 0u);
    EXPECT_EQ(desktop.openHandleCount(), 0);
}

TEST_F(Supervision, ProgramEndedBeforeTheFirstWaitGetsNoCycle) {
    desktop.program(kGame, aProgram().running(0).exitingWith(7).showing(aWindow()));
    RunTargetProgram();
    EXPECT_EQ(desktop.calls(Call::Sleep), 0u);
    EXPECT_EQ(desktop.calls(Call::FindWindowA), 0u);
    EXPECT_TRUE(trace.contains("Program stopped with exit code: 7"));
    EXPECT_EQ(desktop.timerPeriodCalls(), (std::vector<std::string>{"begin 1", "end 1"}));
    EXPECT_EQ(desktop.openHandleCount(), 0);
}

// The mark that tells other Framewrights the program is supervised goes last.
TEST_F(Supervision, ClosesTheProcessHandleThenTheThreadHandleThenTheMark) {
    desktop.program(kGame, aProgram().running(30));
    platform::ProcessInformation expected{0x40, 0x44, 0, 0};
    const std::uint32_t mark = 0x48;
    RunTargetProgram();
    EXPECT_EQ(desktop.closedHandles(), (std::vector<std::uint32_t>{expected.process, expected.thread, mark}));
    EXPECT_EQ(desktop.openHandleCount(), 0);
}

TEST_F(Supervision, ExitCodeIsTracedAsUnsigned) {
    desktop.program(kGame, aProgram().running(20).exitingWith(3221225477u));
    RunTargetProgram();
    EXPECT_TRUE(trace.contains("Program stopped with exit code: 3221225477"));
}

TEST_F(Supervision, FirstResizeWaitsForTheDelayThenCentresTheWindow) {
    desktop.program(kGame, aProgram().running(1000).showing(aWindow().at(10, 10, 650, 490).client(640, 480)));
    desktop.at(40, [&] { EXPECT_EQ(desktop.calls(Call::SetWindowPos), 0u) << "no attempt before the delay"; });
    RunTargetProgram();
    EXPECT_EQ(desktop.calls(Call::SetWindowPos), 1u);
    EXPECT_EQ(desktop.setWindowPosFlags(), std::vector<std::uint32_t>{0x14});
    EXPECT_EQ(LastAppliedLeft, 560);
    EXPECT_EQ(LastAppliedTop, 240);
    EXPECT_EQ(LastAppliedWidth, 800);
    EXPECT_EQ(LastAppliedHeight, 600);
    EXPECT_TRUE(trace.contains("First window resize successful"));
    EXPECT_TRUE(trace.contains("No longer repositioning the window"));
    EXPECT_TRUE(desktop.boxes().empty());
}

// Delay 15 and time-out 20 with the window there from the start: cycle 1 (10 ms) makes
// no attempt; cycle 2 (20 ms) makes the only attempt and also reaches the time-out.
void RunDelayFifteenTimeoutTwenty(fake::Desktop& desktop, bool windowVanishes) {
    Settings.FirstResizeDelayMs = 15;
    Settings.FirstResizeTimeoutMs = 20;
    desktop.program(kGame, aProgram().running(100).showing(aWindow()));
    if (windowVanishes) {
        desktop.beforeNext(Call::SetWindowPos, [&desktop] { desktop.destroyWindow(desktop.windowOfLastLaunch()); });
    }
    RunTargetProgram();
    EXPECT_EQ(desktop.calls(Call::SetWindowPos), 1u);
}

TEST_F(Supervision, DelayFifteenTimeoutTwentySucceedingShowsNoBox) {
    RunDelayFifteenTimeoutTwenty(desktop, false);
    EXPECT_TRUE(desktop.boxes().empty());
}

TEST_F(Supervision, DelayFifteenTimeoutTwentyFailingGoesStraightToTheTimeoutBox) {
    RunDelayFifteenTimeoutTwenty(desktop, true);
    EXPECT_EQ(desktop.boxTexts(), std::vector<std::string>{"Failed to resize the target window, timed out. Giving up."});
    EXPECT_EQ(desktop.boxes()[0].shownAtMs, 22) << "in cycle 2";
}

TEST_F(Supervision, WindowFoundAfterTheTimeoutGetsOneAttemptInThatCycle) {
    Settings.FirstResizeDelayMs = 10;
    Settings.FirstResizeTimeoutMs = 100;
    desktop.program(kGame, aProgram().running(1000).showing(aWindow().appearingAfter(500)));
    RunTargetProgram();
    EXPECT_EQ(desktop.calls(Call::SetWindowPos), 1u);
    EXPECT_TRUE(desktop.boxes().empty());
}

TEST_F(Supervision, WindowFoundAfterTheTimeoutThatFailsShowsTheBoxAtOnce) {
    Settings.FirstResizeDelayMs = 10;
    Settings.FirstResizeTimeoutMs = 100;
    desktop.program(kGame, aProgram().running(1000).showing(aWindow().appearingAfter(500)));
    desktop.beforeNext(Call::SetWindowPos, [&] { desktop.destroyWindow(desktop.windowOfLastLaunch()); });
    RunTargetProgram();
    EXPECT_EQ(desktop.calls(Call::SetWindowPos), 1u);
    ASSERT_EQ(desktop.boxes().size(), 1u);
    EXPECT_EQ(desktop.boxes()[0].text, "Failed to resize the target window, timed out. Giving up.");
    EXPECT_EQ(desktop.boxes()[0].shownAtMs, 506) << "cycle 46, the one that found the window";
}

TEST_F(Supervision, AfterGivingUpTheLoopOnlyWaits) {
    Settings.FirstResizeDelayMs = 10;
    Settings.FirstResizeTimeoutMs = 20;
    desktop.program(kGame, aProgram().running(2000).showing(aWindow().appearingAfter(100)));
    desktop.beforeNext(Call::SetWindowPos, [&] { desktop.destroyWindow(desktop.windowOfLastLaunch()); });
    RunTargetProgram();
    EXPECT_EQ(desktop.boxes().size(), 1u);
    EXPECT_EQ(desktop.calls(Call::FindWindowA), 10u) << "searches until the failed attempt, then none";
    EXPECT_EQ(desktop.calls(Call::SetWindowPos), 1u);
}

TEST_F(Supervision, WindowNeverFoundShowsNoBox) {
    desktop.program(kGame, aProgram().running(10000));
    desktop.addWindow(aWindow().withTitle("Someone else").ownedBy(4));
    RunTargetProgram();
    EXPECT_TRUE(desktop.boxes().empty());
    EXPECT_EQ(linesWith("FindWindow failed").size(), desktop.calls(Call::Sleep));
    EXPECT_EQ(desktop.calls(Call::SetWindowPos), 0u);
}

TEST_F(Supervision, FailedFirstAttemptSearchesAndMeasuresAgain) {
    desktop.program(kGame, aProgram().running(1000).showing(aWindow().at(0, 0, 640, 480).client(640, 480)));
    desktop.beforeNext(Call::SetWindowPos, [&] {
        desktop.destroyWindow(desktop.windowOfLastLaunch());
        desktop.addWindow(aWindow().ownedBy(desktop.lastLaunchedPid()).at(0, 0, 516, 439).client(500, 400));
    });
    Settings.ClientResize = true;
    RunTargetProgram();
    EXPECT_EQ(desktop.calls(Call::SetWindowPos), 2u);
    EXPECT_EQ(EffectiveBorderWidth, 16) << "measured again on the new window";
    EXPECT_EQ(LastAppliedWidth, 816);
    EXPECT_EQ(LastAppliedHeight, 639);
}

struct LockCase {
    const char* label;
    MoveWindowMode move;
    bool alwaysMove;
    bool lock;
    int expectLeft, expectTop, expectWidth, expectHeight;
    std::uint32_t lockFlags;  // 0: no re-application
};

class WindowLock : public Supervision, public ::testing::WithParamInterface<LockCase> {};

TEST_P(WindowLock, RestoresWhatItIsAskedToLock) {
    const LockCase& c = GetParam();
    Settings.MoveWindow = c.move;
    Settings.AlwaysMoveWindow = c.alwaysMove;
    Settings.LockWindow = c.lock;
    desktop.program(kGame, aProgram().running(1000).showing(aWindow().at(100, 100, 740, 580).client(640, 480)));
    desktop.at(500, [&] { desktop.moveWindow(desktop.windowOfLastLaunch(), 5, 6, 300, 200); });
    desktop.at(990, [&] {
        platform::Rect r = desktop.windowRect(desktop.windowOfLastLaunch());
        EXPECT_EQ(r.left, c.expectLeft) << c.label;
        EXPECT_EQ(r.top, c.expectTop) << c.label;
        EXPECT_EQ(r.right - r.left, c.expectWidth) << c.label;
        EXPECT_EQ(r.bottom - r.top, c.expectHeight) << c.label;
    });
    RunTargetProgram();
    std::vector<std::uint32_t> flags = desktop.setWindowPosFlags();
    ASSERT_EQ(flags.size(), c.lockFlags == 0 ? 1u : 2u) << c.label;
    if (c.lockFlags != 0) {
        EXPECT_EQ(flags[1], c.lockFlags) << c.label;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, WindowLock,
    ::testing::Values(
        LockCase{"size only", MoveWindowMode::Centre, false, true, 5, 6, 800, 600, 0x16},
        LockCase{"size and position", MoveWindowMode::Centre, true, true, 560, 240, 800, 600, 0x14},
        LockCase{"no move at all", MoveWindowMode::None, true, true, 5, 6, 800, 600, 0x16},
        LockCase{"no lock", MoveWindowMode::Centre, true, false, 5, 6, 300, 200, 0}),
    [](const ::testing::TestParamInfo<LockCase>& info) {
        std::string name = info.param.label;
        for (char& ch : name) {
            if (ch == ' ') ch = '_';
        }
        return name;
    });

TEST_F(Supervision, NoMoveModeNeverPassesAPosition) {
    Settings.MoveWindow = MoveWindowMode::None;
    Settings.AlwaysMoveWindow = true;
    Settings.LockWindow = true;
    desktop.program(kGame, aProgram().running(200).showing(aWindow().at(33, 44, 673, 524)));
    RunTargetProgram();
    EXPECT_EQ(desktop.setWindowPosFlags(), std::vector<std::uint32_t>{0x16});
    EXPECT_TRUE(trace.contains("Will lock window size"));
    EXPECT_TRUE(trace.contains("Will lock window position"));
    EXPECT_FALSE(trace.contains("No longer repositioning the window"));
}

TEST_F(Supervision, WindowThatRefusesItsSizeIsPlacedAgainEveryCycle) {
    Settings.LockWindow = true;
    desktop.program(kGame, aProgram().running(1000).showing(aWindow().maxSize(640, 480)));
    RunTargetProgram();
    // First attempt in cycle 5, then a re-application in every later cycle but the
    // last, in which the program has ended and taken its window with it.
    EXPECT_EQ(desktop.calls(Call::SetWindowPos), desktop.calls(Call::Sleep) - 5);
}

TEST_F(Supervision, LockCycleCostsOneWaitOneSleepAndOneRectangle) {
    Settings.LockWindow = true;
    desktop.program(kGame, aProgram().running(10000).showing(aWindow()));
    desktop.at(5000, [&] { desktop.resetCallCounts(); });
    desktop.at(6000, [&] {
        std::uint64_t cycles = desktop.calls(Call::Sleep);
        EXPECT_EQ(desktop.calls(Call::WaitForSingleObject), cycles);
        EXPECT_EQ(desktop.calls(Call::GetWindowRect), cycles);
        EXPECT_EQ(desktop.totalCalls(), 3 * cycles);
    });
    RunTargetProgram();
}

TEST_F(Supervision, WindowLostDuringTheLockIsFoundAgainAndLockedAgain) {
    Settings.LockWindow = true;
    desktop.program(kGame, aProgram().running(2000).showing(aWindow()));
    desktop.at(800, [&] {
        desktop.destroyWindow(desktop.windowOfLastLaunch());
        desktop.addWindow(aWindow().ownedBy(desktop.lastLaunchedPid()).at(1, 2, 301, 202));
    });
    desktop.at(1500, [&] {
        platform::Rect r = desktop.windowRect(desktop.topWindow());
        EXPECT_EQ(r.right - r.left, 800);
        EXPECT_EQ(r.bottom - r.top, 600);
        EXPECT_EQ(r.left, 1) << "after the first resize only the size is locked";
    });
    RunTargetProgram();
    EXPECT_EQ(linesWith("Trying to resize").size(), 1u) << "the first-resize phase is not entered again";
}

TEST(NominalClock, TenMinutesOfSupervisionRunOnTheVirtualClock) {
    fake::Desktop desktop;
    InitialiseSettings();
    Settings.ProgramFile = kGame;
    Settings.ProgramPath = "C:\\Games\\Old";
    Settings.FindByPid = true;
    Settings.FirstResizeDelayMs = 10;
    Settings.FirstResizeTimeoutMs = INT_MAX;
    desktop.program(kGame, aProgram().running(10 * 60 * 1000));
    RunTargetProgram();
    EXPECT_GE(desktop.now(), 600000);
    EXPECT_EQ(desktop.calls(Call::Sleep), 600000u / 11 + 1);
}

}  // namespace
