// What the setup program keeps of a profile: the lines of keys the user left as
// they were (whatever the calls on the way), another program's edits, the file's
// attributes; the picked window's title as a mask that finds it; and every file
// the launcher can read.
#include <gtest/gtest.h>

#include <string>
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

struct Final {
    const char* section;
    const char* key;
    const char* read;  // as the launcher reads it; empty: absent or empty, alike to it
};

struct ReplayCase {
    const char* label;
    std::string before;
    void (*edit)(Profile&);
    std::string after;
    std::vector<Final> finals;
};

// Each value set is a call a field's commit can make on the way to its final value.
void Type(Profile& profile, const char* section, const char* key, std::vector<const char*> values) {
    for (const char* value : values) profile.SetValue(section, key, value);
}

const std::string kCrLf =
    "; my game\r\n[windowresize]\r\n; the size, doubled\r\nScale = 200\r\nscale=150\r\nwindowwidth = 800\r\n"
    "lockwindow=1\r\n\r\n[tweaks]\r\nborderwidth=8";
const std::string kLf = "[program]\nname=demo.exe ; the game\n[windowresize]\nmovewindow=centre\n";

TEST(SetupEditingTest, OnlyTheLinesOfKeysWhoseFinalValueChangedDiffer) {
    const ReplayCase rows[] = {
        {"Backspace x3 and retyped: in place beside its comment, the duplicate kept", kCrLf,
         [](Profile& p) { Type(p, "windowresize", "scale", {"20", "2", "", "3", "30", "300"}); },
         std::string(kCrLf).replace(kCrLf.find("200"), 3, "300"), {{"windowresize", "scale", "300"}}},
        {"select-all and retyped as it was, a clear and a retype, a box toggled twice: nothing", kCrLf,
         [](Profile& p) {
             Type(p, "windowresize", "windowwidth", {"8", "80", "800 "});
             Type(p, "tweaks", "borderwidth", {"", "8"});
             p.SetFlag("windowresize", "lockwindow", false, false);
             p.SetFlag("windowresize", "lockwindow", true, false);
         },
         kCrLf, {{"windowresize", "windowwidth", "800"}, {"windowresize", "lockwindow", "1"}}},
        {"cleared for good: the line stays, empty", kCrLf,
         [](Profile& p) { Type(p, "windowresize", "Scale", {"20", "2", ""}); },
         std::string(kCrLf).erase(kCrLf.find("200"), 3), {{"windowresize", "scale", ""}}},
        {"a new key after a last line without its line end", kCrLf,
         [](Profile& p) { Type(p, "tweaks", "borderheight", {"3", "", "31"}); }, kCrLf + "\r\nborderheight=31\r\n",
         {{"tweaks", "borderheight", "31"}, {"tweaks", "borderwidth", "8"}}},
        {"LF: a box of an absent key toggled twice adds nothing; a value beside a comment changes", kLf,
         [](Profile& p) {
             p.SetFlag("windowresize", "lockwindow", true, false);
             p.SetFlag("windowresize", "lockwindow", false, false);
             Type(p, "program", "name", {"", "other.exe"});
         },
         "[program]\nname=other.exe\n[windowresize]\nmovewindow=centre\n",
         {{"program", "name", "other.exe"}, {"windowresize", "lockwindow", ""}}},
    };
    for (const ReplayCase& row : rows) {
        fake::Desktop desktop;
        desktop.file(kPath, row.before);
        Profile profile;
        std::string error;
        ASSERT_TRUE(profile.Open(kPath, error)) << error;
        row.edit(profile);
        EXPECT_EQ(profile.IsDirty(), row.after != row.before) << row.label;
        ASSERT_EQ(profile.Save(error), SaveOutcome::Done) << row.label << ": " << error;
        const std::string saved = desktop.fileContent(kPath);
        EXPECT_EQ(saved, row.after) << row.label;
        for (const Final& final : row.finals) {
            EXPECT_EQ(ConfigReader::FromContent(saved).ReadText(final.section, final.key, ""), final.read)
                << row.label << ": " << final.key;
        }
    }
}

const std::string kOpened = "[windowresize]\r\nscale=150\r\nwindowwidth=800\r\n";
const std::string kTheirs = "; edited by hand\r\n[windowresize]\r\nscale=150\r\nwindowwidth=1024\r\n";

TEST(SetupSavingTest, WritesOnlyWhatChangedAndNeverOverAnotherProgramsEdit) {
    fake::Desktop desktop;
    desktop.exePath("C:\\Tools\\framewright-setup.exe").program("C:\\Tools\\framewright.exe", fake::aProgram());
    desktop.file(kPath, kOpened);
    ProfileModel model;
    std::string error;
    ASSERT_TRUE(model.Start("setup.exe " + kPath, error)) << error;
    model.SetValue("windowresize", "scale", "150");
    EXPECT_EQ(model.Save(error), SaveOutcome::Done);
    EXPECT_EQ(model.Run(error), SaveOutcome::Done);
    EXPECT_EQ(desktop.calls(fake::Call::WriteFile), 0u) << "nothing changed, nothing written";

    model.SetValue("windowresize", "scale", "300");
    desktop.file(kPath, kTheirs);
    EXPECT_EQ(model.Save(error), SaveOutcome::ChangedElsewhere);
    EXPECT_EQ(model.Run(error), SaveOutcome::ChangedElsewhere);
    EXPECT_EQ(desktop.launches().size(), 1u) << "not started over their edit";
    EXPECT_EQ(desktop.fileContent(kPath), kTheirs);

    ASSERT_TRUE(model.Reload(error)) << error;
    const std::string merged = std::string(kTheirs).replace(kTheirs.find("150"), 3, "300");
    EXPECT_EQ(model.Value("windowresize", "windowwidth"), "1024") << "their value of a key left alone";
    ASSERT_EQ(model.Save(error), SaveOutcome::Done) << error;
    EXPECT_EQ(desktop.fileContent(kPath), merged);

    model.SetValue("windowresize", "scale", "50");
    desktop.file(kPath, kOpened);
    EXPECT_EQ(model.Save(error), SaveOutcome::ChangedElsewhere);
    ASSERT_EQ(model.Overwrite(error), SaveOutcome::Done) << error;
    EXPECT_EQ(desktop.fileContent(kPath), std::string(merged).replace(merged.find("300"), 3, "50"));

    model.SetValue("windowresize", "scale", "75");
    desktop.removeFile(kPath);
    EXPECT_EQ(model.Save(error), SaveOutcome::ChangedElsewhere) << "removed since";

    const std::string fresh = "C:\\Games\\fresh.ini";
    ASSERT_TRUE(model.Start("setup.exe " + fresh, error));
    desktop.file(fresh, kTheirs);
    EXPECT_EQ(model.Save(error), SaveOutcome::ChangedElsewhere) << "made since";
}

TEST(SetupSavingTest, TheFileKeepsItsAttributesAndCreationTime) {
    constexpr std::uint32_t kHidden = 0x2, kArchive = 0x20, kReadOnly = 0x1;
    struct Row {
        const char* label;
        std::uint32_t attributes;
        bool replaceRefused;
        SaveOutcome outcome;
        std::uint32_t attributesAfter;
        std::int64_t createdAfter;  // the file was made at 0, saved at 5000
    } rows[] = {
        {"replaced: kept", kHidden | kArchive, false, SaveOutcome::Done, kHidden | kArchive, 0},
        {"the file system refuses ReplaceFileW: renamed, as before", kHidden | kArchive, true, SaveOutcome::Done,
         kArchive, 5000},
        {"read-only: refused, and left as it was", kReadOnly, false, SaveOutcome::Failed, kReadOnly, 0},
    };
    for (const Row& row : rows) {
        fake::Desktop desktop;
        desktop.file(kPath, kOpened).setFileAttributes(kPath, row.attributes);
        if (row.replaceRefused) desktop.replaceFileUnsupported();
        Profile profile;
        std::string error;
        ASSERT_TRUE(profile.Open(kPath, error));
        profile.SetValue("windowresize", "scale", "300");
        desktop.advanceTo(5000);
        EXPECT_EQ(profile.Save(error), row.outcome) << row.label << ": " << error;
        EXPECT_EQ(desktop.fileAttributes(kPath), row.attributesAfter) << row.label;
        EXPECT_EQ(desktop.fileCreatedAt(kPath), row.createdAfter) << row.label;
        EXPECT_EQ(desktop.fileContent(kPath).find("300") != std::string::npos, row.outcome == SaveOutcome::Done)
            << row.label;
        EXPECT_EQ(desktop.fileAttributes(kPath + ".saving"), platform::kInvalidFileAttributes) << row.label;
    }
}

TEST(SetupPickTest, TheMaskFindsThePickedWindowOrTheUserIsTold) {
    struct Row {
        std::string title;
        const char* mask;  // null: none can be written
    } rows[] = {
        {"Outpost 2", "Outpost 2"},
        {"Outpost 2 ", "Outpost 2 *"},
        {" Outpost 2", "* Outpost 2"},
        {"\tOutpost 2 ", "*\tOutpost 2 *"},
        {"Line one\r\nLine two", "Line one*"},
        {"\nmain window", "*main window"},
        {"a\r\nthe longest line\nb", "*the longest line*"},
        {"a*", "a*"},
        {"", nullptr},
        {" \r\n ", nullptr},
        {"*", "**"},  // "*" alone would find every window
    };
    for (const Row& row : rows) {
        fake::Desktop desktop;
        desktop.file(kPath, kOpened);
        ProfileModel model;
        std::string error;
        ASSERT_TRUE(model.Start("setup.exe " + kPath, error));
        EXPECT_EQ(model.SetNameMask(row.title, error), row.mask != nullptr) << ::testing::PrintToString(row.title);
        if (row.mask == nullptr) {
            EXPECT_NE(error.find("pidonly"), std::string::npos) << error;
            EXPECT_FALSE(model.IsDirty()) << ::testing::PrintToString(row.title);
            continue;
        }
        EXPECT_EQ(model.Value("windowresize", "namemask"), row.mask) << ::testing::PrintToString(row.title);
        ASSERT_EQ(model.Save(error), SaveOutcome::Done);
        const std::string read = ConfigReader(kPath).ReadText("windowresize", "namemask", "");
        EXPECT_TRUE(MatchNameMask(row.title, read)) << ::testing::PrintToString(row.title) << " with " << read;
    }
}

TEST(SetupOpenTest, OpensEveryFileTheLauncherReadsAndRefusesUtf16) {
    const std::string zeroAsBlank = "[windowresize]\r\nscale=150\0\r\nwindowwidth=800\r\n"s;
    struct Row {
        const char* label;
        std::string content;
        bool opens;
    } rows[] = {
        {"a zero byte, a blank to the launcher", zeroAsBlank, true},
        {"zero bytes here and there", "[a]\0\0\r\nk=1\0\r\n[b]\r\n"s, true},
        {"UTF-16 LE with its mark", "\xFF\xFE[\0a\0]\0"s, false},
        {"UTF-16 BE with its mark", "\xFE\xFF\0[\0a\0]"s, false},
        {"UTF-16 LE without a mark", "[\0w\0]\0\r\0\n\0k\0=\0" "1\0"s, false},
        {"UTF-16 BE without a mark", "\0[\0w\0]\0\r\0\n\0k\0=\0" "1"s, false},
    };
    for (const Row& row : rows) {
        fake::Desktop desktop;
        desktop.file(kPath, row.content);
        Profile profile;
        std::string error;
        EXPECT_EQ(profile.Open(kPath, error), row.opens) << row.label << ": " << error;
        EXPECT_EQ(error.find("UTF-16") != std::string::npos, !row.opens) << row.label << ": " << error;
    }

    fake::Desktop desktop;
    desktop.file(kPath, zeroAsBlank);
    Profile profile;
    std::string error;
    ASSERT_TRUE(profile.Open(kPath, error));
    EXPECT_EQ(profile.Value("windowresize", "scale"), "150");
    profile.SetValue("windowresize", "windowwidth", "640");
    ASSERT_EQ(profile.Save(error), SaveOutcome::Done);
    EXPECT_EQ(desktop.fileContent(kPath), std::string(zeroAsBlank).replace(zeroAsBlank.find("800"), 3, "640"));
}

}  // namespace
