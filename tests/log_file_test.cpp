// The log file: every line is in the file when it comes; only the count of a
// repetition waits, and not for long.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "diagnostics/error_box.h"
#include "diagnostics/log_file.h"
#include "diagnostics/trace.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/log_text.h"

namespace {

const char* const kLog = "C:\\Games\\fw.log";

void StartLog() {
    EnableLogFile();
    std::string failure;
    ASSERT_TRUE(StartLogFile(kLog, "C:\\Games\\framewright.ini", failure)) << failure;
}

// The lines after the header.
std::vector<std::string> Logged(const fake::Desktop& desktop) {
    const std::vector<std::string> lines = LogLines(desktop.fileContent(kLog));
    return std::vector<std::string>(lines.begin() + 1, lines.end());
}

// What the file lacks of the lines that came can only be the end of a repetition
// whose two copies are written: each line the same as the one P before it.
bool OnlyARepetitionWaits(const std::vector<std::string>& came, const std::vector<std::string>& written) {
    if (written.size() > came.size() || !std::equal(written.begin(), written.end(), came.begin())) return false;
    if (written.size() == came.size()) return true;
    for (std::size_t p = 1; p <= 16 && 2 * p <= written.size(); ++p) {
        bool copies = true;
        for (std::size_t i = written.size() - p; i < came.size() && copies; ++i) copies = came[i] == came[i - p];
        if (copies) return true;
    }
    return false;
}

// Whatever lines come, the log expanded by its counts gives them back in order; and
// after every line, the file holds all but the end of a repetition.
TEST(LogFile, ExpandsBackToEveryLineThatCame) {
    unsigned seed = 2026;
    auto next = [&seed](unsigned n) { seed = seed * 1103515245u + 12345u; return (seed >> 16) % n; };
    const std::string longLine(300, 'L');  // too long to count as a repeat
    std::size_t linesIn = 0, linesLogged = 0, ideal = 0;
    for (int round = 0; round < 300; ++round) {
        // Few letters: groups full of repeats of their own; many: groups like a cycle's lines.
        const unsigned letters = round % 2 == 0 ? 6 : 80;
        std::vector<std::string> in;
        // Stretches of a repeated group of 1 to 20 lines, or of loose lines.
        while (in.size() < 200) {
            std::vector<std::string> group;
            for (unsigned i = 0, n = 1 + next(20); i < n; ++i) {
                group.push_back(next(30) == 0 ? longLine : std::string(1, static_cast<char>('!' + next(letters))));
            }
            unsigned made = 0;
            for (unsigned copies = next(5); copies > 0; --copies, ++made) {
                const unsigned length = copies == 1 ? next(static_cast<unsigned>(group.size()) + 1)
                                                    : static_cast<unsigned>(group.size());
                in.insert(in.end(), group.begin(), group.begin() + length);
            }
            if (letters != 6 && made >= 4 && group.size() <= 16) ideal += (made - 3) * group.size() - 1;
        }
        fake::Desktop desktop;
        StartLog();
        std::vector<std::string> came;
        for (const std::string& line : in) {
            Trace(line);
            if (round >= 20) continue;
            came.push_back(line);
            ASSERT_TRUE(OnlyARepetitionWaits(came, ExpandCounts(Logged(desktop))))
                << "round " << round << ", line " << came.size();
        }
        CloseLogFile();

        const std::vector<std::string> logged = Logged(desktop);
        ASSERT_EQ(ExpandCounts(logged), in) << "round " << round;
        if (letters == 6) continue;
        linesIn += in.size();
        linesLogged += logged.size();
    }
    // Whole copies after the second, less a count line each, is what could be saved;
    // some are lost to long lines and to shorter repeats inside a group.
    EXPECT_GT(linesIn - linesLogged, ideal / 2) << "repeats collapsed";
}

// "A", "B" five times, 10 ms apart: two copies are written, the other three counted;
// what comes next decides when the count is written.
TEST(LogFile, TheCountWaitsForNoMoreThanASecond) {
    const std::vector<std::string> twoCopies = {"A", "B", "A", "B"};
    const std::string count = "(the last 2 lines repeated 3 more times)";
    struct Row {
        const char* label;
        std::function<void(fake::Desktop&)> then;
        std::vector<std::string> after;  // the lines after the two copies
    };
    auto quiet = [](std::int64_t ms) {
        return [ms](fake::Desktop& desktop) {
            desktop.advanceTo(desktop.now() + ms);
            LogTick();
        };
    };
    const Row rows[] = {
        {"another line", [](fake::Desktop&) { Trace("C"); }, {count, "C"}},
        {"an error box", [](fake::Desktop&) { ShowErrorBox("Stop"); }, {count, "Error box: Stop"}},
        {"the end of the log", [](fake::Desktop&) { CloseLogFile(); }, {count}},
        {"a second of nothing", quiet(1000), {count}},
        {"less than a second", quiet(990), {}},
        {"a copy under way, then a second",
         [&](fake::Desktop& desktop) {
             Trace("A");
             quiet(1000)(desktop);
         },
         {count, "A"}},
        {"the same lines after the second: written twice again",
         [&](fake::Desktop& desktop) {
             quiet(1000)(desktop);
             for (const char* line : {"A", "B", "A", "B", "A", "B"}) Trace(line);
             CloseLogFile();
         },
         {count, "A", "B", "A", "B", "(the last 2 lines repeated 1 more times)"}},
    };
    for (const Row& row : rows) {
        fake::Desktop desktop;
        StartLog();
        for (int i = 0; i < 10; ++i) {
            desktop.advanceTo(desktop.now() + 10);
            Trace(i % 2 == 0 ? "A" : "B");
        }
        row.then(desktop);
        std::vector<std::string> expected = twoCopies;
        expected.insert(expected.end(), row.after.begin(), row.after.end());
        EXPECT_EQ(Logged(desktop), expected) << row.label;
        if (row.after.size() == 1 && row.after[0] == count) {
            EXPECT_NE(desktop.fileContent(kLog).find("     100 ms  " + count), std::string::npos)
                << row.label << ": stamped when the last copy ended";
        }
        CloseLogFile();
    }
}

// Two launchers sharing a log append line by line: a line in more than one write
// could be cut by the other's. The stack's buffer takes 1,009 bytes of text.
TEST(LogFile, EveryLineIsOneWriteWhateverItsLength) {
    fake::Desktop desktop;
    StartLog();
    for (std::size_t length : {1u, 1009u, 1010u, 40000u}) {
        const std::string line(length, static_cast<char>('a' + length % 26));
        const std::uint64_t before = desktop.calls(fake::Call::WriteFile);
        Trace(line);
        EXPECT_EQ(desktop.calls(fake::Call::WriteFile) - before, 1u) << length << " bytes";
        EXPECT_EQ(Logged(desktop).back(), line) << length << " bytes";
    }
    CloseLogFile();
}

}  // namespace
