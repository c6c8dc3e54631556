#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "diagnostics/exceptions.h"
#include "settings/load_settings.h"
#include "settings/settings.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/trace_capture.h"

namespace {

const std::string kConfigPath = "C:\\Games\\framewright.ini";

// A configuration that loads. Each extra line goes first in its section, so it wins
// over the line of the same key below it; "key=" there counts as absent.
std::string Config(const std::string& program = "", const std::string& resize = "",
                   const std::string& tweaks = "") {
    return "[program]\n" + program +
           "path=C:\\Games\\Demo\nname=demo.exe\n"
           "[windowresize]\n" + resize +
           "windowfindmethod=pidonly\nfirstresizedelayms=100\nfirstresizetimeoutms=5000\n"
           "windowwidth=800\nwindowheight=600\nmovewindow=centre\nscalingmethod=defined\n"
           "[tweaks]\n" + tweaks;
}

class LoadSettingsTest : public ::testing::Test {
protected:
    fake::Desktop desktop;
    TraceCapture trace;

    void SetUp() override { desktop.file("C:\\Games\\Demo\\demo.exe", "MZ"); }

    bool Load(const std::string& content) {
        desktop.file(kConfigPath, content);
        InitialiseSettings();
        return LoadSettings();
    }
};

std::uint32_t Bits(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

struct Rejection {
    const char* label;
    std::string content;
    std::string message;
};

// In the order the interpretations and checks run; each row passes every earlier one.
TEST(LoadSettings, ShowsOneBoxPerRejectionAndClosesTheFile) {
    const std::string illegal = "Invalid settings: windowresize->";
    const Rejection rows[] = {
        {"empty file", "", illegal + "windowfindmethod is not a legal value"},
        {"blank inside keyword", Config("", "windowfindmethod=pid only\n"),
         illegal + "windowfindmethod is not a legal value"},
        {"pidandname without mask", Config("", "windowfindmethod=pidandname\n"),
         illegal + "namemask is empty but required for windowfindmethod=pidandname"},
        {"nameonly without mask", Config("", "windowfindmethod=NameOnly\n"),
         illegal + "namemask is empty but required for windowfindmethod=nameonly"},
        {"movewindow", Config("", "movewindow=middle\n"), illegal + "movewindow is not a legal value"},
        {"scalingmethod", Config("", "scalingmethod=stretch\n"), illegal + "scalingmethod is not a legal value"},
        {"windowscale, scale 0", Config("", "scalingmethod=windowscale\nscale=0\n"),
         illegal + "scale is not a legal value or not set (and required for scalingmethod=windowscale)"},
        {"displayscale, no scale", Config("", "scalingmethod=displayscale\n"),
         illegal + "scale is not a legal value or not set (and required for scalingmethod=displayscale)"},
        {"pixelscale, scale abc", Config("", "scalingmethod=PixelScale\nscale=abc\n"),
         illegal + "scale is not a legal value or not set (and required for scalingmethod=pixelscale)"},
        {"aspectratio 16:0", Config("", "aspectratio=16:0\n"), illegal + "aspectratio is not a legal value"},
        {"aspectratio inf", Config("", "aspectratio=Inf\n"), illegal + "aspectratio is not a legal value"},
        {"aspectratio 1e39", Config("", "aspectratio=1e39\n"), illegal + "aspectratio is not a legal value"},
        {"check 1 before 4", Config("name=\n", "firstresizedelayms=0\n"),
         "Invalid settings: program->name is missing"},
        {"check 2", Config("path=C:\\Nowhere\n"),
         "Invalid settings: program->path does not point to a valid directory (C:\\Nowhere)"},
        {"check 2, a file", Config("path=C:\\Games\\Demo\\demo.exe\n"),
         "Invalid settings: program->path does not point to a valid directory (C:\\Games\\Demo\\demo.exe)"},
        {"check 3", Config("name=missing.exe\n"),
         "Invalid settings: Cannot find the program (C:\\Games\\Demo\\missing.exe)"},
        {"check 3, a directory", Config("path=C:\\Games\nname=Demo\n"),
         "Invalid settings: Cannot find the program (C:\\Games\\Demo)"},
        {"check 4", Config("", "firstresizedelayms=0\nwindowwidth=0\n"),
         illegal + "firstresizedelayms is not greater than 0"},
        {"check 5", Config("", "firstresizetimeoutms=100\n"),
         illegal + "firstresizetimeoutms is not greater than windowresize->firstresizedelayms"},
        {"check 6 under displayscale", Config("", "windowwidth=0\nscalingmethod=displayscale\nscale=100\n"),
         illegal + "windowwidth is not greater than 0"},
        {"check 7", Config("", "windowheight=-1\n"), illegal + "windowheight is not greater than 0"},
        {"check 8", Config("", "", "autodetectbordersize=0\nborderwidth=0\n"),
         "Invalid settings: tweaks->autodetectbordersize is 0, but tweaks->borderwidth and/or "
         "tweaks->borderheight are invalid or undefined"},
    };
    for (const Rejection& row : rows) {
        fake::Desktop desktop;
        desktop.file("C:\\Games\\Demo\\demo.exe", "MZ");
        desktop.file(kConfigPath, row.content);
        InitialiseSettings();
        EXPECT_FALSE(LoadSettings()) << row.label;
        EXPECT_EQ(desktop.boxTexts(), std::vector<std::string>{row.message}) << row.label;
        EXPECT_EQ(desktop.openHandleCount(), 0) << row.label;
    }
}

TEST(LoadSettings, ReportsAMissingFileOrADirectoryInItsPlace) {
    for (bool directory : {false, true}) {
        fake::Desktop desktop;
        if (directory) desktop.directory(kConfigPath);
        InitialiseSettings();
        EXPECT_FALSE(LoadSettings()) << "directory: " << directory;
        EXPECT_EQ(desktop.boxTexts(),
                  std::vector<std::string>{"Cannot find the configuration file: C:\\Games\\framewright.ini"});
        EXPECT_EQ(desktop.calls(fake::Call::CreateFileW), 0u);
    }
}

TEST_F(LoadSettingsTest, LetsTheOpenErrorOfALockedFileThrough) {
    desktop.fileHeldForWriting(kConfigPath, Config());
    InitialiseSettings();
    try {
        LoadSettings();
        FAIL() << "no exception";
    } catch (const EFOpenError& error) {
        EXPECT_EQ(error.Message(), "Unable to open file \"C:\\Games\\framewright.ini\"");
    }
    EXPECT_TRUE(desktop.boxes().empty());
    EXPECT_EQ(desktop.openHandleCount(), 0);
}

TEST_F(LoadSettingsTest, FillsEveryFieldFromItsKey) {
    ASSERT_TRUE(Load(Config("parameters=-windowed \"x\"\n",
                            "namemask=Demo*\nwindowfindmethod=PIDANDNAME\nfirstresizedelayms=101\n"
                            "firstresizetimeoutms=202\nwindowwidth=1024\nwindowheight=768\nlockwindow=1\n"
                            "movewindow=Fixed\nalwaysmovewindow=1\nwindowx=-5\nwindowy=$10\nclientresize=1\n"
                            "scale=150\nscalingmethod=windowscale\nmaintainaspectratio=1\naspectratio=4:3\n",
                            "autodetectbordersize=0\nborderwidth=16\nborderheight=39\nscalingignorebordersize=1\n")));
    const rSettings& s = Settings;
    EXPECT_TRUE(desktop.boxes().empty());
    EXPECT_EQ(s.ProgramFile, "C:\\Games\\Demo\\demo.exe");
    EXPECT_EQ(s.ProgramParameters, "-windowed \"x\"");
    EXPECT_EQ(s.NameMask, "Demo*");
    EXPECT_TRUE(s.FindByPid && s.FindByName);
    EXPECT_EQ(s.FirstResizeDelayMs, 101);
    EXPECT_EQ(s.FirstResizeTimeoutMs, 202);
    EXPECT_EQ(s.WindowWidth, 1024);
    EXPECT_EQ(s.WindowHeight, 768);
    EXPECT_TRUE(s.LockWindow && s.AlwaysMoveWindow && s.ClientResize && s.MaintainAspectRatio);
    EXPECT_EQ(s.MoveWindow, MoveWindowMode::Fixed);
    EXPECT_EQ(s.WindowX, -5);
    EXPECT_EQ(s.WindowY, 16);
    EXPECT_EQ(s.Scale, 150);
    EXPECT_EQ(s.ScalingMethod, ScalingMethod::WindowScale);
    EXPECT_EQ(Bits(s.AspectRatio), 0x3FAAAAABu);
    EXPECT_FALSE(s.AutodetectBorderSize);
    EXPECT_EQ(s.BorderWidth, 16);
    EXPECT_EQ(s.BorderHeight, 39);
    EXPECT_TRUE(s.ScalingIgnoreBorderSize);
    EXPECT_TRUE(trace.contains("Loading settings from: C:\\Games\\framewright.ini"));
    EXPECT_TRUE(trace.contains("Window find method: PID and name"));
}

TEST_F(LoadSettingsTest, GivesAbsentKeysTheirLoadingDefaults) {
    ASSERT_TRUE(Load(Config()));
    const rSettings& s = Settings;
    EXPECT_TRUE(s.FindByPid);
    EXPECT_FALSE(s.FindByName);
    EXPECT_EQ(s.Scale, 0);
    EXPECT_EQ(s.AspectRatio, 0.0f);
    EXPECT_TRUE(s.AutodetectBorderSize);
    EXPECT_EQ(s.BorderWidth, -1);
    EXPECT_EQ(s.BorderHeight, -1);
    EXPECT_TRUE(trace.contains("Window find method: PID only"));
}

TEST_F(LoadSettingsTest, FallsBackToTheWorkingDirectoryAndJoinsWithABackslash) {
    desktop.file("C:\\Games\\demo.exe", "MZ");
    struct Case { const char* label; std::string programLines; std::string path; std::string file; };
    const Case rows[] = {
        {"absent", "[program]\nname=demo.exe\n", "C:\\Games", "C:\\Games\\demo.exe"},
        {"empty", "[program]\npath=\nname=demo.exe\n", "C:\\Games", "C:\\Games\\demo.exe"},
        {"ends with \\", "[program]\npath=C:\\Games\\Demo\\\nname=demo.exe\n", "C:\\Games\\Demo\\",
         "C:\\Games\\Demo\\\\demo.exe"},
    };
    for (const Case& row : rows) {
        const std::string rest = Config().substr(Config().find("[windowresize]"));
        EXPECT_TRUE(Load(row.programLines + rest)) << row.label;
        EXPECT_EQ(Settings.ProgramPath, row.path) << row.label;
        EXPECT_EQ(Settings.ProgramFile, row.file) << row.label;
    }
    EXPECT_TRUE(desktop.boxes().empty());
}

TEST_F(LoadSettingsTest, TracesTheFindMethodBeforeRejectingAMissingMask) {
    EXPECT_FALSE(Load(Config("", "windowfindmethod=nameonly\n")));
    EXPECT_TRUE(trace.contains("Window find method: Name only"));
    EXPECT_FALSE(Settings.FindByPid);
    EXPECT_TRUE(Settings.FindByName);
}

TEST_F(LoadSettingsTest, LeavesKeysAfterARejectionUntouched) {
    EXPECT_FALSE(Load(Config("", "lockwindow=1\nmovewindow=left\nwindowx=5\n", "autodetectbordersize=1\n")));
    EXPECT_TRUE(Settings.LockWindow);   // read before the rejection
    EXPECT_EQ(Settings.WindowX, 0);     // after it: initial values
    EXPECT_FALSE(Settings.AutodetectBorderSize);
    EXPECT_EQ(Settings.ProgramFile, "");
}

TEST_F(LoadSettingsTest, UsesTheSeparatorsReadAtStartUp) {
    desktop.localeSeparators(",", ".");
    EXPECT_TRUE(Load(Config("", "aspectratio=1,6\n")));
    EXPECT_EQ(Bits(Settings.AspectRatio), 0x3FCCCCCDu);
    EXPECT_FALSE(Load(Config("", "aspectratio=1.6\n")));

    // A later change of the locale is not seen: the separators are those of start-up.
    desktop.localeSeparators(".", ",");
    EXPECT_FALSE(LoadSettings());
    EXPECT_EQ(desktop.calls(fake::Call::GetLocaleInfoA), 4u);  // two per InitialiseSettings
}

TEST_F(LoadSettingsTest, AcceptsANegativeRatio) {
    EXPECT_TRUE(Load(Config("", "aspectratio=-1.5\n")));
    EXPECT_EQ(Settings.AspectRatio, -1.5f);
}

}  // namespace
