// The surround's colour as the file writes it, and its box.
#include <gtest/gtest.h>

#include "settings/colour_text.h"
#include "settings/load_settings.h"
#include "settings/settings.h"
#include "tests/support/fake_desktop.h"

namespace {

TEST(ColourText, SixHexDigitsInEitherCaseAndEmptyForBlack) {
    const std::pair<const char*, std::uint32_t> accepted[] = {
        {"", 0x000000}, {"204060", 0x204060}, {"fFa0C1", 0xFFA0C1}, {"FFFFFF", 0xFFFFFF}};
    for (const auto& [text, rgb] : accepted) {
        std::uint32_t value = 7;
        EXPECT_TRUE(ParseColourText(text, value)) << text;
        EXPECT_EQ(value, rgb) << text;
    }
    for (const char* text : {"#204060", "20406", "2040600", "20406G", "20 406", "0x2040", "black"}) {
        std::uint32_t value = 7;
        EXPECT_FALSE(ParseColourText(text, value)) << text;
        EXPECT_EQ(value, 7u) << text << ": left unchanged";
    }
    EXPECT_EQ(ColourText(0xFFA0C1) + ColourText(0x00000A), "FFA0C100000A");
    EXPECT_EQ(ColourRef(0x204060), 0x604020u) << "red in the low byte, as Windows takes it";
}

// Named after the pause key's box, the last of the checks before it.
TEST(ColourText, ARefusedColourIsNamedInItsBoxAfterThePauseKey) {
    fake::Desktop desktop;
    desktop.file("C:\\Games\\demo.exe", "MZ");
    const std::string ini =
        "[program]\npath=C:\\Games\nname=demo.exe\n[windowresize]\nwindowfindmethod=pidonly\n"
        "firstresizedelayms=50\nfirstresizetimeoutms=5000\nwindowwidth=800\nwindowheight=600\n"
        "movewindow=centre\nscalingmethod=defined\n[tweaks]\nsurround=1\nsurroundcolour=#000000\n";
    for (const char* pauseKey : {"pausekey=P\n", ""}) {
        desktop.file("C:\\Games\\framewright.ini", ini + pauseKey);
        InitialiseSettings();
        EXPECT_FALSE(LoadSettings());
    }
    ASSERT_EQ(desktop.boxTexts().size(), 2u);
    EXPECT_EQ(desktop.boxTexts()[0].rfind("Invalid settings: tweaks->pausekey", 0), 0u);
    EXPECT_EQ(desktop.boxTexts()[1], "Invalid settings: tweaks->surroundcolour is not a legal value (#000000); six "
                                     "hexadecimal digits RRGGBB, for example surroundcolour=000000");
}

}  // namespace
