// The surround on the simulated desktop: shown right beneath the window at the first
// placement, kept there, hidden while the window is away or play is paused, and
// gone at every end.
#include <gtest/gtest.h>

#include <functional>
#include <new>

#include "app/entry.h"
#include "play/play.h"
#include "play/play_rules.h"
#include "settings/settings.h"
#include "supervisor/supervisor.h"
#include "tests/support/centred_game.h"
#include "tests/support/fake_desktop.h"

using fake::aProgram;
using fake::aWindow;
using fake::Call;
using platform::Rect;
using platform::WindowHandle;

namespace {

const char* const kGame = "C:\\Games\\Old\\game.exe";
constexpr std::uint32_t kCtrl = 0x2, kF12 = 0x7B;
const Rect kDisplay{0, 0, 1920, 1080};
const fake::WindowSpec kWindow = aWindow().at(100, 100, 740, 580).client(624, 441);

class Surround : public ::testing::Test {
protected:
    void SetUp() override {
        UseCentredLockedGame(kGame);
        Settings.Surround = true;
        Settings.SurroundColour = 0x204060;
        other = desktop.addWindow(aWindow().withTitle("Chat").ownedBy(7).at(0, 0, 300, 300));
    }

    WindowHandle game() const { return desktop.windowOfLastLaunch(); }
    WindowHandle surround() const { return desktop.launcherWindows().at(0); }

    // Shown right beneath the game over `display`, or hidden.
    void expectAt(std::int64_t ms, const std::string& label, bool shown, const Rect& display = kDisplay) {
        desktop.at(ms, [=] {
            EXPECT_EQ(desktop.isVisible(surround()), shown) << label;
            if (!shown) return;
            EXPECT_EQ(desktop.windowBelow(game()), surround()) << label;
            EXPECT_EQ(desktop.windowRect(surround()), display) << label;
        });
    }

    fake::Desktop desktop;
    WindowHandle other = 0;
};

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

// A box halts the loop with the surround down (here the internal error's, then the
// end); an exception takes it away before its report.
TEST_F(Surround, IsDownBeforeEveryBoxAndGoneAfterAnException) {
    Settings.AlwaysMoveWindow = true;
    desktop.at(300, [&] {
        Settings.MoveWindow = static_cast<MoveWindowMode>(9);
        desktop.moveWindow(game(), 5, 6, 300, 200);
    });
    desktop.beforeNext(Call::MessageBoxA, [&] { EXPECT_FALSE(desktop.isVisible(surround())); });
    desktop.program(kGame, aProgram().running(1000).showing(kWindow));
    EXPECT_THROW(RunTargetProgram(), fake::ProcessExit);
    EndPlay();

    desktop.workingDirectory("C:\\Launch");
    desktop.file("C:\\Launch\\framewright.ini",
                 "[program]\npath=C:\\Games\\Old\nname=game.exe\n[windowresize]\nwindowfindmethod=pidonly\n"
                 "firstresizedelayms=50\nfirstresizetimeoutms=1000\nwindowwidth=800\nwindowheight=600\n"
                 "movewindow=centre\nscalingmethod=defined\n[tweaks]\nsurround=1\n");
    desktop.at(desktop.now() + 500, [&] { desktop.beforeNext(Call::Sleep, [] { throw std::bad_alloc(); }); });
    desktop.beforeNext(Call::MessageBoxA, [&] { EXPECT_TRUE(desktop.launcherWindows().empty()); });
    InitialiseSettings();
    RunEntryFlow();
    EXPECT_EQ(desktop.boxes().size(), 2u);
    EXPECT_EQ(desktop.liveBrushes() + desktop.registeredClasses(), 0u);
}

// The lock's cycle and one read more, the window below; the style now and then.
TEST_F(Surround, ACycleCostsTheWindowBelowBeyondTheLock) {
    desktop.at(5000, [&] { desktop.resetCallCounts(); });
    desktop.at(6000, [&] {
        const std::uint64_t cycles = desktop.calls(Call::Sleep), styles = desktop.calls(Call::GetWindowLongA);
        for (Call call : {Call::MsgWaitForMultipleObjects, Call::GetWindowRect, Call::GetWindow}) {
            EXPECT_EQ(desktop.calls(call), cycles) << fake::CallName(call);
        }
        EXPECT_LE(styles, cycles / kSurroundStyleEvery + 1);
        EXPECT_EQ(desktop.totalCalls(), 4 * cycles + styles);
    });
    desktop.program(kGame, aProgram().running(10000).showing(kWindow));
    RunTargetProgram();
}

}  // namespace
