#include <gtest/gtest.h>

#include "geometry/discovery.h"
#include "settings/settings.h"
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

// Each window costs only the reads its test needs; the class is read only for a
// window that passes the rest.
TEST_F(WindowWalk, ReadsOnlyWhatTheFindMethodsTestNeeds) {
    // From the top: three windows of other processes (one titled like ours), two of
    // ours with other titles, then our main window.
    for (int i = 0; i < 2; ++i) desktop.addWindow(aWindow().withTitle("other").ownedBy(7).belowOthers());
    desktop.addWindow(aWindow().withTitle("The Game").ownedBy(7).belowOthers());
    for (int i = 0; i < 2; ++i) desktop.addWindow(aWindow().withTitle("helper").ownedBy(42).belowOthers());
    platform::WindowHandle main = desktop.addWindow(aWindow().withTitle("The Game").ownedBy(42).belowOthers());

    struct Case { const char* label; bool byPid, byName; platform::WindowHandle expected;
                  std::uint64_t titles, processes, classes; };
    const Case cases[] = {
        {"pid only reads no title", true, false, 0, 0, 4, 1},
        {"pid and name: titles of our windows only", true, true, main, 3, 6, 1},
        {"name only reads no process", false, true, 0, 3, 0, 1},
    };
    for (const Case& c : cases) {
        desktop.resetCallCounts();
        platform::WindowHandle found = FindTargetWindow(c.byPid, 42, c.byName, "The Game");
        if (c.expected != 0) {
            EXPECT_EQ(found, c.expected) << c.label;
        }
        EXPECT_EQ(desktop.calls(Call::GetWindowTextA), c.titles) << c.label;
        EXPECT_EQ(desktop.calls(Call::GetWindowThreadProcessId), c.processes) << c.label;
        EXPECT_EQ(desktop.calls(Call::GetClassNameA), c.classes) << c.label;
        EXPECT_EQ(desktop.calls(Call::FindWindowA), 1u) << c.label;
    }
}

// The cheaper walk finds what reading every title and process found, on desktops
// of every kind: a reference walk that reads both for each window decides.
TEST_F(WindowWalk, FindsWhatAWalkReadingEverythingFinds) {
    const char* const titles[] = {"", "The Game", "The Game - level 2", "Editor", "Default IME"};
    const char* const classes[] = {"FakeWindow", "IME", "MSCTFIME UI", "IMEX"};
    const char* const masks[] = {"*", "The Game", "The*", "*2", "*Game*", "Default IME"};
    unsigned seed = 12345;
    auto next = [&seed](unsigned n) { seed = seed * 1103515245u + 12345u; return (seed >> 16) % n; };
    for (int desktopNumber = 0; desktopNumber < 200; ++desktopNumber) {
        fake::Desktop& d = desktop;
        while (d.topWindow() != 0) d.destroyWindow(d.topWindow());
        for (unsigned i = 0, n = next(8); i < n; ++i) {
            d.addWindow(aWindow().withTitle(titles[next(5)]).ownedBy(next(3) == 0 ? 42 : 7).ofClass(classes[next(4)]));
        }
        for (int method = 0; method < 3; ++method) {
            const bool byPid = method != 2, byName = method != 0;
            for (const char* mask : masks) {
                platform::WindowHandle expected = platform::kNoWindow;
                for (platform::WindowHandle w = d.topWindow(); w != 0 && expected == platform::kNoWindow;
                     w = d.nextWindow(w)) {
                    char text[1024], name[256];
                    int length = d.windowText(w, text, sizeof(text));
                    std::uint32_t pid = 0;
                    d.windowProcess(w, pid);
                    std::string className(name, static_cast<std::size_t>(d.className(w, name, sizeof(name))));
                    bool passes = (!byPid || pid == 42) &&
                                  (!byName || MatchNameMask(std::string_view(text, length), mask)) &&
                                  className != "IME" && className != "MSCTFIME UI";
                    if (passes) expected = w;
                }
                EXPECT_EQ(FindTargetWindow(byPid, 42, byName, mask), expected)
                    << "desktop " << desktopNumber << ", method " << method << ", mask " << mask;
            }
        }
    }
}

// The system's hidden input-method companion of the program's first window is
// never the target, wherever it lies; every other hidden or helper window still is.
TEST_F(WindowWalk, PassesOverTheInputMethodCompanionsOnly) {
    platform::WindowHandle main = desktop.addWindow(aWindow().withTitle("The Game").ownedBy(42));
    desktop.addWindow(fake::anInputMethodWindow("IME").ownedBy(42));
    desktop.addWindow(fake::anInputMethodWindow("MSCTFIME UI").ownedBy(42));
    EXPECT_EQ(FindTargetWindow(true, 42, false, ""), main);
    EXPECT_EQ(FindTargetWindow(false, 0, true, "*"), main);

    platform::WindowHandle helper = desktop.addWindow(fake::anInputMethodWindow("IMEHelper").ownedBy(42));
    EXPECT_EQ(FindTargetWindow(true, 42, false, ""), helper) << "only the two system classes are passed over";
}

TEST_F(WindowWalk, PassesOverTheLaunchersOwnSurroundWhateverItsTitle) {
    const platform::WindowHandle game = desktop.addWindow(aWindow().withTitle("Framewright demo").ownedBy(42));
    SurroundWindow = desktop.addWindow(aWindow().withTitle("Framewright surround"));
    EXPECT_EQ(FindTargetWindow(false, 0, true, "Framewright*"), game);
    SurroundWindow = 0;
}

TEST_F(WindowWalk, TakesAWindowOfAnyOfTheGivenProcesses) {
    platform::WindowHandle child = desktop.addWindow(aWindow().withTitle("The Game").ownedBy(50));
    desktop.addWindow(aWindow().withTitle("The Game").ownedBy(7));
    const std::uint32_t family[] = {42, 50};
    EXPECT_EQ(FindTargetWindow(true, family, 2, false, ""), child);
    EXPECT_EQ(FindTargetWindow(true, family, 2, true, "The*"), child);
    EXPECT_EQ(FindTargetWindow(true, family, 1, false, ""), platform::kNoWindow);
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
