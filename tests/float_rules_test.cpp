#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>

#include "diagnostics/exceptions.h"
#include "arithmetic/float_rules.h"

namespace {

std::uint32_t Bits(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

std::uint16_t X87ControlWord() {
    std::uint16_t word;
    asm volatile("fnstcw %0" : "=m"(word));
    return word;
}
void SetX87ControlWord(std::uint16_t word) { asm volatile("fldcw %0" : : "m"(word)); }

}  // namespace

TEST(FloatRules, ScaledValueRoundsTheExtendedProductToSingle) {
    struct Row { const char* label; std::int32_t value, scale; std::uint32_t bits; std::int32_t rounded; };
    for (const Row& r : {
             Row{"1366 at 75 is exactly 1024.5, a tie", 1366, 75, 0x44801000, 1024},
             Row{"9 at 650 is 58.5 plus 2^-58 before the single rounding", 9, 650, 0x426A0000, 58},
             Row{"13 at 950 is 123.5 less 2^-57 before the single rounding", 13, 950, 0x42F70000, 124},
             Row{"3277523 at 175, a single tie; 53 bits would give 5735665.5", 3277523, 175, 0x4AAF09E2, 5735665},
             Row{"3277449 at 175: 53 bits would give 5735536", 3277449, 175, 0x4AAF08DF, 5735536},
         }) {
        float scaled = ScaledValue(r.value, r.scale);
        EXPECT_EQ(Bits(scaled), r.bits) << r.label << ": got " << scaled;
        EXPECT_EQ(RoundToInteger(scaled), r.rounded) << r.label;
    }
}

TEST(FloatRules, KeepsTheSignificandWhenTheRuntimeSets53Bits) {
    const std::uint16_t original = X87ControlWord();
    const std::uint16_t runtime = (original & ~0x0300) | 0x0200;  // as the Windows run-time may leave it
    SetX87ControlWord(runtime);
    float scaled = ScaledValue(3277523, 175), ratio = SingleQuotient(800, 600);
    std::uint16_t after = X87ControlWord();
    SetX87ControlWord(original);
    EXPECT_EQ(Bits(scaled), 0x4AAF09E2u) << "got " << scaled;
    EXPECT_EQ(Bits(ratio), 0x3FAAAAABu) << "got " << ratio;
    EXPECT_EQ(after, runtime) << "the caller's control word is restored";
}

TEST(FloatRules, RoundToIntegerTiesToEvenAndClamps) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    struct Row { float value; std::int32_t expected; };
    for (const Row& r : {Row{1024.5f, 1024}, Row{513.5f, 514}, Row{0.5f, 0}, Row{-0.5f, 0},
                         Row{-1.5f, -2}, Row{-2.5f, -2}, Row{0.49999997f, 0}, Row{1.5000001f, 2},
                         Row{-1024.75f, -1025}, Row{2147483520.0f, 2147483520}, Row{2147483648.0f, kMax},
                         Row{1e20f, kMax}, Row{-2147483648.0f, kMin}, Row{-1e20f, kMin}}) {
        EXPECT_EQ(RoundToInteger(r.value), r.expected) << "rounding " << r.value;
    }
}

// Division by zero and 0 / 0 are raised through the detected ratio in the size tests.
TEST(FloatRules, RaisesInsteadOfInfinityOrNaN) {
    const long double inf = std::numeric_limits<long double>::infinity();
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    struct Row { const char* label; std::function<void()> call; const char* error; };
    for (const Row& r : {
             Row{"inf / inf", [=] { SingleQuotient(inf, -inf); }, "EInvalidOp"},
             Row{"0 * inf", [=] { SingleProduct(0, inf); }, "EInvalidOp"},
             Row{"NaN operand", [=] { SingleProduct(nan, 2); }, "EInvalidOp"},
             Row{"NaN to integer", [=] { RoundToInteger(float(nan)); }, "EInvalidOp"},
             Row{"product past the float range", [] { SingleProduct(0x1p127L, 2); }, "EOverflow"},
             Row{"infinite product", [=] { SingleProduct(inf, 2); }, "EOverflow"},
             Row{"halfway past the largest float", [] { RoundToSingle(-0x1.ffffffp127L); }, "EOverflow"},
         }) {
        try {
            r.call();
            ADD_FAILURE() << r.label << ": expected " << r.error << ", got no exception";
        } catch (const EMathError& e) {
            EXPECT_STREQ(e.ClassName(), r.error) << r.label;
        }
    }
    EXPECT_EQ(RoundToSingle(0x1.fffffefp127L), std::numeric_limits<float>::max()) << "just below halfway";
}
