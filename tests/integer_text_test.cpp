#include <gtest/gtest.h>

#include <string>

#include "settings/integer_text.h"

namespace {

using namespace std::string_literals;

struct Accepted {
    std::string text;
    std::int32_t expected;
};

TEST(ParseIntegerText, AcceptsEveryWrittenForm) {
    const Accepted rows[] = {
        {"42", 42}, {"+42", 42}, {"0042", 42}, {"-7", -7}, {"0", 0}, {"-0", 0},
        {"007", 7}, {"08", 8},  // a leading zero never means octal
        {" \t 12", 12}, {"\t-3", -3},
        {"$1F", 31}, {"0x1F", 31}, {"0X1f", 31}, {"x1F", 31}, {"X1f", 31}, {"$0", 0}, {"$00ff", 255},
        {"%101", 5}, {"&17", 15}, {"-$10", -16},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"$FFFFFFFF", -1}, {"$80000000", -2147483647 - 1}, {"-$FFFFFFFF", 1}, {"-$80000000", -2147483647 - 1},
        {"%11111111111111111111111111111111", -1}, {"&37777777777", -1},
        {"42\0abc"s, 42}, {"-5\0 "s, -5}, {"$1F\0G"s, 31},  // a NUL ends the digits
        {std::string(253, '0') + "42", 42},                 // 255 characters
    };
    for (const Accepted& row : rows) {
        std::int32_t value = 12345;
        EXPECT_TRUE(ParseIntegerText(row.text, value)) << "text: " << row.text;
        EXPECT_EQ(value, row.expected) << "text: " << row.text;
    }
}

TEST(ParseIntegerText, RejectsAnythingElseAndLeavesTheValue) {
    const std::string rows[] = {
        "", "-", "+", "$", "0x", "x", "%", "&", " ", "2147483648", "-2147483649", "$100000000",
        "&40000000000", "%2", "&8", "$G", "1.5", "1e3", "12abc", "0b101", "1 000", "42 ", "42\t",
        "+-1", "--1", "- 1", "$-1", "0x$1", "-0x", "00x1", "\v1", "\n1", "1,000", "\xEF\xBC\x91",
        "\0"s "42", "-\0"s "1", "0x\0"s "1",
        std::string(254, '0') + "42",              // 256 characters
        "1\0"s + std::string(300, ' '),            // too long even though a NUL ends it early
    };
    for (const std::string& text : rows) {
        std::int32_t value = 12345;
        EXPECT_FALSE(ParseIntegerText(text, value)) << "text: " << text;
        EXPECT_EQ(value, 12345) << "text: " << text;
    }
}

}  // namespace
