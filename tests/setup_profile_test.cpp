// The setup program's settings layer and preview on the simulated desktop: saving
// in place and whole, and the preview computed by the launcher's own steps.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/files.h"
#include "settings/displays.h"
#include "settings/load_settings.h"
#include "settings/settings.h"
#include "setup/applicability.h"
#include "setup/preview.h"
#include "setup/profile.h"
#include "setup/setup_model.h"
#include "tests/support/fake_desktop.h"

namespace {

const std::string kProfilePath = "C:\\Games\\demo.ini";
const std::string kProfile =
    "; demo\r\n[program]\r\npath=C:\\Games\\Demo\r\nname=demo.exe\r\n\r\n[windowresize]\r\n"
    "windowfindmethod=pidonly\r\nfirstresizedelayms=100\r\nfirstresizetimeoutms=5000\r\n"
    "windowwidth=800\r\nwindowheight=600\r\nmovewindow=centre\r\nscalingmethod=windowscale\r\nscale=150\r\n";

class SetupProfileTest : public ::testing::Test {
protected:
    fake::Desktop desktop;
    Profile profile;
    std::string error;

    void SetUp() override {
        desktop.file("C:\\Games\\Demo\\demo.exe", "MZ").file(kProfilePath, kProfile);
        ASSERT_TRUE(profile.Open(kProfilePath, error)) << error;
    }
};

TEST_F(SetupProfileTest, SavesOnlyTheChangedLineAndLeavesNoTemporaryFile) {
    EXPECT_FALSE(profile.IsDirty());
    profile.SetValue("windowresize", "scale", "  200 ");
    profile.SetValue("windowresize", "lockwindow", "1");
    profile.SetValue("program", "parameters", "");  // absent and empty read alike: nothing added
    EXPECT_TRUE(profile.IsDirty());
    ASSERT_EQ(profile.Save(error), platform::SaveOutcome::Done) << error;
    EXPECT_FALSE(profile.IsDirty());
    EXPECT_EQ(desktop.fileContent(kProfilePath),
              std::string(kProfile).replace(kProfile.find("scale=150"), 9, "scale=200") + "lockwindow=1\r\n");
    EXPECT_EQ(desktop.fileAttributes(kProfilePath + ".saving"), platform::kInvalidFileAttributes);
    EXPECT_EQ(desktop.openHandleCount(), 0);
}

TEST(SetupSaveTest, AFailedSaveSaysWhyAndLeavesTheFileAsItWas) {
    struct Row {
        const char* label;
        void (*arrange)(fake::Desktop&);
        std::string path;
        std::string reason;
    } rows[] = {
        {"disk full", [](fake::Desktop& d) { d.diskFull(); }, kProfilePath, "Disk full."},
        {"file held by another program", [](fake::Desktop& d) { d.fileHeldForWriting(kProfilePath, kProfile); },
         kProfilePath, "Sharing violation."},
        {"folder gone", [](fake::Desktop&) {}, "C:\\Nowhere\\demo.ini", "Path not found."},
    };
    for (const Row& row : rows) {
        fake::Desktop desktop;
        desktop.file(kProfilePath, kProfile);
        Profile profile;
        std::string error;
        ASSERT_TRUE(profile.Open(kProfilePath, error));
        profile.SetValue("windowresize", "scale", "200");
        row.arrange(desktop);
        EXPECT_EQ(profile.SaveAs(row.path, error), platform::SaveOutcome::Failed) << row.label;
        EXPECT_NE(error.find(row.reason), std::string::npos) << row.label << ": " << error;
        EXPECT_EQ(error.find("The file was left as it was.") != std::string::npos, row.path == kProfilePath)
            << row.label;
        EXPECT_EQ(desktop.fileContent(kProfilePath), kProfile) << row.label;
        EXPECT_EQ(desktop.fileAttributes(row.path + ".saving"), platform::kInvalidFileAttributes) << row.label;
        EXPECT_TRUE(profile.IsDirty()) << row.label;
        EXPECT_EQ(desktop.openHandleCount(), 0) << row.label;
    }
}

TEST_F(SetupProfileTest, RefusesFilesTheLauncherCannotRead) {
    desktop.file("C:\\Games\\utf16.ini", std::string("[\0p\0]\0", 6)).directory("C:\\Games\\folder.ini");
    for (const char* path : {"C:\\Games\\utf16.ini", "C:\\Games\\missing.ini", "C:\\Games\\folder.ini"}) {
        EXPECT_FALSE(profile.Open(path, error)) << path;
        EXPECT_FALSE(error.empty()) << path;
        EXPECT_EQ(profile.Path(), kProfilePath) << path << ": the open profile stays";
    }
}

// Three windows of 656 x 519 (client 640 x 480) on 1920 x 1080; the numbers are the
// launcher's: 150 % is 984 x 778.5, a tie rounded to even.
TEST_F(SetupProfileTest, PreviewIsTheLaunchersOwnResult) {
    const platform::Rect outer{100, 50, 756, 569}, client{0, 0, 640, 480};
    Preview placed = ComputePreview(profile.Text(), kProfilePath, outer, client);
    ASSERT_EQ(placed.outcome, Preview::Placed) << placed.rejection;
    EXPECT_EQ(WindowText(placed), "984 x 778 at 468, 151");
    EXPECT_EQ(ClientText(placed), "968 x 739");

    profile.SetValue("windowresize", "movewindow", "none");
    EXPECT_EQ(WindowText(ComputePreview(profile.Text(), kProfilePath, outer, client)), "984 x 778 at 100, 50");

    Preview unknown = ComputePreview(profile.Text(), kProfilePath, {}, {});
    EXPECT_EQ(unknown.outcome, Preview::NeedsWindow);
    EXPECT_EQ(unknown.displayWidth, 1920);

    profile.SetValue("windowresize", "scale", "");
    Preview rejected = ComputePreview(profile.Text(), kProfilePath, outer, client);
    EXPECT_EQ(rejected.outcome, Preview::Rejected);
    EXPECT_EQ(rejected.rejection,
              "Invalid settings: windowresize->scale is not a legal value or not set (and required for "
              "scalingmethod=windowscale)");

    profile.SetValue("windowresize", "scale", "50");
    profile.SetValue("windowresize", "scalingmethod", "displayscale");
    profile.SetValue("windowresize", "maintainaspectratio", "1");
    Preview failing = ComputePreview(profile.Text(), kProfilePath, outer, {0, 0, 640, 0});
    EXPECT_EQ(failing.rejection, "The launcher would fail: EDivByZero: Division by zero");
    EXPECT_EQ(desktop.calls(fake::Call::SetWindowPos) + desktop.calls(fake::Call::CreateProcessA), 0u);
}

TEST_F(SetupProfileTest, KeysOfLaunchingAndDisplaysRoundTripToTheLauncher) {
    desktop.workingDirectory("C:\\Games").addDisplay("\\\\.\\DISPLAY2", 1920, 0, 1280, 1024);
    profile.SetValue("program", "followchildren", "1");
    profile.SetValue("windowresize", "display", "2");
    profile.SetValue("tweaks", "borderless", "1");
    profile.SetValue("tweaks", "logfile", "logs\\run.log");
    ASSERT_EQ(profile.Save(error), platform::SaveOutcome::Done) << error;
    const std::string saved = desktop.fileContent(kProfilePath);
    EXPECT_EQ(saved, std::string(kProfile).insert(kProfile.find("\r\n\r\n[windowresize]"), "\r\nfollowchildren=1") +
                         "display=2\r\n\r\n[tweaks]\r\nborderless=1\r\nlogfile=logs\\run.log\r\n");

    InitialiseSettings();
    Settings.ConfigFileName = kProfilePath;
    ASSERT_TRUE(LoadSettings()) << desktop.boxTexts().back();
    EXPECT_TRUE(Settings.FollowChildren);
    EXPECT_EQ(Settings.Display, DisplayChoice::Numbered);
    EXPECT_EQ(Settings.DisplayNumber, 2);
    EXPECT_TRUE(Settings.Borderless);
    EXPECT_EQ(Settings.LogFile, "C:\\Games\\logs\\run.log");
}

// The same window (656 x 519 at 100, 50 unless moved; 150 % is 984 x 778) with a
// second display of 1280 x 1024 to the right of the primary one.
TEST_F(SetupProfileTest, PreviewUsesTheDisplayTheSettingsChoose) {
    desktop.addDisplay("\\\\.\\DISPLAY2", 1920, 0, 1280, 1024);
    struct Row {
        const char* label;
        std::string lines;
        platform::Rect outer;
        std::string window, client, display;  // window empty: not placed
    } rows[] = {
        {"display 2: centred on it", "display=2\r\n", {100, 50, 756, 569}, "984 x 778 at 2068, 123", "968 x 739",
         "1280 x 1024 at 1920, 0 (display 2)"},
        {"the window's, on display 2", "display=window\r\n", {2000, 100, 2656, 619}, "984 x 778 at 2068, 123",
         "968 x 739", "1280 x 1024 at 1920, 0 (the window's)"},
        {"the window's, on the primary one", "display=Window\r\n", {100, 50, 756, 569}, "984 x 778 at 468, 151",
         "968 x 739", "1920 x 1080 at 0, 0 (the window's)"},
        {"the window's, on none: the nearest", "display=window\r\n", {3500, 2000, 4156, 2519},
         "984 x 778 at 2068, 123", "968 x 739", "1280 x 1024 at 1920, 0 (the window's)"},
        {"the window's, no window yet", "display=window\r\n", {}, "", "",
         "1920 x 1080 at 0, 0 (primary: no window yet)"},
        {"borderless: all client area", "display=primary\r\n[tweaks]\r\nborderless=1\r\n", {100, 50, 756, 569},
         "960 x 720 at 480, 180", "960 x 720", "1920 x 1080 at 0, 0 (primary)"},
    };
    for (const Row& row : rows) {
        const Preview preview = ComputePreview(kProfile + row.lines, kProfilePath, row.outer, {0, 0, 640, 480});
        EXPECT_EQ(preview.displayText, row.display) << row.label;
        if (row.window.empty()) {
            EXPECT_EQ(preview.outcome, Preview::NeedsWindow) << row.label;
            continue;
        }
        ASSERT_EQ(preview.outcome, Preview::Placed) << row.label << ": " << preview.rejection;
        EXPECT_EQ(WindowText(preview), row.window) << row.label;
        EXPECT_EQ(ClientText(preview), row.client) << row.label;
    }

    const Preview missing =
        ComputePreview(kProfile + "display=3\r\n", kProfilePath, {100, 50, 756, 569}, {0, 0, 640, 480});
    EXPECT_EQ(missing.outcome, Preview::Rejected);
    EXPECT_EQ(missing.rejection,
              "Invalid settings: windowresize->display is 3, but there is no display 3; the displays are "
              "1 (1920 x 1080 at 0, 0, primary), 2 (1280 x 1024 at 1920, 0)");
    EXPECT_EQ(desktop.calls(fake::Call::MonitorFromWindow) + desktop.calls(fake::Call::SetWindowPos), 0u);
}

TEST(SetupModelTest, OffersEveryNumberedDisplayAndDrawsABorderlessWindowAsAllClientArea) {
    fake::Desktop desktop;
    desktop.display(1920, 1080)
        .addDisplay("\\\\.\\DISPLAY3", -1280, 0, 1280, 1024)
        .addDisplay("\\\\.\\WINDISC", 0, 1080, 800, 600)
        .file("C:\\Games\\Demo\\demo.exe", "MZ")
        .file(kProfilePath, kProfile + "[tweaks]\r\nborderless=1\r\n");
    ProfileModel model;
    std::string error;
    ASSERT_TRUE(model.Start("setup.exe " + kProfilePath, error)) << error;
    EXPECT_EQ(model.Choices("windowresize", "display"),
              (std::vector<std::string>{"primary", "window", "1: 1920 x 1080 at 0, 0 (primary)",
                                        "3: 1280 x 1024 at -1280, 0"}))
        << "a display without a number cannot be named";
    EXPECT_TRUE(model.Choices("windowresize", "movewindow").empty());

    const platform::PreviewPicture picture = model.Preview({100, 50, 756, 569}, {0, 0, 640, 480});
    ASSERT_TRUE(picture.placed) << picture.message;
    EXPECT_EQ(DisplayText(picture.client), DisplayText(picture.window)) << "no frame left to draw";
}

// The pause key's and the colour's fields are checked with the launcher's own
// parsers as they are typed in; the preview draws the surround in its colour.
TEST(SetupModelTest, ThePauseKeyAndTheColourAreReadAsTheLauncherReadsThem) {
    fake::Desktop desktop;
    desktop.file(kProfilePath, kProfile).file("C:\\Games\\Demo\\demo.exe", "MZ");
    ProfileModel model;
    std::string error;
    ASSERT_TRUE(model.Start("setup.exe " + kProfilePath, error)) << error;
    const std::pair<const char*, const char*> rows[] = {
        {"", ""}, {"ctrl + alt + p", "Read as Ctrl+Alt+P"}, {"P", "Not a key: write it like Ctrl+Alt+P"}};
    for (const auto& [written, reading] : rows) {
        ASSERT_TRUE(model.SetValue("tweaks", "pausekey", written));
        EXPECT_EQ(model.Reading("tweaks", "pausekey"), reading) << written;
    }
    EXPECT_EQ(model.Reading("tweaks", "logfile"), "");

    ASSERT_TRUE(model.SetValue("tweaks", "pausekey", ""));
    ASSERT_TRUE(model.SetValue("tweaks", "surroundcolour", "#000000"));
    EXPECT_EQ(model.Reading("tweaks", "surroundcolour"), "Not a colour: six hexadecimal digits RRGGBB, like 000000");
    ASSERT_TRUE(model.SetValue("tweaks", "surroundcolour", "20a0ff"));
    EXPECT_EQ(model.Reading("tweaks", "surroundcolour"), "");
    EXPECT_FALSE(model.Preview({100, 50, 756, 569}, {0, 0, 640, 480}).surround);
    model.SetFlag("tweaks", "surround", true, false);
    const platform::PreviewPicture picture = model.Preview({100, 50, 756, 569}, {0, 0, 640, 480});
    EXPECT_TRUE(picture.placed && picture.surround);
    EXPECT_EQ(picture.surroundColour, 0x20A0FFu);
}

TEST(SetupApplicabilityTest, ControlsOfKeysTheMethodsIgnoreAreDisabled) {
    struct Row {
        const char* content;
        const char* section;
        const char* key;
        bool applies;
    } rows[] = {
        {"[windowresize]\nwindowfindmethod=PidOnly", "windowresize", "namemask", false},
        {"[windowresize]\nwindowfindmethod=nameonly", "windowresize", "namemask", true},
        {"[windowresize]\nwindowfindmethod=bogus", "windowresize", "namemask", true},
        {"[windowresize]\nmovewindow=centre", "windowresize", "windowx", false},
        {"[windowresize]\nmovewindow=fixed\nlockwindow=1", "windowresize", "alwaysmovewindow", true},
        {"[windowresize]\nmovewindow=none\nlockwindow=1", "windowresize", "alwaysmovewindow", false},
        {"[windowresize]\nscalingmethod=defined", "windowresize", "scale", false},
        {"[windowresize]\nscalingmethod=displayscale", "windowresize", "aspectratio", false},
        {"[windowresize]\nscalingmethod=displayscale\nmaintainaspectratio=1", "windowresize", "aspectratio", true},
        {"[tweaks]", "tweaks", "borderwidth", false},
        {"[tweaks]\nautodetectbordersize=0", "tweaks", "borderheight", true},
        {"[windowresize]\nscalingmethod=defined", "windowresize", "windowwidth", true},
        {"[windowresize]\nscalingmethod=displayscale\nmaintainaspectratio=1\nclientresize=1\n[tweaks]\nborderless=1",
         "tweaks", "scalingignorebordersize", false},
        {"[windowresize]\nscalingmethod=displayscale\nmaintainaspectratio=1\nclientresize=1", "tweaks",
         "scalingignorebordersize", true},
        {"[tweaks]\nsurroundcolour=000000", "tweaks", "surroundcolour", false},
        {"[tweaks]\nsurround=1", "tweaks", "surroundcolour", true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(KeyApplies(row.content, row.section, row.key), row.applies) << row.content << " / " << row.key;
    }
}

TEST(SetupModelTest, OpensTheProfileArgumentAndRunsTheLauncherBesideItself) {
    fake::Desktop desktop;
    desktop.workingDirectory("C:\\Users\\me")
        .exePath("C:\\Tools\\framewright-setup.exe")
        .program("C:\\Tools\\framewright.exe", fake::aProgram())
        .file("C:\\Games\\Demo\\outpost.ini", kProfile);
    ProfileModel model;
    std::string error;
    ASSERT_TRUE(model.Start("setup.exe /x \"..\\..\\Games\\Demo\\outpost.ini\"", error)) << error;
    EXPECT_EQ(model.ProfilePath(), "C:\\Games\\Demo\\outpost.ini");
    EXPECT_EQ(desktop.currentDirectory(), "C:\\Games\\Demo") << "the launcher's working directory";
    model.SetValue("windowresize", "scale", "120");
    ASSERT_EQ(model.Run(error), platform::SaveOutcome::Done) << error;
    ASSERT_EQ(desktop.launches().size(), 1u);
    const fake::LaunchRecord& run = desktop.launches()[0];
    EXPECT_EQ(run.applicationName, "C:\\Tools\\framewright.exe");
    EXPECT_EQ(run.commandLine, "\"C:\\Tools\\framewright.exe\" \"" + model.ProfilePath() + "\"");
    EXPECT_EQ(run.currentDirectory, "C:\\Games\\Demo");
    EXPECT_FALSE(model.IsDirty()) << "Run saves first";
    EXPECT_EQ(desktop.openHandleCount(), 0);

    ProfileModel fresh;
    ASSERT_TRUE(fresh.Start("setup.exe", error));
    EXPECT_EQ(fresh.ProfilePath(), "C:\\Games\\Demo\\framewright.ini") << "a new one, not saved yet";
    EXPECT_FALSE(fresh.IsDirty());
}

// In code page 932 "\x95\x5C" is one character whose second byte is a backslash;
// every path the setup program cuts is cut where a character ends.
TEST(SetupModelTest, PathsAreCutBetweenDoubleByteCharacters) {
    fake::Desktop desktop;
    const std::string profile = "C:\\Games\\\x95\\.ini";
    desktop.ansiCodePage(932)
        .workingDirectory("C:\\Users\\me")
        .exePath("C:\\Tools\\framewright-setup.exe")
        .program("C:\\Tools\\framewright.exe", fake::aProgram())
        .file(profile, kProfile);
    ProfileModel model;
    std::string error;
    ASSERT_TRUE(model.Start("setup.exe " + profile, error)) << error;
    EXPECT_EQ(desktop.currentDirectory(), "C:\\Games") << "the preview's working directory";
    EXPECT_EQ(model.FileNameOf(profile), "\x95\\.ini") << "the window's title";
    model.SetProgramFile("C:\\Games\\\x95\\.exe");
    EXPECT_EQ(model.Value("program", "path") + " | " + model.Value("program", "name"), "C:\\Games | \x95\\.exe");
    ASSERT_EQ(model.Run(error), platform::SaveOutcome::Done) << error;
    EXPECT_EQ(desktop.launches().at(0).currentDirectory, "C:\\Games");
}

}  // namespace
