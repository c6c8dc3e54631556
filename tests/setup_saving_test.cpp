// What the setup program keeps of a profile: the lines of keys the user left as
// they were, whatever the calls on the way; another program's edits; the file's
// attributes. And the picked title as a mask that finds it; every file the
// launcher reads.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "geometry/discovery.h"
#include "settings/config_reader.h"
#include "setup/profile.h"
#include "setup/setup_model.h"
#include "setup/title_mask.h"
#include "tests/support/fake_desktop.h"

namespace {

using platform::SaveOutcome;
using namespace std::string_literals;

const std::string kPath = "C:\\Games\\demo.ini";
const std::string kCrLf = "; game\r\n[windowresize]\r\n; doubled\r\nScale = 200\r\nscale=150\r\nwindowwidth = 800\r\n"
                          "lockwindow=1\r\n\r\n[tweaks]\r\nborderwidth=8";
const std::string kLf = "[program]\nname=demo.exe ; the game\n[windowresize]\nmovewindow=centre\n";

// Each value is a call a field can make on the way to its final value.
void Type(Profile& profile, const char* section, const char* key, std::vector<const char*> values) {
    for (const char* value : values) profile.SetValue(section, key, value);
}

TEST(SetupEditingTest, OnlyTheLinesOfKeysWhoseFinalValueChangedDiffer) {
    struct Row {
        std::string before;
        void (*edit)(Profile&);
        std::string after;
        std::vector<std::vector<const char*>> finals;  // section, key, as the launcher reads it
    } rows[] = {
        {kCrLf,  // Backspace x3 and retyped; cleared for good; a new key after a last line without its end
         [](Profile& p) {
             Type(p, "windowresize", "scale", {"20", "2", "", "3", "30", "300"});
             Type(p, "windowresize", "WindowWidth", {"80", ""});
             Type(p, "tweaks", "borderheight", {"3", "", "31"});
         },
         std::string(kCrLf).replace(kCrLf.find("200"), 3, "300").erase(kCrLf.find("800"), 3) + "\r\nborderheight=31\r\n",
         {{"windowresize", "scale", "300"}, {"windowresize", "windowwidth", ""}, {"tweaks", "borderheight", "31"}}},
        {kCrLf,  // retyped as it was, cleared and retyped, a box toggled twice
         [](Profile& p) {
             Type(p, "windowresize", "windowwidth", {"8", "80", "800 "});
             Type(p, "tweaks", "borderwidth", {"", "8"});
             p.SetFlag("windowresize", "lockwindow", false, false);
             p.SetFlag("windowresize", "lockwindow", true, false);
         },
         kCrLf, {{"windowresize", "scale", "200"}, {"windowresize", "lockwindow", "1"}}},
        {kLf,  // an absent key's box toggled twice; a value beside a comment
         [](Profile& p) {
             p.SetFlag("windowresize", "lockwindow", true, false);
             p.SetFlag("windowresize", "lockwindow", false, false);
             Type(p, "program", "name", {"", "other.exe"});
         },
         "[program]\nname=other.exe\n[windowresize]\nmovewindow=centre\n", {{"program", "name", "other.exe"}}},
        {"[windowresize]\r\nScalingmethod = Defined\r\nMoveWindow=Centre\r\n",  // keywords read in any case
         [](Profile& p) {
             Type(p, "windowresize", "scalingmethod", {"windowscale", "defined"});
             Type(p, "windowresize", "movewindow", {"fixed"});
         },
         "[windowresize]\r\nScalingmethod = Defined\r\nMoveWindow=fixed\r\n",
         {{"windowresize", "scalingmethod", "Defined"}, {"windowresize", "movewindow", "fixed"}}},
    };
    for (const Row& row : rows) {
        fake::Desktop desktop;
        desktop.file(kPath, row.before);
        Profile profile;
        std::string error;
        ASSERT_TRUE(profile.Open(kPath, error)) << error;
        row.edit(profile);
        ASSERT_EQ(profile.Save(error), SaveOutcome::Done) << error;
        EXPECT_EQ(desktop.fileContent(kPath), row.after);
        for (const auto& final : row.finals) {
            EXPECT_EQ(ConfigReader(kPath).ReadText(final[0], final[1], ""), final[2]) << final[1];
        }
    }
}

TEST(SetupSavingTest, WritesOnlyWhatChangedAndNeverOverAnotherProgramsEdit) {
    const std::string opened = "[windowresize]\r\nscale=150\r\n", theirs = "; by hand\r\n" + opened + "x=1\r\n";
    fake::Desktop desktop;
    desktop.exePath("C:\\Tools\\framewright-setup.exe").program("C:\\Tools\\framewright.exe", fake::aProgram());
    desktop.file(kPath, opened);
    ProfileModel model;
    std::string error;
    ASSERT_TRUE(model.Start("setup.exe " + kPath, error)) << error;
    model.SetValue("windowresize", "scale", "150");  // as it was
    EXPECT_EQ(model.Run(error), SaveOutcome::Done);
    EXPECT_EQ(desktop.calls(fake::Call::WriteFile), 0u) << "nothing changed, nothing written";

    model.SetValue("windowresize", "scale", "300");
    desktop.file(kPath, theirs);
    EXPECT_EQ(model.Run(error), SaveOutcome::ChangedElsewhere);
    EXPECT_EQ(desktop.launches().size(), 1u);
    ASSERT_TRUE(model.Reload(error)) << error;
    ASSERT_EQ(model.Save(error), SaveOutcome::Done) << error;
    EXPECT_EQ(desktop.fileContent(kPath), std::string(theirs).replace(theirs.find("150"), 3, "300"));

    model.SetValue("windowresize", "scale", "50");
    desktop.removeFile(kPath);
    EXPECT_EQ(model.Save(error), SaveOutcome::ChangedElsewhere) << "removed since";
    ASSERT_EQ(model.Overwrite(error), SaveOutcome::Done) << error;
    EXPECT_EQ(ConfigReader(kPath).ReadInt("windowresize", "scale", 0), 50);

    ASSERT_TRUE(model.Start("setup.exe C:\\Games\\new.ini", error));
    desktop.file("C:\\Games\\new.ini", theirs);
    EXPECT_EQ(model.Save(error), SaveOutcome::ChangedElsewhere) << "made since";
}

TEST(SetupSavingTest, TheFileKeepsItsAttributesAndCreationTime) {
    // Attributes (read-only 0x1, hidden 0x2, archive 0x20), ReplaceFileW refused, the
    // outcome, and the attributes and creation time after (made at 0, saved at 5000).
    const std::tuple<std::uint32_t, bool, SaveOutcome, std::uint32_t, std::int64_t> rows[] = {
        {0x22, false, SaveOutcome::Done, 0x22, 0},    // replaced: kept
        {0x22, true, SaveOutcome::Done, 0x20, 5000},  // renamed, as before
        {0x1, false, SaveOutcome::Failed, 0x1, 0},    // read-only: left as it was
    };
    for (const auto& [attributes, refused, outcome, attributesAfter, createdAfter] : rows) {
        fake::Desktop desktop;
        desktop.file(kPath, kLf).setFileAttributes(kPath, attributes);
        if (refused) desktop.replaceFileUnsupported();
        Profile profile;
        std::string error;
        ASSERT_TRUE(profile.Open(kPath, error));
        profile.SetValue("windowresize", "scale", "300");
        desktop.advanceTo(5000);
        EXPECT_EQ(profile.Save(error), outcome) << error;
        EXPECT_EQ(desktop.fileAttributes(kPath), attributesAfter);
        EXPECT_EQ(desktop.fileCreatedAt(kPath), createdAfter);
        EXPECT_EQ(desktop.fileContent(kPath) != kLf, outcome == SaveOutcome::Done);
    }
}

TEST(SetupPickTest, TheMaskFindsThePickedWindowOrTheUserIsTold) {
    const std::vector<std::pair<std::string, const char*>> rows = {
        {"Outpost 2", "Outpost 2"}, {"Outpost 2 ", "Outpost 2 *"}, {" Outpost 2", "* Outpost 2"},
        {"\tOutpost 2 ", "*\tOutpost 2 *"}, {"Line one\r\nLine two", "Line one*"}, {"\nmain", "*main"},
        {"a\r\nthe longest\nb", "*the longest*"}, {"*", "**"} /* not "*": every window */, {"", nullptr},
        {" \r\n ", nullptr},
    };
    for (const auto& [title, expected] : rows) {
        std::string mask;
        EXPECT_EQ(TitleMask(title, mask), expected != nullptr) << ::testing::PrintToString(title);
        if (expected != nullptr) {
            EXPECT_TRUE(mask == expected && MatchNameMask(title, mask)) << mask;
        }
    }
    fake::Desktop desktop;
    ProfileModel model;
    std::string error;
    ASSERT_TRUE(model.Start("setup.exe " + kPath, error));
    EXPECT_FALSE(model.SetNameMask(" \r\n", error));
    EXPECT_NE(error.find("pidonly"), std::string::npos) << error;
    ASSERT_TRUE(model.SetNameMask("Outpost 2 ", error));
    ASSERT_EQ(model.Save(error), SaveOutcome::Done);
    EXPECT_EQ(ConfigReader(kPath).ReadText("windowresize", "namemask", ""), "Outpost 2 *");
}

// Each picked window lies below the others, so the launcher's walk reaches it only
// when the mask matches none of them.
TEST(SetupPickTest, TheMaskFindsOnlyThePickedWindowWhateverItsStarsAndLength) {
    const std::string longTitle = std::string(1500, 'A'), read = longTitle.substr(0, 1023);
    const std::string doubleByteAtTheCut = std::string(1022, 'A') + "\x95\x5C" + "B";
    const struct Row {
        std::string picked;
        std::vector<std::string> others;
        std::string mask;
        std::uint32_t codePage = 1252;
    } rows[] = {
        {"*Untitled - Notepad", {"Untitled - Notepad", "Untitled - Notepad*"}, "**Untitled - Notepad"},
        {"Draft*", {"Draft", "Draft 2"}, "Draft**"},
        {"*Draft*", {"Draft", "*Draft", "Draft*", "a Draft b"}, "**Draft**"},
        {"*one\r\ntwo", {"one\r\ntwo"}, "**one*"},
        {"one\r\ntwo*", {"one\r\ntwo", "two"}, "*two**"},
        {longTitle, {read.substr(1)}, read + "*"},
        {doubleByteAtTheCut, {}, std::string(1022, 'A') + "*", 932},
    };
    for (const Row& row : rows) {
        fake::Desktop desktop;
        desktop.ansiCodePage(row.codePage);
        const platform::WindowHandle picked = desktop.addWindow(fake::aWindow().withTitle(row.picked));
        for (const std::string& other : row.others) desktop.addWindow(fake::aWindow().withTitle(other));
        std::string mask;
        ASSERT_TRUE(TitleMask(row.picked, mask)) << row.mask;
        EXPECT_EQ(mask, row.mask);
        EXPECT_EQ(FindTargetWindow(false, 0, true, mask), picked) << mask;
    }
}

TEST(SetupSavingTest, SaveAsTheOpenedFileUnderItsShortNameIsASaveOfIt) {
    const std::string path = "C:\\Games\\framewright.ini";
    fake::Desktop desktop;
    desktop.file(path, kLf).shortName(path, "FRAMEW~1.INI");
    ProfileModel model;
    std::string error;
    ASSERT_TRUE(model.Start("setup.exe " + path, error)) << error;
    model.SetValue("windowresize", "scale", "300");
    desktop.file(path, "; theirs");
    EXPECT_EQ(model.SaveAs("C:\\Games\\FRAMEW~1.INI", error), SaveOutcome::ChangedElsewhere);
    EXPECT_EQ(desktop.fileContent(path), "; theirs");
}

TEST(SetupOpenTest, OpensEveryFileTheLauncherReadsAndRefusesUtf16) {
    const std::string zeroAsBlank = "[windowresize]\r\nscale=150\0\r\nwindowwidth=800\r\n"s;
    const std::vector<std::pair<std::string, bool>> rows = {
        {zeroAsBlank, true}, {"[a]\0\0\r\nk=1\0\r\n[b]\r\n"s, true},                  // zero bytes: blanks
        {"\xFF\xFE[\0a\0]\0"s, false}, {"\xFE\xFF\0[\0a\0]"s, false},                 // UTF-16 with its mark
        {"[\0w\0]\0\r\0\n\0k\0=\0" "1\0"s, false}, {"\0[\0w\0]\0\r\0\n\0k\0=\0" "1"s, false},  // without
        {"[a]\r\nk=1\r\n"s + std::string(16, '\0'), true},                                 // zeros at the end
    };
    for (const auto& [content, opens] : rows) {
        fake::Desktop desktop;
        desktop.file(kPath, content);
        Profile profile;
        std::string error;
        EXPECT_EQ(profile.Open(kPath, error), opens) << ::testing::PrintToString(content);
        EXPECT_EQ(error.find("UTF-16") != std::string::npos, !opens) << error;
        if (content != zeroAsBlank) continue;
        EXPECT_EQ(profile.Value("windowresize", "scale"), "150");
        profile.SetValue("windowresize", "windowwidth", "640");
        ASSERT_EQ(profile.Save(error), SaveOutcome::Done);
        EXPECT_EQ(desktop.fileContent(kPath), std::string(zeroAsBlank).replace(zeroAsBlank.find("800"), 3, "640"));
    }
}

}  // namespace
