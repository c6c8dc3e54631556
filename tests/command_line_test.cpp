#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/command_line.h"

namespace {

struct Split {
    std::string line;
    std::vector<std::string> arguments;
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
    };
    for (const Split& row : rows) EXPECT_EQ(SplitCommandLine(row.line), row.arguments) << "line: " << row.line;
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
    for (const auto& [line, profile] : rows) EXPECT_EQ(ProfileArgument(line), profile) << "line: " << line;
}

}  // namespace
