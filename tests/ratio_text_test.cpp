#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "settings/ratio_text.h"
#include "tests/support/fake_desktop.h"

namespace {

using namespace std::string_literals;

std::uint32_t Bits(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

constexpr NumberSeparators kPoint{'.', ','};
constexpr NumberSeparators kComma{',', '.'};
constexpr NumberSeparators kCommaAndSpace{',', ' '};
constexpr NumberSeparators kCommaTwice{',', ','};

constexpr std::uint32_t k16by9 = 0x3FE38E39;  // 1.7777778
constexpr std::uint32_t k4by3 = 0x3FAAAAAB;   // 1.3333334
constexpr std::uint32_t k1point6 = 0x3FCCCCCD;

struct Accepted {
    std::string text;
    NumberSeparators separators;
    std::uint32_t bits;
};

TEST(ParseAspectRatio, GivesTheExpectedFloatBits) {
    const Accepted rows[] = {
        {"", kPoint, 0},
        {"16:9", kPoint, k16by9},
        {"4:3", kPoint, k4by3},
        {"0:5", kPoint, 0},
        {"-4:3", kPoint, 0xBFAAAAAB},
        {"$10:9", kPoint, k16by9},
        {"16: 9", kPoint, k16by9},
        {"16777217:5", kPoint, 0x4A4CCCCD},  // W is a float first: exact 16777217/5 gives ...CCCE
        {"0", kPoint, 0},
        {"1.6", kPoint, k1point6},
        {"1,6", kComma, k1point6},
        {"1,6", kCommaAndSpace, k1point6},
        {"1,6", kCommaTwice, k1point6},
        {"1,6e1", kComma, 0x41800000},  // 16
        {"1.7777778", kPoint, k16by9},
        {"+2.5E-1", kPoint, 0x3E800000},
        {"-1.5", kPoint, 0xBFC00000},
        {"-0", kPoint, 0x80000000},
        {"1.5 ", kPoint, 0x3FC00000},
        {"\t1.5\0"s, kPoint, 0x3FC00000},
        {"0e999999999999", kPoint, 0},
        // Correct rounding, ties to even.
        {"16777217", kPoint, 0x4B800000},
        {"16777219", kPoint, 0x4B800002},
        {"16777217." + std::string(130, '0') + "1", kPoint, 0x4B800001},
        {"1.000000059604644775390625", kPoint, 0x3F800000},   // 1 + 2^-24, a tie
        {"1.0000000596046447753906251", kPoint, 0x3F800001},
        {"3.4028235e38", kPoint, 0x7F7FFFFF},
        {"3.4028235677973e38", kPoint, 0x7F7FFFFF},  // just below the overflow tie
        {"1.4e-45", kPoint, 0x00000001},
        {"7.1e-46", kPoint, 0x00000001},
    };
    for (const Accepted& row : rows) {
        float ratio = -99.0f;
        EXPECT_TRUE(ParseAspectRatio(row.text, row.separators, ratio)) << row.text;
        EXPECT_EQ(Bits(ratio), row.bits) << row.text << " gave " << ratio;
    }
}

struct Rejected {
    std::string text;
    NumberSeparators separators;
};

TEST(ParseAspectRatio, RejectsWhatHasNoSoundRatio) {
    const Rejected rows[] = {
        {"16:0", kPoint}, {"0:0", kPoint}, {":9", kPoint}, {"16:", kPoint}, {":", kPoint},
        {"16:9:1", kPoint}, {"16 :9", kPoint}, {"a:b", kPoint}, {"16:$", kPoint},
        {"1.6", kComma}, {"1.6", kCommaAndSpace}, {"1,6", kPoint}, {"1 6", kCommaAndSpace}, {"1,5,5", kComma},
        {".5", kPoint}, {"5.", kPoint}, {"1e", kPoint}, {"1e+", kPoint}, {"e5", kPoint}, {"--1", kPoint},
        {"1.2.3", kPoint}, {"0x1p3", kPoint}, {"1.5f", kPoint}, {"1_0", kPoint}, {"1\0" "5"s, kPoint},
        {"inf", kPoint}, {"Inf", kPoint}, {"-INF", kPoint}, {"infinity", kPoint}, {"NaN", kPoint},
        {"nan", kPoint},
        {"3.4028236e38", kPoint}, {"3.5e38", kPoint}, {"-1e39", kPoint}, {"1e999999999999", kPoint},
        {"7e-46", kPoint}, {"1e-50", kPoint}, {"1e-999999999999", kPoint},
    };
    for (const Rejected& row : rows) {
        float ratio = -99.0f;
        EXPECT_FALSE(ParseAspectRatio(row.text, row.separators, ratio)) << row.text;
    }
}

TEST(ReadLocaleSeparators, TakesTheLocaleOrFallsBackToPointAndComma) {
    {
        fake::Desktop desktop;
        desktop.localeSeparators(",", "\xA0");
        ReadLocaleSeparators();
        EXPECT_EQ(LocaleSeparators.Decimal, ',');
        EXPECT_EQ(LocaleSeparators.Thousands, '\xA0');
    }
    {
        fake::Desktop desktop;
        desktop.localeUnreadable();
        ReadLocaleSeparators();
        EXPECT_EQ(LocaleSeparators.Decimal, '.');
        EXPECT_EQ(LocaleSeparators.Thousands, ',');
    }
}

}  // namespace
