// Around the window on the simulated desktop: the cursor kept in it and the window
// topmost while it is in front, the pause key, and every road out letting both go.
#include <gtest/gtest.h>

#include <new>

#include "app/entry.h"
#include "play/play.h"
#include "settings/settings.h"
#include "supervisor/supervisor.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/trace_capture.h"

using fake::aProgram;
using fake::aWindow;
using fake::Call;
using platform::Rect;

namespace {

const char* const kGame = "C:\\Games\\Old\\game.exe";
constexpr std::uint32_t kCtrl = 0x2, kF12 = 0x7B;
// The game's window, 16 x 39 of frame, made 800 x 600 and centred on 1920 x 1080:
// its client area lies at 568, 271.
const Rect kClient{568, 271, 1352, 832};
const Rect kOther{0, 0, 300, 300};

class Play : public ::testing::Test {
protected:
    void SetUp() override {
        InitialiseSettings();
        Settings.ProgramPath = "C:\\Games\\Old";
        Settings.ProgramFile = kGame;
        Settings.FindByPid = true;
        Settings.FirstResizeDelayMs = 50;
        Settings.FirstResizeTimeoutMs = 5000;
        Settings.WindowWidth = 800;
        Settings.WindowHeight = 600;
        Settings.MoveWindow = MoveWindowMode::Centre;
        Settings.ScalingMethod = ScalingMethod::Defined;
        Settings.AutodetectBorderSize = true;
        Settings.LockWindow = true;
        Settings.ClipCursor = true;
        Settings.Topmost = true;
        DisplayWidth = 1920;
        DisplayHeight = 1080;
        other = desktop.addWindow(aWindow().withTitle("Chat").ownedBy(7).at(0, 0, 300, 300));
    }

    void runGame(std::int64_t ms, fake::WindowSpec window = aWindow().at(100, 100, 740, 580).client(624, 441)) {
        desktop.program(kGame, aProgram().running(ms).showing(window));
        RunTargetProgram();
    }
    platform::WindowHandle game() const { return desktop.windowOfLastLaunch(); }

    void runStubWithChild() {
        const char* const child = "C:\\Games\\Old\\real.exe";
        Settings.FindByPid = false;
        Settings.FindByName = true;
        Settings.NameMask = "Game";
        desktop.program(child, aProgram().running(5000).showing(
                                   aWindow().withTitle("Game").at(100, 100, 740, 580).client(624, 441)));
        desktop.program(kGame, aProgram().running(500).starting(child));
        RunTargetProgram();
        EXPECT_TRUE(desktop.windowExists(desktop.foreground()));
    }

    // What the user would see at a moment: where the cursor is held ("free" when it
    // is not) and whether the game is topmost.
    void expectAt(std::int64_t ms, const char* label, const Rect* clip, bool topmost) {
        desktop.at(ms, [=] {
            Rect held;
            const bool clipped = desktop.cursorClip(held);
            EXPECT_EQ(clipped, clip != nullptr) << label;
            if (clipped && clip != nullptr) {
                EXPECT_EQ(held, *clip) << label;
            }
            EXPECT_EQ(desktop.isTopmost(game()), topmost) << label;
        });
    }

    fake::Desktop desktop;
    TraceCapture trace;
    platform::WindowHandle other = 0;
};

// Each change is answered within one cycle: 10 ms of sleep and a wait of 1 ms.
TEST_F(Play, FocusLeavingAndComingBack) {
    expectAt(100, "in front after the first resize", &kClient, true);
    desktop.at(500, [&] { desktop.activate(other); });
    expectAt(511, "another program in front", nullptr, false);
    desktop.at(700, [&] { desktop.activate(game()); });
    expectAt(711, "back in front", &kClient, true);
    runGame(1000);
    EXPECT_EQ(desktop.calls(Call::ClipCursor), 3u) << "the first clip, the clip of the first resize, the return";
}

TEST_F(Play, ClipChangedByAnotherProgramMinimiseAndRestore) {
    desktop.at(500, [&] { desktop.clipByAnotherProgram(nullptr); });
    expectAt(511, "freed by another program", &kClient, true);
    desktop.at(600, [&] { desktop.clipByAnotherProgram(&kOther); });
    expectAt(611, "changed by another program", &kClient, true);
    desktop.at(700, [&] { desktop.minimise(game()); });
    expectAt(711, "minimised, still the foreground window", nullptr, false);
    desktop.at(800, [&] { desktop.restore(game()); });
    expectAt(811, "restored", &kClient, true);
    runGame(1000);
}

TEST_F(Play, AWindowItOwnsInFrontKeepsTheCursorInTheMainWindow) {
    desktop.program(kGame, aProgram().running(1000).showing(aWindow().at(100, 100, 740, 580).client(624, 441))
                               .showing(aWindow().ownedByWindow(0).appearingAfter(500)));
    expectAt(511, "its dialog in front", &kClient, true);
    RunTargetProgram();
    EXPECT_EQ(desktop.foreground(), 0u);
}

TEST_F(Play, ARebuiltWindowIsFollowedWithoutTheLockAndNotResized) {
    Settings.LockWindow = false;
    desktop.at(500, [&] {
        desktop.destroyWindow(game());
        desktop.activate(desktop.addWindow(aWindow().ownedBy(desktop.lastLaunchedPid()).at(10, 20, 650, 500)));
    });
    desktop.at(530, [&] {
        Rect held;
        ASSERT_TRUE(desktop.cursorClip(held));
        EXPECT_EQ(held, (Rect{10, 20, 650, 500}));
        EXPECT_EQ(desktop.windowRect(desktop.topWindow()), (Rect{10, 20, 650, 500}));
    });
    runGame(1000);
}

TEST_F(Play, PauseAndResume) {
    Settings.PauseKey = {kCtrl, kF12};
    desktop.at(500, [&] { desktop.pressKeys(kCtrl, kF12); });
    expectAt(522, "paused", nullptr, false);
    desktop.at(600, [&] { desktop.moveWindow(game(), 5, 6, 300, 200); });
    desktop.at(800, [&] { EXPECT_EQ(desktop.windowRect(game()), (Rect{5, 6, 305, 206})) << "the lock rests"; });
    desktop.at(900, [&] { desktop.pressKeys(kCtrl, kF12); });
    const Rect restored{13, 37, 797, 598};  // the size back, where the user put the window
    expectAt(922, "resumed", &restored, true);
    runGame(1000);
    EXPECT_TRUE(trace.contains("Pause key: Ctrl+F12"));
    EXPECT_TRUE(trace.contains("Paused"));
    EXPECT_TRUE(trace.contains("Resumed"));
    EXPECT_EQ(desktop.beeps(), (std::vector<std::uint32_t>{0x30, 0x40})) << "a sound of its own for each";
    EXPECT_EQ(desktop.hotkeysHeld(), 0u) << "given back at the end";
}

TEST_F(Play, APauseKeyTakenByAnotherProgramIsTracedAndTheRunGoesOn) {
    Settings.PauseKey = {kCtrl, kF12};
    desktop.hotkeyTakenByAnotherProgram(kCtrl, kF12);
    runGame(1000);
    EXPECT_TRUE(trace.contains("The pause key Ctrl+F12 is taken by another program; running without it"));
    EXPECT_TRUE(desktop.boxes().empty());
    EXPECT_EQ(desktop.calls(Call::MsgWaitForMultipleObjects) + desktop.calls(Call::PeekMessageA), 0u);
    EXPECT_EQ(desktop.calls(Call::ClipCursor), 2u);
}

// The started program ends at 500 ms and the launcher with it; the window it handed
// to a child stays, in front.
TEST_F(Play, AtTheEndTheCursorIsFreedAndNothingStaysTopmost) {
    runStubWithChild();
    Rect held;
    EXPECT_FALSE(desktop.cursorClip(held));
    EXPECT_FALSE(desktop.isTopmost(desktop.foreground()));
}

// Only the launcher's own clip is freed: here another program confines the cursor
// in the very moment the launcher ends.
TEST_F(Play, AClipOfAnotherProgramIsLeftAlone) {
    desktop.beforeNext(Call::timeEndPeriod, [&] { desktop.clipByAnotherProgram(&kOther); });
    runStubWithChild();
    Rect held;
    EXPECT_TRUE(desktop.cursorClip(held));
    EXPECT_EQ(held, kOther);
    EXPECT_EQ(desktop.calls(Call::ClipCursor), 2u) << "set when found and after the first resize, never freed";
}

TEST_F(Play, BeforeABoxTheCursorIsFreedAndTheWindowLeavesTheTopmostBand) {
    Settings.MoveWindow = static_cast<MoveWindowMode>(9);  // the internal error's box, then the end
    desktop.beforeNext(Call::MessageBoxA, [&] {
        Rect held;
        EXPECT_FALSE(desktop.cursorClip(held));
        EXPECT_FALSE(desktop.isTopmost(game()));
    });
    desktop.at(40, [&] { EXPECT_TRUE(desktop.isTopmost(game())) << "in force before the box"; });
    EXPECT_THROW(runGame(1000), fake::ProcessExit);
    EXPECT_EQ(desktop.boxes().size(), 1u);
    EndPlay();  // the process would have ended here
}

TEST_F(Play, AnExceptionInTheLoopFreesTheCursorAndTheKeyBeforeItsReport) {
    desktop.workingDirectory("C:\\Launch");
    desktop.file("C:\\Launch\\framewright.ini",
                 "[program]\npath=C:\\Games\\Old\nname=game.exe\n[windowresize]\nwindowfindmethod=pidonly\n"
                 "firstresizedelayms=50\nfirstresizetimeoutms=1000\nwindowwidth=800\nwindowheight=600\n"
                 "lockwindow=1\nmovewindow=centre\nscalingmethod=defined\n"
                 "[tweaks]\nclipcursor=1\ntopmost=1\npausekey=Ctrl+F12\n");
    desktop.program(kGame, aProgram().running(5000).showing(aWindow().at(100, 100, 740, 580).client(624, 441)));
    desktop.at(500, [&] { desktop.beforeNext(Call::Sleep, [] { throw std::bad_alloc(); }); });
    desktop.beforeNext(Call::MessageBoxA, [&] {
        Rect held;
        EXPECT_FALSE(desktop.cursorClip(held));
        EXPECT_FALSE(desktop.isTopmost(game()));
        EXPECT_EQ(desktop.hotkeysHeld(), 0u);
    });
    InitialiseSettings();
    RunEntryFlow();
    EXPECT_EQ(desktop.boxTexts(), std::vector<std::string>{"Internal exception, please contact the developer:\r\n"
                                                           "EOutOfMemory: Out of memory"});
}

// The lock's own rectangle read serves the clip: in front, with the clip in force,
// a cycle costs the foreground window and the clip beyond the lock's calls, and the
// wait that also looks at the queue.
TEST_F(Play, ACycleInFrontWithEveryKeyCostsTwoCallsMoreThanTheLock) {
    Settings.PauseKey = {kCtrl, kF12};
    desktop.at(5000, [&] { desktop.resetCallCounts(); });
    desktop.at(6000, [&] {
        const std::uint64_t cycles = desktop.calls(Call::Sleep);
        EXPECT_EQ(desktop.calls(Call::MsgWaitForMultipleObjects), cycles);
        EXPECT_EQ(desktop.calls(Call::GetWindowRect), cycles);
        EXPECT_EQ(desktop.calls(Call::GetForegroundWindow), cycles);
        EXPECT_EQ(desktop.calls(Call::GetClipCursor), cycles);
        EXPECT_EQ(desktop.totalCalls(), 5 * cycles);
    });
    runGame(10000);
    EXPECT_EQ(desktop.calls(Call::ClipCursor), 0u) << "no churn: nothing since 5000 ms";
}

}  // namespace
