#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text.h"
#include "settings/command_line.h"

namespace {

const LeadBytes kSingleByte;
// Code page 932 (Shift-JIS): "\x83\x5C" is the katakana so, whose second byte is a backslash.
const LeadBytes kShiftJis = LeadBytesOf(platform::CodePageInfo{2, {0x81, 0x9F, 0xE0, 0xFC}});

struct Split {
    std::string line;
    std::vector<std::string> arguments;
    const LeadBytes& leadBytes = kSingleByte;
};

// Each row's arguments are what CommandLineToArgvW gives under Wine.
TEST(SplitCommandLine, FollowsTheWindowsRules) {
    const Split rows[] = {
        {"fw.exe", {"fw.exe"}},
        {R"("C:\Program Files\fw.exe" "C:\some folder\game one.ini")",
         {R"(C:\Program Files\fw.exe)", R"(C:\some folder\game one.ini)"}},
        {"fw.exe \t a\t\tb  ", {"fw.exe", "a", "b"}},
        {R"(fw.exe a\\"b c")", {"fw.exe", R"(a\b c)"}},
        {R"(fw.exe a\"b)", {"fw.exe", R"(a"b)"}},
        {R"(fw.exe a\\\"b)", {"fw.exe", R"(a\"b)"}},
        {R"(fw.exe a\b\\c)", {"fw.exe", R"(a\b\\c)"}},
        {R"(fw.exe "a b\" c")", {"fw.exe", R"(a b" c)"}},
        {R"(fw.exe "a""b")", {"fw.exe", R"(a"b)"}},
        {R"(fw.exe a"""b c)", {"fw.exe", R"(a"b)", "c"}},
        {R"(fw.exe "a""""b")", {"fw.exe", R"(a"b)"}},
        {R"(fw.exe "")", {"fw.exe", ""}},
        {R"("fw .exe"x y)", {"fw .exe", "x", "y"}},  // the program name ends at its quote
        {R"(fw\"x.exe y)", {R"(fw\"x.exe)", "y"}},   // and has no escapes
        // A double-byte character is one character, whatever its second byte.
        {"fw.exe \"D:\\\x83\x5C\" game.ini", {"fw.exe", "D:\\\x83\x5C", "game.ini"}, kShiftJis},
        {"fw.exe \"D:\\\x83\x5C\" game.ini", {"fw.exe", "D:\\\x83\" game.ini"}},  // the same bytes in 1252
        {"fw.exe a\x83", {"fw.exe", "a\x83"}, kShiftJis},  // a lead byte at the very end
    };
    for (const Split& row : rows) {
        EXPECT_EQ(SplitCommandLine(row.line, row.leadBytes), row.arguments) << "line: " << row.line;
    }
}

TEST(ProfileArgument, IsTheFirstIniArgumentAfterTheProgramName) {
    const std::pair<std::string, std::string> rows[] = {
        {"framewright.exe", ""},
        {"framewright.exe -fullscreen game", ""},
        {"framewright.exe game.ini", "game.ini"},
        {R"(framewright.exe "C:\some folder\game one.INI" other.ini)", R"(C:\some folder\game one.INI)"},
        {"framewright.exe --log x.inix b.Ini", "b.Ini"},
        {"settings.ini", ""},  // the program name is never the profile
        {"framewright.exe .ini", ".ini"},
    };
    for (const auto& [line, profile] : rows) EXPECT_EQ(ProfileArgument(line, kSingleByte), profile) << "line: " << line;
}

// The launcher's own arguments end at the first "--" as written; the rest is the
// program's command line byte for byte, its first argument the program.
TEST(SplitLauncherCommandLine, TakesTheRestAfterTheDoubleDashVerbatim) {
    struct Row {
        std::string line;
        std::vector<std::string> own;
        bool given;
        std::string program, rest;
        const LeadBytes& leadBytes = kSingleByte;
    };
    const Row rows[] = {
        {R"(fw.exe game.ini -- "C:\some folder\target.exe" --title "a \"quoted\" title" x)", {"fw.exe", "game.ini"}, true,
         R"(C:\some folder\target.exe)", R"("C:\some folder\target.exe" --title "a \"quoted\" title" x)"},
        {R"(fw.exe -- "C:\dir\\" a\\\"b\ "c\\"d)", {"fw.exe"}, true, R"(C:\dir\\)", R"("C:\dir\\" a\\\"b\ "c\\"d)"},
        {"fw.exe --\t \tgame.exe\ta  b\t", {"fw.exe"}, true, "game.exe", "game.exe\ta  b\t"},
        {"fw.exe -- \t", {"fw.exe"}, true, "", ""},
        {R"(fw.exe -- "" x)", {"fw.exe"}, true, "", R"("" x)"},
        {R"(fw.exe "--" game.exe --""x)", {"fw.exe", "--", "game.exe", "--x"}, false, "", ""},
        {"fw.exe -- game.exe -- other.ini", {"fw.exe"}, true, "game.exe", "game.exe -- other.ini"},
        {"-- x", {"--", "x"}, false, "", ""},  // the program name is never the separator
        // Code page 932: the second byte 0x5C of a character before a quote is no escape,
        // so the quoted part ends there and "--" is found, in the rest's program too.
        {"fw.exe \"D:\\\x83\x5C\" -- \"E:\\\x83\x5C\" x", {"fw.exe", "D:\\\x83\x5C"}, true, "E:\\\x83\x5C",
         "\"E:\\\x83\x5C\" x", kShiftJis},
    };
    for (const Row& row : rows) {
        const LauncherArguments split = SplitLauncherCommandLine(row.line, row.leadBytes);
        EXPECT_EQ(split.own, row.own) << "line: " << row.line;
        EXPECT_EQ(split.launch.given, row.given) << "line: " << row.line;
        EXPECT_EQ(split.launch.program, row.program) << "line: " << row.line;
        EXPECT_EQ(split.launch.commandLine, row.rest) << "line: " << row.line;
    }
    EXPECT_EQ(ProfileArgument("fw.exe -- game.exe other.ini", kSingleByte), "") << "a profile after -- is the program's";
}

// Another mode only from the first argument after the program name.
TEST(SplitLauncherCommandLine, TakesTheModeFromTheFirstArgument) {
    struct Row {
        std::string line;
        LauncherMode mode;
        std::string attachProcess, watchFolder, profile;
    };
    const Row rows[] = {
        {R"(fw.exe --attach 1234 "C:\p\game.ini")", LauncherMode::Attach, "1234", "", R"(C:\p\game.ini)"},
        {"fw.exe --ATTACH game.ini", LauncherMode::Attach, "", "", "game.ini"},
        {"fw.exe game.ini --attach 1234", LauncherMode::Launch, "", "", "game.ini"},
        {R"(fw.exe --watch "C:\my profiles")", LauncherMode::Watch, "", R"(C:\my profiles)", ""},
        {"fw.exe --watch", LauncherMode::Watch, "", "", ""},
        {"fw.exe --Watch --Stop", LauncherMode::StopWatch, "", "", ""},
        {"fw.exe -- --watch", LauncherMode::Launch, "", "", ""},
    };
    for (const Row& row : rows) {
        const LauncherArguments split = SplitLauncherCommandLine(row.line, kSingleByte);
        EXPECT_EQ(split.mode, row.mode) << "line: " << row.line;
        EXPECT_EQ(split.attachProcess, row.attachProcess) << "line: " << row.line;
        EXPECT_EQ(split.watchFolder, row.watchFolder) << "line: " << row.line;
        EXPECT_EQ(split.profile, row.profile) << "line: " << row.line;
    }
}

}  // namespace
