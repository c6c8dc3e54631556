// The play keys' values: every spelling of tweaks->pausekey the parser takes and
// every one it refuses, the surround's colour, and the boxes that name a refused one.
#include <gtest/gtest.h>

#include "settings/colour_text.h"
#include "settings/load_settings.h"
#include "settings/pause_key.h"
#include "tests/support/centred_game.h"
#include "tests/support/fake_desktop.h"

namespace {

constexpr std::uint32_t kCtrl = 0x2, kAlt = 0x1, kShift = 0x4, kWin = 0x8;

TEST(PauseKey, AcceptsModifiersAndOneKeyInAnyCase) {
    const struct {
        const char* text;
        std::uint32_t modifiers, key;
        const char* spelling = nullptr;  // as the parser writes it back, where not as given
    } rows[] = {
        {"", 0, 0}, {"   ", 0, 0, ""}, {"alt + ctrl + p", kCtrl | kAlt, 'P', "Ctrl+Alt+P"},
        {"SHIFT+WIN+0", kShift | kWin, '0', "Shift+Win+0"}, {"Ctrl+9", kCtrl, '9'}, {"\tCtrl\t+\tZ\t", kCtrl, 'Z', "Ctrl+Z"},
        {"Ctrl+Space", kCtrl, 0x20}, {"F1", 0, 0x70}, {"f24", 0, 0x87, "F24"}, {"NumPad0", 0, 0x60},
        {"Ctrl+numpad9", kCtrl, 0x69, "Ctrl+NumPad9"}, {"Pause", 0, 0x13}, {"scrolllock", 0, 0x91, "ScrollLock"},
        {"Insert", 0, 0x2D}, {"Delete", 0, 0x2E}, {"Home", 0, 0x24}, {"End", 0, 0x23}, {"PageUp", 0, 0x21},
        {"pagedown", 0, 0x22, "PageDown"}, {"Up", 0, 0x26}, {"Down", 0, 0x28}, {"Left", 0, 0x25}, {"Right", 0, 0x27},
    };
    for (const auto& row : rows) {
        PauseKey key{99, 99};
        ASSERT_TRUE(ParsePauseKey(row.text, key)) << '"' << row.text << '"';
        EXPECT_EQ(key.modifiers, row.modifiers) << row.text;
        EXPECT_EQ(key.key, row.key) << row.text;
        EXPECT_EQ(PauseKeyText(key), row.spelling != nullptr ? row.spelling : row.text) << row.text;
    }
}

TEST(PauseKey, RefusesEverythingElse) {
    const char* const rows[] = {
        "P", "7", "Space", "space",         // typed keys without a modifier
        "Ctrl", "Ctrl+", "+P", "Ctrl++P",   // no key, or an empty part
        "Ctrl+Ctrl+P", "Ctrl+P+Alt",        // a modifier twice, or after the key
        "Control+P", "Ctrl-P", "Ctrl P",    // other names and joiners
        "Page Up", "F0", "F25", "F01", "F", "NumPad10", "NumPad", "Esc", "Ctrl+Tab", "Ctrl+AB", "Ctrl+\xE9",
    };
    for (const char* text : rows) {
        PauseKey key{1, 2};
        EXPECT_FALSE(ParsePauseKey(text, key)) << '"' << text << '"';
        EXPECT_EQ(key.key, 2u) << text << ": left unchanged";
    }
}

TEST(ColourText, SixHexDigitsInEitherCaseAndEmptyForBlack) {
    for (const auto& [text, rgb] : {std::pair<const char*, std::uint32_t>{"", 0}, {"fFa0C1", 0xFFA0C1}}) {
        std::uint32_t value = 7;
        EXPECT_TRUE(ParseColourText(text, value) && value == rgb) << text;
    }
    for (const char* text : {"#204060", "20406", "2040600", "20406G", "0x2040", "black"}) {
        std::uint32_t value = 7;
        EXPECT_FALSE(ParseColourText(text, value) || value != 7) << text;
    }
    EXPECT_EQ(ColourText(0xFFA0C1) + ColourText(0x00000A), "FFA0C100000A");
    EXPECT_EQ(ColourRef(0x204060), 0x604020u) << "red in the low byte, as Windows takes it";
}

// The tweaks' values are checked after every other check: a missing program is
// named first, then the pause key, then the surround's colour.
TEST(PauseKey, ARefusedKeyOrColourIsNamedInItsBoxAfterTheOtherChecks) {
    fake::Desktop desktop;
    desktop.directory("C:\\Games\\Old");
    const char* const both = "pausekey=Shift+\nsurroundcolour=#000000\n";
    for (const char* tweaks : {both, both, "surroundcolour=#000000\n"}) {
        EXPECT_FALSE(LoadSettingsFromContent(CentredGameIni(tweaks)));
        desktop.file("C:\\Games\\Old\\game.exe", "MZ");
    }
    EXPECT_EQ(desktop.boxTexts(),
              (std::vector<std::string>{"Invalid settings: Cannot find the program (C:\\Games\\Old\\game.exe)",
                                        "Invalid settings: tweaks->pausekey is not a legal value (Shift+); for "
                                        "example pausekey=Ctrl+Alt+P",
                                        "Invalid settings: tweaks->surroundcolour is not a legal value (#000000); six "
                                        "hexadecimal digits RRGGBB, for example surroundcolour=000000"}));
}

}  // namespace
