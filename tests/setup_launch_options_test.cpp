// "Copy launch options": the line a store takes, quoted as the launcher's splitter
// reads it, on the clipboard once the profile is saved; nothing copied when it
// could not work.
#include <gtest/gtest.h>

#include <string>

#include "setup/setup_model.h"
#include "tests/support/fake_desktop.h"

namespace {

using platform::SaveOutcome;

TEST(SetupLaunchOptionsTest, TheClipboardGetsTheLineTheLauncherReadsBackOrNothing) {
    const std::string tools = "C:\\Program Files\\Frame wright\\", profile = "D:\\My Games\\Out post.ini";
    const std::string line = "\"" + tools + "framewright.exe\" \"" + profile + "\" -- %command%";
    const struct Row {
        const char* label;
        void (*arrange)(fake::Desktop&);
        SaveOutcome outcome;
        std::string clipboard, error;
    } rows[] = {
        {"paths with blanks, in quotes", [](fake::Desktop&) {}, SaveOutcome::Done, line, ""},
        {"clipboard held", [](fake::Desktop& d) { d.clipboardHeldElsewhere(); }, SaveOutcome::Failed, "",
         "Cannot open the clipboard: Access denied."},
        {"no launcher", [](fake::Desktop& d) { d.removeFile("C:\\Program Files\\Frame wright\\framewright.exe"); },
         SaveOutcome::Failed, "", "Cannot find the launcher: " + tools + "framewright.exe"},
        {"changed elsewhere", [](fake::Desktop& d) { d.file("D:\\My Games\\Out post.ini", "; theirs"); },
         SaveOutcome::ChangedElsewhere, "", ""},
    };
    for (const Row& row : rows) {
        fake::Desktop desktop;
        desktop.exePath(tools + "framewright-setup.exe").file(tools + "framewright.exe", "MZ").file(profile, "[a]\r\n");
        ProfileModel model;
        std::string error;
        ASSERT_TRUE(model.Start("setup.exe \"" + profile + "\"", error)) << error;
        model.SetValue("windowresize", "scale", "200");
        row.arrange(desktop);
        EXPECT_EQ(model.CopyLaunchOptions(0x100, error), row.outcome) << row.label;
        EXPECT_EQ(desktop.clipboardText(), row.clipboard) << row.label;
        EXPECT_EQ(error.substr(0, row.error.size()), row.error) << row.label;
        EXPECT_FALSE(desktop.clipboardOpen()) << row.label;
        EXPECT_EQ(model.IsDirty(), row.outcome == SaveOutcome::ChangedElsewhere) << row.label << ": saved first";
    }
}

}  // namespace
