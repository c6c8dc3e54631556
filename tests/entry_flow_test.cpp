#include <gtest/gtest.h>

#include <new>

#include "app/entry.h"
#include "diagnostics/error_box.h"
#include "diagnostics/exceptions.h"
#include "settings/settings.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/trace_capture.h"

using fake::aProgram;
using fake::aWindow;
using fake::Call;

namespace {

const char* const kValidIni =
    "[program]\n"
    "path=C:\\Games\\Old\n"
    "name=game.exe\n"
    "[windowresize]\n"
    "windowfindmethod=pidonly\n"
    "firstresizedelayms=100\n"
    "firstresizetimeoutms=1000\n"
    "windowwidth=800\n"
    "windowheight=600\n"
    "movewindow=centre\n"
    "scalingmethod=defined\n";

class EntryFlow : public ::testing::Test {
protected:
    void SetUp() override { desktop.workingDirectory("C:\\Launch"); }

    int run() {
        InitialiseSettings();
        return RunEntryFlow();
    }

    fake::Desktop desktop;
    TraceCapture trace;
};

TEST_F(EntryFlow, NormalRunShowsNoBoxAndEndsWithZero) {
    desktop.file("C:\\Launch\\framewright.ini", kValidIni);
    desktop.program("C:\\Games\\Old\\game.exe", aProgram().running(2000).exitingWith(1).showing(aWindow()));
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(desktop.boxes().empty());
    EXPECT_EQ(trace.lines().front(), "Loading settings from: C:\\Launch\\framewright.ini");
    EXPECT_TRUE(trace.contains("*** Launching program ***"));
    EXPECT_TRUE(trace.contains("Program stopped with exit code: 1"));
    EXPECT_EQ(trace.lines().back(), "*** Program finished, exiting ***");
    EXPECT_EQ(desktop.openHandleCount(), 0);
}

TEST_F(EntryFlow, RejectedSettingsShowTheirBoxThenTheLoadFailureAndStartNothing) {
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(desktop.boxTexts(), (std::vector<std::string>{
                                      "Cannot find the configuration file: C:\\Launch\\framewright.ini",
                                      "Failed to load settings; please check the configuration file."}));
    EXPECT_EQ(desktop.calls(Call::GetSystemMetrics), 0u);
    EXPECT_EQ(desktop.calls(Call::CreateProcessA), 0u);
    EXPECT_FALSE(trace.contains("*** Launching program ***"));
}

TEST_F(EntryFlow, ProgramThatCannotStartShowsOnlyItsBox) {
    desktop.file("C:\\Launch\\framewright.ini", kValidIni);
    desktop.program("C:\\Games\\Old\\game.exe", aProgram().failingToStart());
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(desktop.boxTexts(), std::vector<std::string>{"Failed to execute program: C:\\Games\\Old\\game.exe"});
    EXPECT_EQ(trace.lines().back(), "*** Program finished, exiting ***");
}

TEST_F(EntryFlow, FileHeldOpenForWritingReachesTheExceptionReport) {
    desktop.fileHeldForWriting("C:\\Launch\\framewright.ini", kValidIni);
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(desktop.boxTexts(),
              std::vector<std::string>{"Internal exception, please contact the developer:\r\n"
                                       "EFOpenError: Unable to open file \"C:\\Launch\\framewright.ini\""});
    EXPECT_FALSE(trace.contains("*** Program finished, exiting ***"));
}

TEST_F(EntryFlow, ArithmeticErrorInTheLoopReachesTheReportWhileTheProgramRuns) {
    std::string ini = kValidIni;
    ini.replace(ini.find("scalingmethod=defined"), 21, "scalingmethod=displayscale\nscale=50\nmaintainaspectratio=1");
    desktop.file("C:\\Launch\\framewright.ini", ini);
    desktop.program("C:\\Games\\Old\\game.exe", aProgram().running(5000).showing(aWindow().at(0, 0, 300, 39).client(300, 0)));
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(desktop.boxTexts(), std::vector<std::string>{"Internal exception, please contact the developer:\r\n"
                                                           "EDivByZero: Division by zero"});
    EXPECT_LT(desktop.now(), 5000) << "the launcher ends while the program keeps running";
}

TEST(ExceptionReport, ShowsClassAndMessageOnTheSecondLine) {
    fake::Desktop desktop;
    struct Case { const char* label; void (*raise)(); const char* expected; };
    const Case cases[] = {
        {"empty message", [] { throw EMathError(""); }, "EMathError: "},
        {"invalid operation", [] { throw EInvalidOp(); }, "EInvalidOp: Invalid floating point operation"},
        {"overflow", [] { throw EOverflow(); }, "EOverflow: Floating point overflow"},
        {"out of memory", [] { throw std::bad_alloc(); }, "EOutOfMemory: Out of memory"},
    };
    for (const Case& c : cases) {
        desktop.beforeNext(Call::GetFileAttributesW, c.raise);
        InitialiseSettings();
        EXPECT_EQ(RunEntryFlow(), 0) << c.label;
        EXPECT_EQ(desktop.boxTexts().back(),
                  std::string("Internal exception, please contact the developer:\r\n") + c.expected)
            << c.label;
    }
}

TEST(ErrorBox, PassesTheExactMessageBoxArguments) {
    fake::Desktop desktop;
    ShowErrorBox("");
    ShowErrorBox("Something failed");
    ASSERT_EQ(desktop.boxes().size(), 2u);
    for (const auto& box : desktop.boxes()) {
        EXPECT_EQ(box.caption, "Framewright Tool");
        EXPECT_EQ(box.type, 0x10u);
    }
    EXPECT_EQ(desktop.boxes()[0].text, "");
    EXPECT_EQ(desktop.boxes()[1].text, "Something failed");
}

}  // namespace
