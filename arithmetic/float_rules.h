// The arithmetic of the size computation, one named helper per rounding point.
//
// Quotients and products are evaluated on the x87 unit with a 64-bit significand
// and rounding to nearest, whatever precision the run-time left set, and are
// rounded to single precision through a real store, so the host build and the
// 32-bit Windows build give the same bits. Division by zero, invalid operations and
// overflow are detected from operands and results and raised as EDivByZero,
// EInvalidOp and EOverflow; no infinity or not-a-number leaves these helpers.
#pragma once

#include <cstdint>

// Rounds to the nearest single-precision value, ties to even. EInvalidOp for a
// not-a-number, EOverflow for a value that would round to an infinity.
float RoundToSingle(long double value);

// dividend / divisor in extended precision, rounded to single. EDivByZero for a
// nonzero dividend over 0, EInvalidOp for 0 / 0 and for infinity / infinity.
float SingleQuotient(long double dividend, long double divisor);

// left * right in extended precision, rounded to single. EInvalidOp for 0 * infinity.
float SingleProduct(long double left, long double right);

// The scaled value of a size: (value / 100.0) * scale, both steps in extended
// precision, the product rounded to single.
float ScaledValue(std::int32_t value, std::int32_t scale);

// Rounds to the nearest integer, a tie going to the even one. A value beyond the
// 32-bit range is clamped to it rather than wrapped; EInvalidOp for a not-a-number.
std::int32_t RoundToInteger(float value);
