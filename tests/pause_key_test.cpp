// tweaks->pausekey: every spelling the parser takes and every one it refuses, and
// the box that names a refused one after the other checks.
#include <gtest/gtest.h>

#include "settings/load_settings.h"
#include "settings/pause_key.h"
#include "settings/settings.h"
#include "tests/support/fake_desktop.h"

namespace {

constexpr std::uint32_t kCtrl = 0x2, kAlt = 0x1, kShift = 0x4, kWin = 0x8;

struct Accepted {
    const char* text;
    std::uint32_t modifiers, key;
    const char* spelling;  // as the parser writes it back
};

TEST(PauseKey, AcceptsModifiersAndOneKeyInAnyCase) {
    const Accepted rows[] = {
        {"", 0, 0, ""},
        {"   ", 0, 0, ""},
        {"Ctrl+Alt+P", kCtrl | kAlt, 'P', "Ctrl+Alt+P"},
        {"alt + ctrl + p", kCtrl | kAlt, 'P', "Ctrl+Alt+P"},
        {"SHIFT+WIN+0", kShift | kWin, '0', "Shift+Win+0"},
        {"Ctrl+Space", kCtrl, 0x20, "Ctrl+Space"},
        {"Ctrl+9", kCtrl, '9', "Ctrl+9"},
        {"F1", 0, 0x70, "F1"},
        {"f24", 0, 0x87, "F24"},
        {"Shift+F12", kShift, 0x7B, "Shift+F12"},
        {"Pause", 0, 0x13, "Pause"},
        {"scrolllock", 0, 0x91, "ScrollLock"},
        {"Insert", 0, 0x2D, "Insert"},
        {"Delete", 0, 0x2E, "Delete"},
        {"Home", 0, 0x24, "Home"},
        {"End", 0, 0x23, "End"},
        {"PageUp", 0, 0x21, "PageUp"},
        {"pagedown", 0, 0x22, "PageDown"},
        {"Up", 0, 0x26, "Up"},
        {"Down", 0, 0x28, "Down"},
        {"Left", 0, 0x25, "Left"},
        {"Right", 0, 0x27, "Right"},
        {"NumPad0", 0, 0x60, "NumPad0"},
        {"Ctrl+numpad9", kCtrl, 0x69, "Ctrl+NumPad9"},
        {"\tCtrl\t+\tZ\t", kCtrl, 'Z', "Ctrl+Z"},
    };
    for (const Accepted& row : rows) {
        PauseKey key{99, 99};
        ASSERT_TRUE(ParsePauseKey(row.text, key)) << '"' << row.text << '"';
        EXPECT_EQ(key.modifiers, row.modifiers) << row.text;
        EXPECT_EQ(key.key, row.key) << row.text;
        EXPECT_EQ(PauseKeyText(key), row.spelling) << row.text;
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

// The refusal comes after every other check: a missing program is named first.
TEST(PauseKey, ARefusedKeyIsNamedInItsBoxAfterTheOtherChecks) {
    fake::Desktop desktop;
    desktop.file("C:\\Games\\framewright.ini",
                 "[program]\npath=C:\\Games\nname=demo.exe\n[windowresize]\nwindowfindmethod=pidonly\n"
                 "firstresizedelayms=50\nfirstresizetimeoutms=5000\nwindowwidth=800\nwindowheight=600\n"
                 "movewindow=centre\nscalingmethod=defined\n[tweaks]\npausekey=Shift+\n");
    for (int run = 0; run < 2; ++run) {
        InitialiseSettings();
        EXPECT_FALSE(LoadSettings());
        desktop.file("C:\\Games\\demo.exe", "MZ");
    }
    EXPECT_EQ(desktop.boxTexts(),
              (std::vector<std::string>{"Invalid settings: Cannot find the program (C:\\Games\\demo.exe)",
                                        "Invalid settings: tweaks->pausekey is not a legal value (Shift+); for "
                                        "example pausekey=Ctrl+Alt+P"}));
}

}  // namespace
