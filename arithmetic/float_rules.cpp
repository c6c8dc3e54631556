#include "arithmetic/float_rules.h"

#include <cmath>
#include <limits>

#include "diagnostics/exceptions.h"

static_assert(std::numeric_limits<long double>::digits == 64,
              "long double must be the x87 80-bit format in every build");

namespace {

// Holds the x87 control word at a 64-bit significand, rounding to nearest and all
// exceptions masked while it lives: the Windows run-time may leave 53 bits set,
// and errors are detected explicitly instead of trapping. Flags raised meanwhile
// are cleared so they cannot trap later under the caller's own masks.
class X87ExtendedPrecision {
public:
    X87ExtendedPrecision() {
        asm volatile("fnstcw %0" : "=m"(saved_) : : "memory");
        std::uint16_t word = (saved_ & ~kPrecisionRoundingAndMasks) | kPrecision64Nearest | kAllMasked;
        asm volatile("fldcw %0" : : "m"(word) : "memory");
    }
    ~X87ExtendedPrecision() { asm volatile("fnclex\n\tfldcw %0" : : "m"(saved_) : "memory"); }
    X87ExtendedPrecision(const X87ExtendedPrecision&) = delete;
    X87ExtendedPrecision& operator=(const X87ExtendedPrecision&) = delete;

private:
    static constexpr std::uint16_t kAllMasked = 0x003F;
    static constexpr std::uint16_t kPrecision64Nearest = 0x0300;  // rounding bits 00: nearest
    static constexpr std::uint16_t kPrecisionRoundingAndMasks = 0x0F3F;
    std::uint16_t saved_;
};

// The operands are read, and the result written, through volatile memory, so the
// operation cannot be scheduled outside the control word's scope.
long double ExtendedQuotient(long double dividend, long double divisor) {
    if (std::isnan(dividend) || std::isnan(divisor)) throw EInvalidOp();
    if (divisor == 0) {
        if (dividend == 0) throw EInvalidOp();
        throw EDivByZero();
    }
    if (std::isinf(dividend) && std::isinf(divisor)) throw EInvalidOp();
    X87ExtendedPrecision precision;
    volatile long double a = dividend, b = divisor;
    volatile long double quotient = a / b;
    return quotient;
}

long double ExtendedProduct(long double left, long double right) {
    if (std::isnan(left) || std::isnan(right)) throw EInvalidOp();
    if ((left == 0 && std::isinf(right)) || (std::isinf(left) && right == 0)) throw EInvalidOp();
    X87ExtendedPrecision precision;
    volatile long double a = left, b = right;
    volatile long double product = a * b;
    return product;
}

}  // namespace

float RoundToSingle(long double value) {
    if (std::isnan(value)) throw EInvalidOp();
    // Halfway between the largest float and 2^128: from here on, rounding to
    // nearest gives an infinity.
    constexpr long double kOverflowThreshold = 0x1.ffffffp127L;
    if (std::fabs(value) >= kOverflowThreshold) throw EOverflow();
    X87ExtendedPrecision precision;  // the store rounds by the rounding-control bits
    volatile long double source = value;
    // A real 32-bit store: on i686 a float may otherwise stay in an 80-bit register.
    volatile float single = source;
    return single;
}

float SingleQuotient(long double dividend, long double divisor) {
    return RoundToSingle(ExtendedQuotient(dividend, divisor));
}

float SingleProduct(long double left, long double right) {
    return RoundToSingle(ExtendedProduct(left, right));
}

float ScaledValue(std::int32_t value, std::int32_t scale) {
    return RoundToSingle(ExtendedProduct(ExtendedQuotient(value, 100.0L), scale));
}

std::int32_t RoundToInteger(float value) {
    if (std::isnan(value)) throw EInvalidOp();
    constexpr float kTwoTo31 = 2147483648.0f;
    if (value >= kTwoTo31) return std::numeric_limits<std::int32_t>::max();
    if (value <= -kTwoTo31) return std::numeric_limits<std::int32_t>::min();
    // Exact in double for every float, and independent of the current rounding mode.
    double whole = std::floor(static_cast<double>(value));
    double fraction = static_cast<double>(value) - whole;
    auto rounded = static_cast<std::int32_t>(whole);
    if (fraction > 0.5 || (fraction == 0.5 && rounded % 2 != 0)) ++rounded;
    return rounded;
}
