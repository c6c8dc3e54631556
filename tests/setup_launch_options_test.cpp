// "Copy launch options": the line a store takes, as the launcher reads it, on the
// clipboard; the profile saved first, as for Run.
#include <gtest/gtest.h>

#include <string>

#include "settings/command_line.h"
#include "setup/setup_model.h"
#include "tests/support/fake_desktop.h"

namespace {

using platform::SaveOutcome;

const std::string kProfile = "[windowresize]\r\nscale=150\r\n";

TEST(SetupLaunchOptionsTest, TheLineOnTheClipboardStartsTheLauncherOnTheProfile) {
    const struct Row {
        std::string setupExe, profile, expected;
    } rows[] = {
        {"C:\\Tools\\framewright-setup.exe", "C:\\Games\\outpost.ini",
         R"("C:\Tools\framewright.exe" "C:\Games\outpost.ini" -- %command%)"},
        {"C:\\Program Files\\Frame wright\\framewright-setup.exe", "D:\\My Games\\Out post 2.ini",
         R"("C:\Program Files\Frame wright\framewright.exe" "D:\My Games\Out post 2.ini" -- %command%)"},
    };
    for (const Row& row : rows) {
        fake::Desktop desktop;
        desktop.exePath(row.setupExe).file(row.expected.substr(1, row.expected.find('"', 1) - 1), "MZ");
        desktop.file(row.profile, kProfile);
        ProfileModel model;
        std::string error;
        ASSERT_TRUE(model.Start("setup.exe \"" + row.profile + "\"", error)) << error;
        model.SetValue("windowresize", "scale", "200");
        ASSERT_EQ(model.CopyLaunchOptions(0x100, error), SaveOutcome::Done) << error;
        EXPECT_EQ(desktop.clipboardText(), row.expected);
        EXPECT_FALSE(desktop.clipboardOpen());
        EXPECT_EQ(desktop.fileContent(row.profile), "[windowresize]\r\nscale=200\r\n") << "saved first";

        // What Steam runs: the game's own quoted path and arguments for %command%.
        std::string run = row.expected;
        run.replace(run.find("%command%"), 9, R"("D:\Steam\common\Out post\game.exe" -windowed)");
        const LauncherArguments read = SplitLauncherCommandLine(run, LeadBytes());
        EXPECT_EQ(read.profile, row.profile);
        EXPECT_EQ(read.launch.program, "D:\\Steam\\common\\Out post\\game.exe");
    }
}

TEST(SetupLaunchOptionsTest, NothingIsCopiedWhenTheLineCouldNotWork) {
    const struct Row {
        const char* label;
        void (*arrange)(fake::Desktop&);
        SaveOutcome outcome;
        const char* reason;
    } rows[] = {
        {"clipboard held", [](fake::Desktop& d) { d.clipboardHeldElsewhere(); }, SaveOutcome::Failed,
         "Cannot open the clipboard: Access denied."},
        {"no launcher", [](fake::Desktop& d) { d.removeFile("C:\\Tools\\framewright.exe"); }, SaveOutcome::Failed,
         "Cannot find the launcher: C:\\Tools\\framewright.exe"},
        {"profile changed elsewhere", [](fake::Desktop& d) { d.file("C:\\Games\\outpost.ini", "; theirs\r\n"); },
         SaveOutcome::ChangedElsewhere, ""},
    };
    for (const Row& row : rows) {
        fake::Desktop desktop;
        desktop.exePath("C:\\Tools\\framewright-setup.exe").file("C:\\Tools\\framewright.exe", "MZ");
        desktop.file("C:\\Games\\outpost.ini", kProfile);
        ProfileModel model;
        std::string error;
        ASSERT_TRUE(model.Start("setup.exe C:\\Games\\outpost.ini", error)) << error;
        model.SetValue("windowresize", "scale", "200");
        row.arrange(desktop);
        EXPECT_EQ(model.CopyLaunchOptions(0x100, error), row.outcome) << row.label;
        EXPECT_EQ(error.rfind(row.reason, 0), 0u) << row.label << ": " << error;
        EXPECT_EQ(desktop.clipboardText(), "") << row.label;
        EXPECT_FALSE(desktop.clipboardOpen()) << row.label;
    }
}

}  // namespace
