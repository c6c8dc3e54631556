// Around the window on the simulated desktop: the cursor kept in it and the window
// topmost while it is in front, the surround right beneath it, the pause key, and
// every road out letting them all go.
#include <gtest/gtest.h>

#include <functional>
#include <new>

#include "app/entry.h"
#include "platform/windows.h"
#include "play/play.h"
#include "play/play_rules.h"
#include "settings/settings.h"
#include "supervisor/supervisor.h"
#include "tests/support/centred_game.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/trace_capture.h"

using fake::aProgram;
using fake::aWindow;
using fake::Call;
using platform::Rect;
using platform::WindowHandle;

namespace {

const char* const kGame = "C:\\Games\\Old\\game.exe";
constexpr std::uint32_t kCtrl = 0x2, kF12 = 0x7B;
// The game's window, 16 x 39 of frame, made 800 x 600 and centred on 1920 x 1080:
// its client area lies at 568, 271.
const Rect kClient{568, 271, 1352, 832};
const Rect kOther{0, 0, 300, 300};
const Rect kDisplay{0, 0, 1920, 1080};
const fake::WindowSpec kWindow = aWindow().at(100, 100, 740, 580).client(624, 441);

// The game centred and locked, and a chat window of another program.
class AroundTheWindow : public ::testing::Test {
protected:
    void SetUp() override {
        UseCentredGame(kGame);
        Settings.LockWindow = true;
        other = desktop.addWindow(aWindow().withTitle("Chat").ownedBy(7).at(0, 0, 300, 300));
    }

    WindowHandle game() const { return desktop.windowOfLastLaunch(); }
    WindowHandle surround() const { return desktop.launcherWindows().at(0); }

    // From 5 s on, with nothing changing: each of `everyCycle` once a cycle, `now`
    // at most every `nowEvery` cycles, and else only the sleep.
    void expectEachCycleToCost(const std::vector<Call>& everyCycle, Call now, int nowEvery) {
        desktop.at(5000, [&] { desktop.resetCallCounts(); });
        desktop.at(6000, [&] {
            const std::uint64_t cycles = desktop.calls(Call::Sleep), occasional = desktop.calls(now);
            for (Call call : everyCycle) EXPECT_EQ(desktop.calls(call), cycles) << fake::CallName(call);
            EXPECT_LE(occasional, cycles / nowEvery + 1) << fake::CallName(now);
            EXPECT_EQ(desktop.totalCalls(), (everyCycle.size() + 1) * cycles + occasional);
        });
        desktop.program(kGame, aProgram().running(10000).showing(kWindow));
        RunTargetProgram();
    }

    fake::Desktop desktop;
    TraceCapture trace;
    WindowHandle other = 0;
};

class Play : public AroundTheWindow {
protected:
    void SetUp() override {
        AroundTheWindow::SetUp();
        Settings.ClipCursor = Settings.Topmost = true;
    }

    // Where the cursor is held at that moment (null: free) and whether the game is topmost.
    void expectAt(std::int64_t ms, const std::string& label, const Rect* clip, bool topmost) {
        desktop.at(ms, [=] {
            Rect held;
            EXPECT_EQ(desktop.cursorClip(held), clip != nullptr) << label;
            if (clip != nullptr) {
                EXPECT_EQ(held, *clip) << label;
            }
            EXPECT_EQ(desktop.isTopmost(game()), topmost) << label;
        });
    }
};

class Surround : public AroundTheWindow {
protected:
    void SetUp() override {
        AroundTheWindow::SetUp();
        Settings.Surround = true;
        Settings.SurroundColour = 0x204060;
    }

    // Shown right beneath the game over `display`, or hidden.
    void expectAt(std::int64_t ms, const std::string& label, bool shown, const Rect& display = kDisplay) {
        desktop.at(ms, [=] {
            EXPECT_EQ(desktop.isVisible(surround()), shown) << label;
            if (!shown) return;
            EXPECT_EQ(desktop.windowBelow(game()), surround()) << label;
            EXPECT_EQ(desktop.windowRect(surround()), display) << label;
        });
    }
};

// Each change is answered within one cycle: 10 ms of sleep and a wait of 1 ms.
TEST_F(Play, EachChangeIsAnsweredWithinACycle) {
    const struct Step {
        std::int64_t at;
        std::function<void(fake::Desktop&, WindowHandle game, WindowHandle other)> act;
        const char* label;
        const Rect* clip;
        bool topmost;
    } steps[] = {
        {100, [](auto&, auto, auto) {}, "in front after the first resize", &kClient, true},
        {200, [](auto& d, auto, auto o) { d.activate(o); }, "another program in front", nullptr, false},
        {300, [](auto& d, auto g, auto) { d.activate(g); }, "back in front", &kClient, true},
        {400, [](auto& d, auto, auto) { d.clipByAnotherProgram(nullptr); }, "freed by another program", &kClient, true},
        {500, [](auto& d, auto, auto) { d.clipByAnotherProgram(&kOther); }, "changed by another program", &kClient, true},
        {600, [](auto& d, auto g, auto) { d.minimise(g); }, "minimised, still the foreground window", nullptr, false},
        {700, [](auto& d, auto g, auto) { d.restore(g); }, "restored", &kClient, true},
        {800, [](auto&, auto, auto) {}, "its own dialog in front", &kClient, true},
    };
    for (const Step& step : steps) {
        desktop.at(step.at, [&] { step.act(desktop, game(), other); });
        expectAt(step.at + 11, step.label, step.clip, step.topmost);
    }
    desktop.program(kGame, aProgram().running(1000).showing(kWindow).showing(
                               aWindow().ownedByWindow(0).appearingAfter(800)));
    RunTargetProgram();
    EXPECT_EQ(desktop.calls(Call::ClipCursor), 7u) << "found, first resize, back, freed, changed, minimised (the release), restored";
}

// What the outer rectangle does not show is seen within a quarter of a second.
TEST_F(Play, WhatTheOuterRectangleDoesNotShowIsAnsweredWithinAQuarterOfASecond) {
    const Rect outer{560, 240, 1360, 840};
    constexpr std::uint32_t kFramed = 0x14CF0000u, kInPlace = 0x13;  // no move, no size, no activation
    const struct Step {
        std::int64_t at;
        std::function<void()> act;
        const char* label;
        const Rect* clip;
    } steps[] = {
        {100, [this] { desktop.setWindowStyle(game(), platform::kWsPopup | platform::kWsVisible); }, "frame off",
         &outer},
        {400, [this] { desktop.setWindowStyle(game(), kFramed); }, "frame back", &kClient},
        {700, [this] { desktop.setWindowPos(game(), platform::kHwndNoTopmost, 0, 0, 0, 0, kInPlace); }, "topmost taken",
         &kClient},
    };
    for (const Step& step : steps) {
        desktop.at(step.at, step.act);
        expectAt(step.at + 250, step.label, step.clip, true);
    }
    desktop.program(kGame, aProgram().running(1000).showing(kWindow));
    RunTargetProgram();
}

// A window built anew: the program's other window in front meanwhile, Windows
// leaves the cursor confined; the launcher frees it while it knows no window.
TEST_F(Play, WhileNoWindowIsKnownTheCursorIsFree) {
    Settings.FindByName = true;
    Settings.NameMask = "Game";
    desktop.at(500, [&] {
        const WindowHandle old = game();
        desktop.activate(desktop.addWindow(aWindow().withTitle("Loading").ownedBy(desktop.lastLaunchedPid())));
        desktop.destroyWindow(old);
    });
    desktop.at(522, [&] {
        Rect held;
        EXPECT_FALSE(desktop.cursorClip(held));
    });
    desktop.program(kGame, aProgram().running(1000).showing(fake::WindowSpec(kWindow).withTitle("Game")));
    RunTargetProgram();
}

TEST_F(Play, ARebuiltWindowIsFollowedWithoutTheLockAndNotResized) {
    Settings.LockWindow = false;
    const Rect rebuilt{10, 20, 650, 500};
    desktop.at(500, [&] {
        desktop.destroyWindow(game());
        desktop.activate(desktop.addWindow(aWindow().ownedBy(desktop.lastLaunchedPid()).at(10, 20, 650, 500)));
    });
    desktop.at(530, [&] {
        Rect held;
        EXPECT_TRUE(desktop.cursorClip(held) && held == rebuilt);
        EXPECT_EQ(desktop.windowRect(desktop.foreground()), rebuilt);
    });
    desktop.program(kGame, aProgram().running(1000).showing(kWindow));
    RunTargetProgram();
}

TEST_F(Play, PauseAndResume) {
    Settings.PauseKey = {kCtrl, kF12};
    desktop.at(500, [&] { desktop.pressKeys(kCtrl, kF12); });
    expectAt(522, "paused", nullptr, false);  // the wait sees the key, the next cycle takes it
    desktop.at(600, [&] { desktop.moveWindow(game(), 5, 6, 300, 200); });
    desktop.at(800, [&] { EXPECT_EQ(desktop.windowRect(game()), (Rect{5, 6, 305, 206})) << "the lock rests"; });
    desktop.at(900, [&] { desktop.pressKeys(kCtrl, kF12); });
    const Rect restored{13, 37, 797, 598};  // the size back, where the user put the window
    expectAt(922, "resumed", &restored, true);
    desktop.program(kGame, aProgram().running(1000).showing(kWindow));
    RunTargetProgram();
    for (const char* line : {"Pause key: Ctrl+F12", "Paused", "Resumed"}) EXPECT_TRUE(trace.contains(line)) << line;
    EXPECT_EQ(desktop.beeps(), (std::vector<std::uint32_t>{0x30, 0x40})) << "a sound of its own for each";
    EXPECT_EQ(desktop.hotkeysHeld(), 0u) << "given back at the end";
}

TEST_F(Play, APauseKeyTakenByAnotherProgramIsTracedAndTheRunGoesOn) {
    Settings.PauseKey = {kCtrl, kF12};
    desktop.hotkeyTakenByAnotherProgram(kCtrl, kF12);
    desktop.program(kGame, aProgram().running(1000).showing(kWindow));
    RunTargetProgram();
    EXPECT_TRUE(trace.contains("The pause key Ctrl+F12 is taken by another program; running without it"));
    EXPECT_TRUE(desktop.boxes().empty());
    EXPECT_EQ(desktop.calls(Call::MsgWaitForMultipleObjects) + desktop.calls(Call::PeekMessageA), 0u);
    EXPECT_EQ(desktop.calls(Call::ClipCursor), 2u);
}

// At the end the launcher frees only its own clip: left alone here, where another
// program confines the cursor in the very moment the launcher ends; and nothing
// stays topmost. The started program ends at 500 ms and the launcher with it; the
// window it handed to a child stays, in front.
TEST_F(Play, AtTheEndOnlyTheLaunchersOwnClipIsFreed) {
    Settings.FindByPid = false;
    Settings.FindByName = true;
    Settings.NameMask = "Game";
    desktop.program("C:\\Games\\Old\\real.exe", aProgram().running(5000).showing(fake::WindowSpec(kWindow).withTitle("Game")));
    desktop.program(kGame, aProgram().running(500).starting("C:\\Games\\Old\\real.exe"));
    desktop.beforeNext(Call::timeEndPeriod, [&] { desktop.clipByAnotherProgram(&kOther); });
    RunTargetProgram();
    ASSERT_TRUE(desktop.windowExists(desktop.foreground()));
    Rect held;
    EXPECT_TRUE(desktop.cursorClip(held) && held == kOther);
    EXPECT_EQ(desktop.calls(Call::ClipCursor), 2u) << "set when found and after the first resize, never freed";
    EXPECT_FALSE(desktop.isTopmost(desktop.foreground()));
}

TEST_F(Play, BeforeABoxTheCursorIsFreedAndTheWindowLeavesTheTopmostBand) {
    Settings.MoveWindow = static_cast<MoveWindowMode>(9);  // the internal error's box, then the end
    desktop.at(40, [&] { EXPECT_TRUE(desktop.isTopmost(game())) << "in force before the box"; });
    desktop.beforeNext(Call::MessageBoxA, [&] {
        Rect held;
        EXPECT_FALSE(desktop.cursorClip(held) || desktop.isTopmost(game()));
    });
    desktop.program(kGame, aProgram().running(1000).showing(kWindow));
    EXPECT_THROW(RunTargetProgram(), fake::ProcessExit);
    EXPECT_EQ(desktop.boxes().size(), 1u);
    EndPlay();  // the process would have ended here
}

// Every key at once: all let go before the exception's report, the surround's
// window, class and brush gone.
TEST_F(Play, AnExceptionInTheLoopLetsEverythingGoBeforeItsReport) {
    desktop.workingDirectory("C:\\Games\\Old");
    desktop.file("C:\\Games\\Old\\framewright.ini",
                 CentredGameIni("clipcursor=1\ntopmost=1\npausekey=Ctrl+F12\nsurround=1\n"));
    desktop.program(kGame, aProgram().running(5000).showing(kWindow));
    desktop.at(500, [&] { desktop.beforeNext(Call::Sleep, [] { throw std::bad_alloc(); }); });
    desktop.beforeNext(Call::MessageBoxA, [&] {
        Rect held;
        EXPECT_FALSE(desktop.cursorClip(held) || desktop.isTopmost(game()));
        EXPECT_EQ(desktop.hotkeysHeld(), 0u);
        EXPECT_TRUE(desktop.launcherWindows().empty());
    });
    InitialiseSettings();
    RunEntryFlow();
    EXPECT_EQ(desktop.boxTexts(), std::vector<std::string>{"Internal exception, please contact the developer:\r\n"
                                                           "EOutOfMemory: Out of memory"});
    EXPECT_EQ(desktop.liveBrushes() + desktop.registeredClasses(), 0u);
}

// The lock's own rectangle read serves the clip: in front, with the clip in force,
// a cycle costs the foreground window and the clip beyond the lock's calls, and the
// wait that also looks at the queue; the rest of the window now and then.
TEST_F(Play, ACycleInFrontWithEveryKeyCostsTwoCallsMoreThanTheLock) {
    Settings.PauseKey = {kCtrl, kF12};
    expectEachCycleToCost({Call::MsgWaitForMultipleObjects, Call::GetWindowRect, Call::GetForegroundWindow,
                           Call::GetClipCursor},
                          Call::GetWindowInfo, kPlayDetailEvery);
    EXPECT_EQ(desktop.calls(Call::ClipCursor), 0u) << "no churn: nothing since 5000 ms";
}

// Each change is answered within one cycle (10 ms of sleep and a wait of 1 ms; the
// pause key's in the next), a window its program hides where it stands within
// kSurroundStyleEvery cycles.
TEST_F(Surround, FollowsTheWindowWithinACycle) {
    Settings.PauseKey = {kCtrl, kF12};
    const auto style = [this](bool visible) {
        const std::uint32_t now = desktop.windowStyle(game());
        desktop.setWindowStyle(game(), visible ? now | platform::kWsVisible : now & ~platform::kWsVisible);
    };
    const struct Step {
        std::int64_t at;
        std::function<void()> act;
        const char* label;
        bool shown;
        std::int64_t within = 22;
    } steps[] = {
        {100, [] {}, "at the first placement", true},
        {200, [this] { desktop.activate(other); }, "another program in front", true},
        {300, [this] { desktop.activate(game()); }, "another window came between", true},
        {400, [this] { desktop.activate(other), desktop.click(surround()); }, "a click on it", true},
        {500, [this] { desktop.minimise(game()); }, "minimised", false},
        {600, [this] { desktop.restore(game()); }, "restored", true},
        {700, [this] { desktop.pressKeys(kCtrl, kF12); }, "paused", false},
        {800, [this] { desktop.pressKeys(kCtrl, kF12); }, "resumed", true},
        {900, [&] { style(false); }, "hidden by its program", false, 11 * kSurroundStyleEvery + 11},
        {1300, [&] { style(true); }, "shown again", true},
    };
    desktop.at(45, [&] { EXPECT_FALSE(desktop.isVisible(surround())) << "not before the first placement"; });
    for (const Step& step : steps) {
        desktop.at(step.at, step.act);
        expectAt(step.at + step.within, step.label, step.shown);
    }
    desktop.at(422, [&] {
        EXPECT_EQ(desktop.foreground(), game()) << "a click on the surround gives the game the front back";
        EXPECT_EQ(desktop.windowExStyle(surround()), platform::kWsExToolWindow | platform::kWsExNoActivate);
        EXPECT_EQ(desktop.brushColourOf(surround()), 0x604020u) << "204060 as Windows takes it";
    });
    desktop.program(kGame, aProgram().running(1400).showing(kWindow));
    RunTargetProgram();
    EXPECT_EQ(desktop.launcherWindows().size() + desktop.liveBrushes() + desktop.registeredClasses(), 0u)
        << "window, class and brush gone when the program ends";
}

// With topmost the game leaves the band right below the program switched to.
TEST_F(Surround, WithTopmostTheProgramSwitchedToLiesAboveTheGameAndTheSurround) {
    Settings.Topmost = true;
    desktop.at(200, [&] { desktop.activate(other); });
    desktop.at(211, [&] { EXPECT_TRUE(desktop.isAbove(other, game()) && !desktop.isTopmost(game())); });
    expectAt(211, "another program in front", true);
    desktop.program(kGame, aProgram().running(300).showing(kWindow));
    RunTargetProgram();
}

// A launcher stub that ends at once: the queue is still heard.
TEST_F(Surround, WithFollowChildrenThePauseKeyAndAClickWorkAfterTheStubEnded) {
    Settings.ProgramFile = "C:\\Games\\Old\\start.exe";
    Settings.FollowChildren = true;
    Settings.PauseKey = {kCtrl, kF12};
    desktop.program(kGame, aProgram().running(1000).showing(kWindow));
    desktop.program(Settings.ProgramFile, aProgram().running(10).starting(kGame));
    desktop.at(400, [&] { desktop.pressKeys(kCtrl, kF12); });
    desktop.at(422, [&] { EXPECT_FALSE(desktop.isVisible(surround())) << "paused"; });
    desktop.at(500, [&] { desktop.pressKeys(kCtrl, kF12), desktop.activate(other), desktop.click(surround()); });
    desktop.at(522, [&] { EXPECT_TRUE(desktop.isVisible(surround()) && desktop.foreground() != other); });
    RunTargetProgram();
}

TEST_F(Surround, FollowsTheWindowToAnotherDisplayWithDisplayWindow) {
    Settings.Display = DisplayChoice::Window;
    desktop.addDisplay("\\\\.\\DISPLAY2", 1920, 0, 1280, 1024);
    desktop.at(300, [&] { desktop.moveWindow(game(), 2100, 100, 800, 600); });
    expectAt(311, "moved to display 2", true, {1920, 0, 3200, 1024});
    desktop.at(400, [&] { desktop.moveWindow(game(), 200, 100, 800, 600); });
    expectAt(411, "back on display 1", true);
    desktop.program(kGame, aProgram().running(500).showing(kWindow));
    RunTargetProgram();
}

// A box halts the loop with the surround down, the surround alone on (here the
// internal error's when the lock places the window again, then the end).
TEST_F(Surround, IsDownBeforeABox) {
    Settings.AlwaysMoveWindow = true;
    desktop.at(300, [&] {
        Settings.MoveWindow = static_cast<MoveWindowMode>(9);
        desktop.moveWindow(game(), 5, 6, 300, 200);
    });
    desktop.beforeNext(Call::MessageBoxA, [&] { EXPECT_FALSE(desktop.isVisible(surround())); });
    desktop.program(kGame, aProgram().running(1000).showing(kWindow));
    EXPECT_THROW(RunTargetProgram(), fake::ProcessExit);
    EXPECT_EQ(desktop.boxes().size(), 1u);
    EndPlay();
}

// The lock's cycle and one read more, the window below; the style now and then.
TEST_F(Surround, ACycleCostsTheWindowBelowBeyondTheLock) {
    expectEachCycleToCost({Call::MsgWaitForMultipleObjects, Call::GetWindowRect, Call::GetWindow},
                          Call::GetWindowLongA, kSurroundStyleEvery);
}

}  // namespace
