// Faults from the outside world: the launcher must still do the right thing, close
// what it opened and end with exit code 0 when the program ends.
#include <gtest/gtest.h>

#include <memory>

#include "app/entry.h"
#include "settings/settings.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/trace_capture.h"

using fake::aProgram;
using fake::aWindow;
using fake::Call;

namespace {

const char* const kIniPath = "C:\\Launch\\framewright.ini";
const char* const kGame = "C:\\Games\\game.exe";

std::string Ini(const std::string& findMethod = "pidonly", int timeoutMs = 200, const std::string& extra = "") {
    return "[program]\npath=C:\\Games\nname=game.exe\n"
           "[windowresize]\nwindowfindmethod=" + findMethod + "\nfirstresizedelayms=50\nfirstresizetimeoutms=" +
           std::to_string(timeoutMs) +
           "\nwindowwidth=800\nwindowheight=600\nmovewindow=centre\nscalingmethod=defined\nlockwindow=1\n" + extra;
}

std::string CommentLines(std::size_t bytes) {
    const std::string line = "; " + std::string(77, 'c') + "\r\n";
    std::string text;
    text.reserve(bytes + line.size());
    while (text.size() < bytes) text += line;
    return text;
}

class Faults : public ::testing::Test {
protected:
    void SetUp() override { desktop.workingDirectory("C:\\Launch"); }

    int run() {
        InitialiseSettings();
        int exitCode = RunEntryFlow();
        FinaliseSettings();
        return exitCode;
    }

    // The target window's left edge at a moment of the run, before the program ends.
    void leftEdgeAt(std::int64_t ms) {
        auto left = std::make_shared<std::int32_t>(-1);
        desktop.at(ms, [this, left] { *left = desktop.windowRect(desktop.windowOfLastLaunch()).left; });
        leftEdges.push_back(left);
    }

    fake::Desktop desktop;
    TraceCapture trace;
    std::vector<std::shared_ptr<std::int32_t>> leftEdges;
};

TEST_F(Faults, ProgramEndingWhileTheTimeoutBoxIsOpen) {
    // Found only at the time-out, the window vanishes before its one attempt.
    desktop.file(kIniPath, Ini("pidonly", 100));
    desktop.boxesStayOpenFor(60000);
    desktop.program(kGame, aProgram().running(10000).exitingWith(4).showing(aWindow().appearingAfter(100)));
    desktop.beforeNext(Call::SetWindowPos, [&] { desktop.destroyWindow(desktop.windowOfLastLaunch()); });
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(desktop.boxTexts(), std::vector<std::string>{"Failed to resize the target window, timed out. Giving up."});
    EXPECT_TRUE(trace.contains("Program stopped with exit code: 4"));
    EXPECT_EQ(desktop.openHandleCount(), 0);
}

TEST_F(Faults, ProgramThatHandsOverToAChildAndEndsAtOnce) {
    desktop.file(kIniPath, Ini());
    desktop.program(kGame, aProgram().running(30).showing(aWindow().ownedBy(9999).withTitle("Child's window")));
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(desktop.boxes().empty()) << "the child's window is not ours; nothing is resized";
    EXPECT_EQ(desktop.calls(Call::SetWindowPos), 0u);
    EXPECT_EQ(desktop.openHandleCount(), 0);
}

TEST_F(Faults, IniRemovedBetweenItsExistenceTestAndItsReading) {
    desktop.file(kIniPath, Ini());
    // The loader's own test passes; the file is gone by the time the reader looks.
    desktop.beforeNext(Call::GetFileAttributesW, [&] {
        desktop.beforeNext(Call::GetFileAttributesW, [&] { desktop.removeFile(kIniPath); });
    });
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(desktop.boxTexts(), (std::vector<std::string>{
                                      "Invalid settings: windowresize->windowfindmethod is not a legal value",
                                      "Failed to load settings; please check the configuration file."}));
    EXPECT_EQ(desktop.calls(Call::CreateFileW), 0u);
}

TEST_F(Faults, HugeIniFilesLoadAndKeepTheirKeys) {
    struct Case { const char* label; std::string padding; };
    const Case cases[] = {
        {"50 MB of comment lines", CommentLines(50 << 20)},
        {"one 10 MB line", "junk=" + std::string(10 << 20, 'x') + "\n"},
    };
    for (const Case& c : cases) {
        std::string ini = Ini();
        ini.insert(ini.find("[windowresize]") + 15, c.padding);
        desktop.file(kIniPath, ini);
        desktop.program(kGame, aProgram().running(100).showing(aWindow()));
        std::size_t before = desktop.boxes().size();
        leftEdgeAt(desktop.now() + 90);
        EXPECT_EQ(run(), 0) << c.label;
        EXPECT_EQ(desktop.boxes().size(), before) << c.label;
        EXPECT_EQ(*leftEdges.back(), 560) << c.label << ": the window was centred";
    }
}

TEST_F(Faults, ManyTopLevelWindowsAndAVeryLongTitle) {
    desktop.file(kIniPath, Ini("nameonly", 200, "namemask=*Game window\n"));
    for (int i = 0; i < 10000; ++i) desktop.addWindow(aWindow().withTitle("Other " + std::to_string(i)).ownedBy(8));
    desktop.addWindow(aWindow().withTitle(std::string(100000, 'T')).ownedBy(8));
    desktop.program(kGame, aProgram().running(300).showing(aWindow().withTitle("Game window").belowOthers()));
    leftEdgeAt(290);
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(desktop.boxes().empty());
    EXPECT_EQ(*leftEdges.back(), 560) << "found below 10,001 windows and centred";
}

TEST_F(Faults, WindowThatRefusesEverySizeIsReappliedUntilTheProgramEnds) {
    desktop.file(kIniPath, Ini());
    desktop.program(kGame, aProgram().running(1000).showing(aWindow().refusingPlacement()));
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(desktop.boxes().empty()) << "the system accepted every call";
    EXPECT_GT(desktop.calls(Call::SetWindowPos), 80u);
    EXPECT_EQ(desktop.openHandleCount(), 0);
}

}  // namespace
