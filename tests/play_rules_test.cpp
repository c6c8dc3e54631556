// The rules of what the launcher wants around the window, one row per case.
#include <gtest/gtest.h>

#include "play/play_rules.h"

namespace {

using platform::Rect;

const Rect kClient{568, 271, 1368, 871};
const Rect kScreen{0, 0, 1920, 1080};
const Rect kOther{10, 10, 500, 500};

TEST(PlayRules, TheClipAndTopmostAreWantedOnlyInFrontNotMinimisedNotPaused) {
    const struct {
        const char* label;
        WindowView view;
        bool paused, wanted;
    } rows[] = {
        {"in front", {true, false, kClient}, false, true},
        {"behind another program", {false, false, kClient}, false, false},
        {"minimised", {true, true, kClient}, false, false},
        {"paused", {true, false, kClient}, true, false},
    };
    for (const auto& row : rows) {
        Rect clip;
        EXPECT_EQ(WantedClip(row.view, row.paused, clip), row.wanted) << row.label;
        EXPECT_EQ(WantedTopmost(row.view, row.paused), row.wanted) << row.label;
        EXPECT_TRUE(!row.wanted || clip == kClient) << row.label;
    }
    Rect clip;
    EXPECT_FALSE(WantedClip({true, false, {5, 5, 5, 400}}, false, clip)) << "no client area to hold the cursor in";
}

TEST(PlayRules, TheClipIsSetOnlyWhereTheSystemShowsSomethingElseAndFreedOnlyWhileItIsOurs) {
    const ClipMemory none, ours{true, kClient, kClient};
    const ClipMemory cut{true, {-8, 0, 1930, 1080}, kScreen};  // asked beyond the screen, cut to it
    const struct {
        const char* label;
        bool wanted;
        Rect clip, current;
        ClipMemory memory;
        ClipMove move;
    } rows[] = {
        {"comes to the front", true, kClient, kScreen, none, ClipMove::Apply},
        {"in force", true, kClient, kClient, ours, ClipMove::Keep},
        {"cut to the screen, in force", true, cut.asked, kScreen, cut, ClipMove::Keep},
        {"freed or changed by another program", true, kClient, kScreen, ours, ClipMove::Apply},
        {"the window moved", true, kOther, kClient, ours, ClipMove::Apply},
        {"leaves the front, ours in force", false, {}, kClient, ours, ClipMove::Release},
        {"leaves the front, the system's or another program's clip", false, {}, kOther, ours, ClipMove::Forget},
        {"not wanted, never set", false, {}, kOther, none, ClipMove::Keep},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(DecideClip(row.wanted, row.clip, row.current, row.memory), row.move) << row.label;
    }
}

TEST(PlayRules, TopmostIsWrittenOnlyOnADifferenceAndTakenOffOnlyWhereItWasGiven) {
    const struct {
        const char* label;
        bool wanted, topmost, made;
        TopmostMove move;
    } rows[] = {
        {"comes to the front", true, false, false, TopmostMove::Raise},
        {"topmost already", true, true, true, TopmostMove::Keep},
        {"lost it while in front", true, false, true, TopmostMove::Raise},
        {"leaves the front", false, true, true, TopmostMove::Lower},
        {"leaves the front, topmost by its own doing", false, true, false, TopmostMove::Keep},
        {"taken off by another program", false, false, true, TopmostMove::Forget},
    };
    for (const auto& row : rows) EXPECT_EQ(DecideTopmost(row.wanted, row.topmost, row.made), row.move) << row.label;
}

// A cycle of the surround: what it does, and whether it reads the window's style
// (minimised, hidden) for what is wanted next, only where something may have changed.
TEST(PlayRules, TheSurroundIsPutBackOnlyWhereItIsNotRightBeneathOverItsDisplay) {
    const struct {
        const char* label;
        bool wanted, up, beneath, sameDisplay, outerChanged;
        int cycles;  // since the style was read
        SurroundMove move;
        bool styleRead;
    } rows[] = {
        {"first placement", true, false, false, false, false, 1, SurroundMove::Show, true},
        {"right beneath, over its display, the window still", true, true, true, true, false, 1, SurroundMove::Keep, false},
        {"another window came between", true, true, false, true, false, 1, SurroundMove::Place, true},
        {"the window went to another display", true, true, true, false, true, 1, SurroundMove::Place, true},
        {"minimised (a minimised window moves)", false, true, true, true, true, 1, SurroundMove::Hide, true},
        {"still minimised", false, false, false, true, false, 1, SurroundMove::Keep, true},
        {"for a window hidden where it stands", true, true, true, true, false, kSurroundStyleEvery, SurroundMove::Keep,
         true},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(DecideSurround(row.wanted, row.up, row.beneath, row.sameDisplay), row.move) << row.label;
        EXPECT_EQ(SurroundStyleToRead(row.up, row.beneath, row.outerChanged, row.cycles), row.styleRead) << row.label;
    }
}

}  // namespace
