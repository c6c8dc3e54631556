// The surround's colour as the file writes it, and its box.
#include <gtest/gtest.h>

#include "settings/colour_text.h"
#include "settings/load_settings.h"
#include "settings/settings.h"
#include "tests/support/fake_desktop.h"

namespace {

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

// Checked last, after the pause key.
TEST(ColourText, ARefusedColourIsNamedInItsBoxAfterThePauseKey) {
    fake::Desktop desktop;
    desktop.file("C:\\Games\\demo.exe", "MZ");
    const std::string ini =
        "[program]\nname=demo.exe\n[windowresize]\nwindowfindmethod=pidonly\nfirstresizedelayms=50\n"
        "firstresizetimeoutms=5000\nwindowwidth=800\nwindowheight=600\nmovewindow=centre\nscalingmethod=defined\n"
        "[tweaks]\nsurroundcolour=#000000\n";
    EXPECT_FALSE(LoadSettingsFromContent(ini + "pausekey=P\n"));
    EXPECT_FALSE(LoadSettingsFromContent(ini));
    ASSERT_EQ(desktop.boxTexts().size(), 2u);
    EXPECT_EQ(desktop.boxTexts()[0].rfind("Invalid settings: tweaks->pausekey", 0), 0u);
    EXPECT_EQ(desktop.boxTexts()[1], "Invalid settings: tweaks->surroundcolour is not a legal value (#000000); six "
                                     "hexadecimal digits RRGGBB, for example surroundcolour=000000");
}

}  // namespace
