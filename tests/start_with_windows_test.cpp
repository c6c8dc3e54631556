// The watch started with Windows: the Run value read and chosen, never replacing
// another watch's value unless the user chose to.
#include <gtest/gtest.h>

#include "tests/support/fake_desktop.h"
#include "watch/start_with_windows.h"

namespace {

const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kExe[] = "C:\\Tools\\framewright.exe";
const char kFolder[] = "C:\\Games\\Profiles";

TEST(StartWithWindows, ReadsTheValueAsWindowsComparesPaths) {
    struct Row {
        const char* value;  // empty: none
        StartWithWindows expected;
    } rows[] = {
        {"", StartWithWindows::Off},
        {"\"C:\\Tools\\framewright.exe\" --watch \"C:\\Games\\Profiles\"", StartWithWindows::ThisWatch},
        {"\"c:\\tools\\.\\FRAMEWRIGHT.EXE\" --WATCH \"c:\\games\\x\\..\\profiles\\\\\"", StartWithWindows::ThisWatch},
        {"C:\\Tools\\framewright.exe --watch C:\\Games\\Profiles", StartWithWindows::ThisWatch},
        {"\"C:\\Tools\\framewright.exe\" --watch \"C:\\Games\\Other\"", StartWithWindows::Other},
        {"\"D:\\Old\\framewright.exe\" --watch \"C:\\Games\\Profiles\"", StartWithWindows::Other},
        {"\"C:\\Tools\\framewright.exe\" \"C:\\Games\\Profiles\\game.ini\"", StartWithWindows::Other},
    };
    for (const Row& row : rows) {
        fake::Desktop desktop;
        if (*row.value != '\0') desktop.setRegistryValue(kRun, "framewright", row.value);
        EXPECT_EQ(ReadStartWithWindows(kExe, kFolder), row.expected) << row.value;
    }
}

TEST(StartWithWindows, ChoosingWritesOrRemovesOnlyWhatItOwns) {
    fake::Desktop desktop;
    ASSERT_TRUE(ChooseStartWithWindows(true, kExe, "C:\\Games\\Profiles\\"));
    EXPECT_EQ(desktop.registryValue(kRun, "Framewright"),
              "\"C:\\Tools\\framewright.exe\" --watch \"C:\\Games\\Profiles\"");
    EXPECT_EQ(ReadStartWithWindows(kExe, kFolder), StartWithWindows::ThisWatch);

    // Another folder's watch unchecks nothing of ours; this one's removes it.
    EXPECT_TRUE(ChooseStartWithWindows(false, kExe, "C:\\Other"));
    EXPECT_EQ(ReadStartWithWindows(kExe, kFolder), StartWithWindows::ThisWatch);
    EXPECT_TRUE(ChooseStartWithWindows(false, kExe, kFolder));
    EXPECT_EQ(ReadStartWithWindows(kExe, kFolder), StartWithWindows::Off);

    // Chosen, it replaces another watch's value.
    desktop.setRegistryValue(kRun, "Framewright", "\"D:\\framewright.exe\" --watch \"D:\\P\"");
    ASSERT_TRUE(ChooseStartWithWindows(true, kExe, kFolder));
    EXPECT_EQ(ReadStartWithWindows(kExe, kFolder), StartWithWindows::ThisWatch);
}

TEST(StartWithWindows, ADrivesRootSurvivesTheQuoting) {
    fake::Desktop desktop;
    ASSERT_TRUE(ChooseStartWithWindows(true, kExe, "D:\\"));
    EXPECT_EQ(desktop.registryValue(kRun, "Framewright"), "\"C:\\Tools\\framewright.exe\" --watch \"D:\\\\\"");
    EXPECT_EQ(ReadStartWithWindows(kExe, "D:\\"), StartWithWindows::ThisWatch);
}

}  // namespace
