#include <gtest/gtest.h>

#include "settings/settings.h"
#include "supervisor/supervisor.h"
#include "tests/support/fake_desktop.h"

TEST(InitialiseSettings, PutsTheConfigFileInTheWorkingDirectory) {
    struct Case { const char* directory; const char* expected; };
    for (const Case& c : {Case{"D:\\Play\\Old", "D:\\Play\\Old\\framewright.ini"},
                          Case{"C:\\", "C:\\\\framewright.ini"}}) {
        fake::Desktop desktop;
        desktop.workingDirectory(c.directory);
        InitialiseSettings();
        EXPECT_EQ(Settings.ConfigFileName, c.expected) << c.directory;
    }
}

TEST(InitialiseSettings, LeavesConfigurationDefaultsToTheLoader) {
    fake::Desktop desktop;
    Settings.AutodetectBorderSize = true;
    Settings.BorderWidth = -1;
    TargetWindow = 42;
    InitialiseSettings();
    EXPECT_FALSE(Settings.AutodetectBorderSize);
    EXPECT_EQ(Settings.BorderWidth, 0);
    EXPECT_EQ(Settings.BorderHeight, 0);
    EXPECT_EQ(Settings.AspectRatio, 0.0f);
    EXPECT_TRUE(NeedToFindWindow());
    EXPECT_EQ(TargetWindow, 0xFFFFFFFFu);
}
