// The setup program's way to the watch: the line that says whether a watch runs,
// on which folder and whether it matches the profile (by the launcher's reading of
// the file as saved), and "Watch this folder" starting the launcher's watch.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "settings/command_line.h"
#include "setup/setup_model.h"
#include "tests/support/fake_desktop.h"

namespace {

using fake::aProgram;
using fake::aWindow;
using platform::SaveOutcome;

const std::string kTools = "C:\\Program Files\\Framewright\\";
const std::string kLauncher = kTools + "framewright.exe";
const std::string kWindow =
    "[windowresize]\r\nwindowfindmethod=pidonly\r\nfirstresizedelayms=100\r\nfirstresizetimeoutms=5000\r\n"
    "windowwidth=800\r\nwindowheight=600\r\nmovewindow=centre\r\nscalingmethod=windowscale\r\nscale=150\r\n";
const std::string kProfile = "[program]\r\npath=C:\\Games\\Demo\r\nname=demo.exe\r\n" + kWindow;

void Watching(fake::Desktop& desktop, const std::string& folder) {
    desktop.addWindow(aWindow().ofClass("FramewrightWatch").withTitle(folder));
}

TEST(SetupWatchTest, TheLineSaysWhichFolderIsWatchedAndWhetherTheProfileIsMatched) {
    const std::string notHere = "demo.exe is not matched until this profile's folder is watched.";
    const struct Row {
        const char* label;
        std::string profile;  // empty: no file yet
        void (*arrange)(fake::Desktop&);
        std::string line;
    } rows[] = {
        {"no watch", kProfile, [](fake::Desktop&) {}, "No watch is running.\r\n" + notHere},
        {"another folder", kProfile, [](fake::Desktop& d) { Watching(d, "D:\\Profiles"); },
         "A watch is running on D:\\Profiles.\r\n" + notHere},
        {"this folder, in other case, a separator at the end", kProfile,
         [](fake::Desktop& d) { Watching(d, "c:\\GAMES\\"); },
         "A watch is running on c:\\GAMES\\ (this profile's folder).\r\n"
         "demo.exe is matched: the watch applies this profile when it runs."},
        {"this folder, no [program]", kWindow,
         [](fake::Desktop& d) { Watching(d, "C:\\Games"); },
         "A watch is running on C:\\Games (this profile's folder).\r\n"
         "This profile is not matched: Invalid settings: program->name is missing"},
        {"this folder, the program gone", kProfile,
         [](fake::Desktop& d) {
             Watching(d, "C:\\Games");
             d.removeFile("C:\\Games\\Demo\\demo.exe");
         },
         "A watch is running on C:\\Games (this profile's folder).\r\n"
         "This profile is not matched: Invalid settings: Cannot find the program (C:\\Games\\Demo\\demo.exe)"},
        {"not saved yet", "", [](fake::Desktop& d) { Watching(d, "C:\\Games"); },
         "A watch is running on C:\\Games (this profile's folder).\r\n"
         "This profile is not saved yet: save it to watch its folder."},
    };
    for (const Row& row : rows) {
        fake::Desktop desktop;
        desktop.file("C:\\Games\\Demo\\demo.exe", "MZ");
        if (!row.profile.empty()) desktop.file("C:\\Games\\demo.ini", row.profile);
        row.arrange(desktop);
        ProfileModel model;
        std::string error;
        ASSERT_TRUE(model.Start("setup.exe C:\\Games\\demo.ini", error)) << row.label << ": " << error;
        const platform::WatchPicture watch = model.Watch();
        EXPECT_EQ(watch.line, row.line) << row.label;
        EXPECT_EQ(watch.canWatch, !row.profile.empty()) << row.label;
        EXPECT_TRUE(desktop.boxes().empty()) << row.label;
    }
}

TEST(SetupWatchTest, TheWatchReadsTheProfileAsSaved) {
    fake::Desktop desktop;
    desktop.file("C:\\Games\\Demo\\demo.exe", "MZ").file("C:\\Games\\demo.ini", kProfile);
    Watching(desktop, "C:\\Games");
    ProfileModel model;
    std::string error;
    ASSERT_TRUE(model.Start("setup.exe C:\\Games\\demo.ini", error)) << error;
    model.SetValue("program", "name", "");
    EXPECT_EQ(model.Watch().line,
              "A watch is running on C:\\Games (this profile's folder).\r\n"
              "demo.exe is matched: the watch applies this profile when it runs.\r\n"
              "The watch reads the profile as saved, not the changes made here since.");
}

TEST(SetupWatchTest, WatchThisFolderSavesThenStartsTheLaunchersWatchWithoutWaiting) {
    const struct Row {
        const char* label;
        std::string profile, folder;
    } rows[] = {
        {"a folder with blanks", "D:\\My Games\\demo.ini", "D:\\My Games"},
        {"a drive's root", "D:\\demo.ini", "D:\\"},
    };
    for (const Row& row : rows) {
        fake::Desktop desktop;
        desktop.exePath(kTools + "framewright-setup.exe").program(kLauncher, aProgram().running(60000));
        desktop.file(row.profile, kProfile);
        ProfileModel model;
        std::string error;
        ASSERT_TRUE(model.Start("setup.exe \"" + row.profile + "\"", error)) << error;
        model.SetValue("windowresize", "scale", "200");
        ASSERT_EQ(model.WatchFolder(error), SaveOutcome::Done) << row.label << ": " << error;
        EXPECT_FALSE(model.IsDirty()) << row.label << ": saved first";
        ASSERT_EQ(desktop.launches().size(), 1u) << row.label;
        const fake::LaunchRecord& launch = desktop.launches()[0];
        EXPECT_EQ(launch.applicationName, kLauncher) << row.label;
        EXPECT_EQ(launch.currentDirectory, row.folder) << row.label;
        const LauncherArguments read = SplitLauncherCommandLine(launch.commandLine, LeadBytes{});
        EXPECT_EQ(read.mode, LauncherMode::Watch) << row.label << ": " << launch.commandLine;
        EXPECT_EQ(read.watchFolder, row.folder) << row.label << ": " << launch.commandLine;
        EXPECT_EQ(desktop.calls(fake::Call::WaitForSingleObject), 0u) << row.label;
        EXPECT_EQ(desktop.openHandleCount(), 0) << row.label;
    }
}

TEST(SetupWatchTest, TheCheckBoxShowsAndChoosesThisWatchInTheRunValue) {
    const char* const run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::string mine = "\"" + kLauncher + "\" --watch \"C:\\Games\"";
    const std::string theirs = "\"D:\\Old\\framewright.exe\" --watch \"C:\\Games\"";
    const std::string told = "\r\nWindows starts another watch at sign-in: " + theirs;
    const struct Row {
        const char* label;
        std::string before;
        bool checked;
        std::string lineEnd;
        bool choice;
        std::string after;
    } rows[] = {
        {"none, chosen", "", false, "watched.", true, mine},
        {"this watch's, unchosen", mine, true, "watched.", false, ""},
        {"another's, chosen: replaced", theirs, false, told, true, mine},
        {"another's, unchosen: left alone", theirs, false, told, false, theirs},
    };
    for (const Row& row : rows) {
        fake::Desktop desktop;
        desktop.exePath(kTools + "framewright-setup.exe").file(kLauncher, "MZ");
        desktop.file("C:\\Games\\Demo\\demo.exe", "MZ").file("C:\\Games\\demo.ini", kProfile);
        if (!row.before.empty()) desktop.setRegistryValue(run, "Framewright", row.before);
        ProfileModel model;
        std::string error;
        ASSERT_TRUE(model.Start("setup.exe C:\\Games\\demo.ini", error)) << error;
        const platform::WatchPicture watch = model.Watch();
        EXPECT_EQ(watch.startsWithWindows, row.checked) << row.label;
        EXPECT_EQ(watch.line.substr(watch.line.size() - std::min(watch.line.size(), row.lineEnd.size())), row.lineEnd)
            << row.label;
        EXPECT_TRUE(model.StartWithWindows(row.choice, error)) << row.label << ": " << error;
        EXPECT_EQ(desktop.registryValue(run, "framewright"), row.after) << row.label;
        EXPECT_EQ(model.Watch().startsWithWindows, row.after == mine) << row.label;
    }
}

TEST(SetupWatchTest, WithoutTheLauncherNothingIsStartedOrWritten) {
    fake::Desktop desktop;
    desktop.exePath(kTools + "framewright-setup.exe").file("C:\\Games\\demo.ini", kProfile);
    ProfileModel model;
    std::string error;
    ASSERT_TRUE(model.Start("setup.exe C:\\Games\\demo.ini", error)) << error;
    EXPECT_EQ(model.WatchFolder(error), SaveOutcome::Failed);
    EXPECT_EQ(error, "Cannot find the launcher: " + kLauncher);
    EXPECT_TRUE(desktop.launches().empty());
    EXPECT_FALSE(model.StartWithWindows(true, error));
    EXPECT_EQ(error, "Cannot find the launcher: " + kLauncher);
    EXPECT_EQ(desktop.registryValue("Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Framewright"), "");
}

}  // namespace
