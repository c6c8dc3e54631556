#include <gtest/gtest.h>

#include "geometry/discovery.h"
#include "tests/support/fake_desktop.h"

using fake::aWindow;
using fake::Call;

namespace {

struct MaskCase {
    const char* mask;
    const char* title;
    bool matches;
};

TEST(MatchNameMask, StarRules) {
    const MaskCase cases[] = {
        {"Editor", "Editor", true},
        {"Editor", "editor", false},
        {"Editor", "Text Editor", false},
        {"*Editor", "Text Editor", true},
        {"*Editor", "Editor", true},
        {"*Editor", "Editor 2", false},
        {"Editor*", "Editor - notes.txt", true},
        {"Editor*", "My Editor", false},
        {"*dit*", "Text Editor", true},
        {"*dit*", "Text Edtor", false},
        {"*Editor*", "Editor", true},
        {"A*B", "A*B", true},
        {"A*B", "AxB", false},
        {"**", "*title", true},
        {"**", "title", false},
        {"**", "", false},
        {"?", "x", false},
        {"?", "?", true},
        {"x", "x", true},
        {"x", "xx", false},
        {"", "any title", false},
        {"", "", false},
        {"*", "", true},
        {"*", "anything at all", true},
        {"***", "*", true},
        {"***", "abc", false},
        {"*a*b*", "xa*by", true},
        {"*a*b*", "xaby", false},
        {"*long suffix", "fix", false},
        {"long prefix*", "long", false},
        {"caf\xE9*", "CAF\xC9 noir", false},
        {"caf\xE9*", "caf\xE9 noir", true},
    };
    for (const MaskCase& c : cases) {
        EXPECT_EQ(MatchNameMask(c.title, c.mask), c.matches) << "mask '" << c.mask << "', title '" << c.title << "'";
    }
}

class WindowWalk : public ::testing::Test {
protected:
    fake::Desktop desktop;
};

TEST_F(WindowWalk, FindMethodsTable) {
    // Z-order from the top: a foreign "Game" window, our hidden helper, our main window.
    platform::WindowHandle main = desktop.addWindow(aWindow().withTitle("Game - main").ownedBy(42));
    platform::WindowHandle helper = desktop.addWindow(aWindow().withTitle("").ownedBy(42));
    platform::WindowHandle foreign = desktop.addWindow(aWindow().withTitle("Game launcher").ownedBy(7));

    struct Case { const char* label; bool byPid; bool byName; const char* mask; platform::WindowHandle expected; };
    const Case cases[] = {
        {"pid only takes the topmost window of the process", true, false, "", helper},
        {"pid and name needs both", true, true, "Game*", main},
        {"name only takes any process's window", false, true, "Game*", foreign},
        {"name only with a lone star takes the topmost window", false, true, "*", foreign},
        {"pid and name with a lone star: topmost of the process", true, true, "*", helper},
        {"neither flag never passes", false, false, "*", platform::kNoWindow},
        {"no window passes", true, true, "Nothing*", platform::kNoWindow},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindTargetWindow(c.byPid, 42, c.byName, c.mask), c.expected) << c.label;
    }
}

TEST_F(WindowWalk, EmptyDesktopGivesTheNotFoundValue) {
    EXPECT_EQ(FindTargetWindow(true, 42, false, ""), platform::kNoWindow);
    EXPECT_EQ(FindTargetWindow(false, 0, true, "*"), platform::kNoWindow);
}

TEST_F(WindowWalk, ReadsTitleAndProcessOfEveryWindowVisited) {
    for (int i = 0; i < 5; ++i) desktop.addWindow(aWindow().withTitle("other").ownedBy(7));
    desktop.addWindow(aWindow().withTitle("mine").ownedBy(42).belowOthers());
    desktop.resetCallCounts();
    FindTargetWindow(true, 42, false, "");
    EXPECT_EQ(desktop.calls(Call::FindWindowA), 1u);
    EXPECT_EQ(desktop.calls(Call::GetWindowTextA), 6u);
    EXPECT_EQ(desktop.calls(Call::GetWindowThreadProcessId), 6u);
    EXPECT_EQ(desktop.calls(Call::GetWindow), 5u);
}

TEST_F(WindowWalk, ComparesOnlyTheFirst1023CharactersOfATitle) {
    std::string title(1023, 'a');
    desktop.addWindow(aWindow().withTitle(title + "TAIL").ownedBy(7));
    EXPECT_EQ(FindTargetWindow(false, 0, true, "*TAIL"), platform::kNoWindow);
    EXPECT_NE(FindTargetWindow(false, 0, true, title), platform::kNoWindow);
    EXPECT_NE(FindTargetWindow(false, 0, true, "*" + title.substr(1)), platform::kNoWindow);
}

TEST_F(WindowWalk, WindowVanishingDuringTheWalkReadsAsUntitledAndOwnerless) {
    platform::WindowHandle doomed = desktop.addWindow(aWindow().withTitle("Game").ownedBy(42));
    desktop.beforeNext(Call::GetWindowTextA, [&] { desktop.destroyWindow(doomed); });
    EXPECT_EQ(FindTargetWindow(false, 0, true, "Game"), platform::kNoWindow);
    EXPECT_EQ(desktop.calls(Call::GetWindow), 1u) << "the walk ends where the lost window's next is unknown";
}

}  // namespace
