// The supervision loop runs every 10 ms for as long as the program runs: once the
// configuration is loaded, its cycles must not touch the heap.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>
#include <utility>

#include "diagnostics/log_file.h"
#include "settings/settings.h"
#include "supervisor/supervisor.h"
#include "tests/support/fake_desktop.h"

namespace {
bool Counting = false;
std::size_t Allocations = 0;
bool FailNextAllocation = false;
}  // namespace

// The replacements pair malloc with free; GCC cannot see that once they are inlined.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    if (Counting) ++Allocations;
    if (FailNextAllocation) {
        FailNextAllocation = false;
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

using fake::aProgram;
using fake::aWindow;

namespace {

const char* const kGame = "C:\\Games\\game.exe";

class LoopAllocations : public ::testing::Test {
protected:
    void SetUp() override {
        InitialiseSettings();
        Settings.ProgramFile = kGame;
        Settings.ProgramPath = "C:\\Games";
        Settings.FindByPid = true;
        Settings.FindByName = true;
        Settings.NameMask = "*Game*";
        Settings.FirstResizeDelayMs = 10;
        Settings.FirstResizeTimeoutMs = 1000000;
        Settings.WindowWidth = 800;
        Settings.WindowHeight = 600;
        Settings.LockWindow = true;
        Settings.MoveWindow = MoveWindowMode::Centre;
        Settings.AlwaysMoveWindow = true;
        DisplayWidth = 1920;
        DisplayHeight = 1080;
    }

    // Counts the allocations made between two moments of the virtual clock.
    void countBetween(std::int64_t fromMs, std::int64_t toMs) {
        desktop.at(fromMs, [] { Allocations = 0; Counting = true; });
        desktop.at(toMs, [] { Counting = false; });
    }

    fake::Desktop desktop;
};

TEST_F(LoopAllocations, SearchingOverManyWindowsAllocatesNothing) {
    for (int i = 0; i < 1000; ++i) desktop.addWindow(aWindow().withTitle("Some other program").ownedBy(8));
    desktop.program(kGame, aProgram().running(3000).showing(aWindow().withTitle("The Game").appearingAfter(2000)));
    countBetween(100, 1900);
    RunTargetProgram();
    EXPECT_EQ(Allocations, 0u);
}

TEST_F(LoopAllocations, LockingAWindowAllocatesNothing) {
    desktop.program(kGame, aProgram().running(60000).showing(aWindow().withTitle("The Game")));
    countBetween(1000, 59000);
    RunTargetProgram();
    EXPECT_EQ(Allocations, 0u);
}

TEST_F(LoopAllocations, KeepingTheCursorTopmostAndTheSurroundWithAPauseKeyAllocatesNothing) {
    Settings.ClipCursor = Settings.Topmost = Settings.Surround = true;
    Settings.PauseKey = {0x2, 0x7B};
    desktop.program(kGame, aProgram().running(60000).showing(aWindow().withTitle("The Game")));
    countBetween(1000, 59000);
    RunTargetProgram();
    EXPECT_EQ(Allocations, 0u);
    EXPECT_EQ(desktop.calls(fake::Call::ClipCursor), 1u) << "one in a minute: no churn";
}

// With a log file: the cycles that only repeat what the log has write nothing either.
TEST_F(LoopAllocations, WithALogRepeatingCyclesAllocateAndWriteNothing) {
    for (int i = 0; i < 1000; ++i) desktop.addWindow(aWindow().withTitle("Some other program").ownedBy(8));
    desktop.program(kGame, aProgram().running(30000).showing(aWindow().withTitle("The Game").appearingAfter(2000)));
    EnableLogFile();
    std::string failure;
    ASSERT_TRUE(StartLogFile("C:\\Games\\fw.log", "C:\\Games\\framewright.ini", failure));
    std::uint64_t searchWrites = 0, lockWrites = 0;
    desktop.at(100, [&] { searchWrites = desktop.calls(fake::Call::WriteFile); });
    desktop.at(1900, [&] { searchWrites = desktop.calls(fake::Call::WriteFile) - searchWrites; });
    desktop.at(3000, [&] { lockWrites = desktop.calls(fake::Call::WriteFile); });
    desktop.at(29000, [&] { lockWrites = desktop.calls(fake::Call::WriteFile) - lockWrites; });
    countBetween(100, 1900);
    std::size_t searching = 0;
    desktop.at(1901, [&] { searching = Allocations; });
    countBetween(3000, 29000);
    RunTargetProgram();
    CloseLogFile();
    EXPECT_EQ(searching, 0u);
    EXPECT_EQ(Allocations, 0u);
    EXPECT_EQ(searchWrites, 0u);
    EXPECT_EQ(lockWrites, 0u);
}

// The lock fighting a program, with a log open: a frame put back every cycle
// (borderless=1), or a window that refuses its size, are placed again every cycle.
TEST_F(LoopAllocations, FightingAProgramInTheLockAllocatesNothing) {
    constexpr std::uint32_t kOverlappedWindow = 0x14CF0000u;
    struct Row { const char* label; bool borderless; fake::WindowSpec window; };
    const Row rows[] = {
        {"frame put back every cycle", true, aWindow().withTitle("The Game").at(0, 0, 816, 639).client(800, 600)},
        {"size refused", false, aWindow().withTitle("The Game").maxSize(640, 480)},
    };
    EnableLogFile();
    std::string failure;
    ASSERT_TRUE(StartLogFile("C:\\Games\\fw.log", "C:\\Games\\framewright.ini", failure));
    for (const Row& row : rows) {
        Settings.Borderless = row.borderless;
        const std::int64_t start = desktop.now();
        desktop.program(kGame, aProgram().running(25000).showing(row.window));
        for (std::int64_t ms = 1000; row.borderless && ms < 25000; ms += 10) {
            desktop.at(start + ms, [this] { desktop.setWindowStyle(desktop.windowOfLastLaunch(), kOverlappedWindow); });
        }
        std::uint64_t placements = 0;
        // From the third fight on, when the log has written its line twice.
        desktop.at(start + 1100, [&] { placements = desktop.calls(fake::Call::SetWindowPos); });
        desktop.at(start + 24000, [&] { placements = desktop.calls(fake::Call::SetWindowPos) - placements; });
        countBetween(start + 1100, start + 24000);
        RunTargetProgram();
        EXPECT_GE(placements, 2000u) << row.label << ": placed again in every cycle";
        EXPECT_EQ(Allocations, 0u) << row.label;
    }
    CloseLogFile();
}

// A line too long for the stack's buffer (a store's command line) grows the log's
// buffer once, and later lines that fit it allocate nothing. The disk is full, so
// that the file's growth in the simulated desktop is not counted.
TEST_F(LoopAllocations, ALongLogLineGrowsTheBufferOnce) {
    desktop.diskFull();
    EnableLogFile();
    std::string failure;
    ASSERT_TRUE(StartLogFile("C:\\Games\\fw.log", "C:\\Games\\framewright.ini", failure));
    const std::string shortLine(1000, 's'), longLine(40000, 'L'), shorterLong(5000, 'l');
    const std::pair<const std::string*, std::size_t> lines[] = {
        {&shortLine, 0}, {&longLine, 1}, {&longLine, 0}, {&shorterLong, 0}, {&shortLine, 0}};
    for (const auto& [line, allocations] : lines) {
        Allocations = 0;
        Counting = true;
        LogTraceLine(*line);
        Counting = false;
        EXPECT_EQ(Allocations, allocations) << line->size() << " bytes";
    }
    CloseLogFile();
}

// Out of memory for the buffer, the long line still reaches the file whole.
TEST_F(LoopAllocations, ALongLogLineOutOfMemoryIsWrittenAllTheSame) {
    EnableLogFile();
    std::string failure;
    ASSERT_TRUE(StartLogFile("C:\\Games\\fw.log", "C:\\Games\\framewright.ini", failure));
    const std::string line(40000, 'L');
    FailNextAllocation = true;
    LogTraceLine(line);
    EXPECT_FALSE(FailNextAllocation) << "the buffer was asked for";
    LogTraceLine("after");
    CloseLogFile();
    EXPECT_NE(desktop.fileContent("C:\\Games\\fw.log").find(" ms  " + line + "\r\n       0 ms  after\r\n"),
              std::string::npos);
}

// Another program confines the cursor in every cycle, the launcher too.
TEST_F(LoopAllocations, FightingAnotherProgramForTheCursorAllocatesNothing) {
    const platform::Rect elsewhere{0, 0, 300, 300};
    Settings.ClipCursor = true;
    desktop.program(kGame, aProgram().running(25000).showing(aWindow().withTitle("The Game")));
    for (std::int64_t ms = 1000; ms < 25000; ms += 10) {
        desktop.at(ms, [&] { desktop.clipByAnotherProgram(&elsewhere); });
    }
    countBetween(1100, 24000);
    RunTargetProgram();
    EXPECT_GE(desktop.calls(fake::Call::ClipCursor), 2000u) << "confined again in every cycle";
    EXPECT_EQ(Allocations, 0u);
}

TEST_F(LoopAllocations, FollowingChildrenAllocatesNothing) {
    const char* const stub = "C:\\Games\\start.exe";
    for (int i = 0; i < 1000; ++i) desktop.addWindow(aWindow().withTitle("Some other program").ownedBy(8));
    desktop.program(kGame, aProgram().running(30000).showing(aWindow().withTitle("The Game").appearingAfter(2000)));
    desktop.program(stub, aProgram().running(10).starting(kGame));
    Settings.ProgramFile = stub;
    Settings.FollowChildren = true;
    countBetween(100, 1900);
    std::size_t searching = 0;
    desktop.at(1901, [&] { searching = Allocations; });
    countBetween(3000, 29000);
    RunTargetProgram();
    EXPECT_EQ(searching, 0u);
    EXPECT_EQ(Allocations, 0u);
    EXPECT_GE(desktop.now(), 30000) << "the loop ran until the game ended";
}

// A job that outgrows the list: it grows then, and not in the cycles after.
TEST_F(LoopAllocations, FollowingAJobThatStoppedGrowingAllocatesNothing) {
    const char* const stub = "C:\\Games\\start.exe";
    const char* const helper = "C:\\Games\\helper.exe";
    desktop.program(kGame, aProgram().running(30000).showing(aWindow().withTitle("The Game").appearingAfter(2000)));
    desktop.program(helper, aProgram().running(30000));
    fake::ProgramSpec manyHelpers = aProgram().running(300);
    for (int i = 0; i < 200; ++i) manyHelpers.starting(helper, i);
    desktop.program(stub, manyHelpers.starting(kGame));
    Settings.ProgramFile = stub;
    Settings.FollowChildren = true;
    countBetween(3000, 29000);
    RunTargetProgram();
    EXPECT_EQ(Allocations, 0u);
    EXPECT_GE(TargetJobProcesses.ids.size(), 202u) << "the stub, its helpers and the game";
    EXPECT_GE(desktop.now(), 30000) << "the loop ran until the game ended";
}

}  // namespace

namespace {

// A day of 10 ms cycles: 8.64 million lock checks (each cycle also waits 1 ms here).
TEST_F(LoopAllocations, ADayOfLockingGrowsNeitherMemoryNorHandles) {
    const std::int64_t day = 8640000LL * 11;
    desktop.program(kGame, aProgram().running(day).showing(aWindow().withTitle("The Game")));
    int handlesAtStart = -1, handlesAtEnd = -1;
    desktop.at(60000, [&] { handlesAtStart = desktop.openHandleCount(); });
    desktop.at(day - 1000, [&] { handlesAtEnd = desktop.openHandleCount(); });
    countBetween(60000, day - 1000);
    RunTargetProgram();
    EXPECT_EQ(desktop.calls(fake::Call::Sleep), 8640000u);
    EXPECT_EQ(Allocations, 0u);
    EXPECT_EQ(handlesAtStart, 3) << "the process, its thread and the mark that it is supervised";
    EXPECT_EQ(handlesAtEnd, handlesAtStart);
    EXPECT_EQ(desktop.openHandleCount(), 0);
}

}  // namespace
