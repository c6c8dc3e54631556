#include "settings/ratio_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "arithmetic/float_rules.h"
#include "platform/text.h"
#include "settings/integer_text.h"

NumberSeparators LocaleSeparators;

namespace {

// ---- exact unsigned integers, just enough to round a decimal number once ----

using BigInt = std::vector<std::uint32_t>;  // little-endian limbs, no zero limb on top

void MultiplyAdd(BigInt& n, std::uint32_t factor, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (std::uint32_t& limb : n) {
        carry += static_cast<std::uint64_t>(limb) * factor;
        limb = static_cast<std::uint32_t>(carry);
        carry >>= 32;
    }
    if (carry != 0) n.push_back(static_cast<std::uint32_t>(carry));
}

BigInt ShiftedLeft(const BigInt& n, int bits) {
    if (n.empty()) return n;
    BigInt result(static_cast<std::size_t>(bits / 32), 0u);
    const int shift = bits % 32;
    std::uint32_t spill = 0;
    for (std::uint32_t limb : n) {
        result.push_back((limb << shift) | spill);
        spill = (shift == 0) ? 0 : limb >> (32 - shift);
    }
    if (spill != 0) result.push_back(spill);
    return result;
}

int Compare(const BigInt& a, const BigInt& b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (std::size_t i = a.size(); i-- > 0;) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

// a -= b, for a >= b.
void Subtract(BigInt& a, const BigInt& b) {
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::int64_t difference = static_cast<std::int64_t>(a[i]) - borrow - (i < b.size() ? b[i] : 0);
        borrow = difference < 0 ? 1 : 0;
        a[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
    }
    while (!a.empty() && a.back() == 0) a.pop_back();
}

int BitLength(const BigInt& n) {
    if (n.empty()) return 0;
    int bits = static_cast<int>(n.size() - 1) * 32;
    for (std::uint32_t top = n.back(); top != 0; top >>= 1) ++bits;
    return bits;
}

// ---- decimal numbers ----

// |value| = Digits * 10^Exponent; Digits has no leading or trailing zeros.
struct DecimalNumber {
    bool Negative = false;
    std::string Digits;
    std::int64_t Exponent = 0;
};

// Past this many digits the rest only decides which side of a rounding boundary the
// value lies on: every boundary between floats has fewer significant digits.
constexpr std::size_t kExactDigits = 120;
// A value with magnitude m lies in [10^(m-1), 10^m). Beyond these it surely leaves
// the float range: 10^39 exceeds the largest float, 10^-47 is under half the smallest.
constexpr std::int64_t kTooLargeMagnitude = 39;
constexpr std::int64_t kTooSmallMagnitude = -46;
constexpr int kSignificandBits = 24;
constexpr int kLowestExponent = -149;  // of the smallest subnormal's last bit
constexpr int kHighestExponent = 104;  // 2^24 * 2^104 = 2^128 overflows

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t DigitRun(const std::string& text, std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && IsDigit(text[end])) ++end;
    return end - from;
}

// Sign, digits, optional "." and digits, optional exponent; nothing else.
bool SplitDecimal(const std::string& text, DecimalNumber& number) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) number.Negative = (text[i++] == '-');
    const std::size_t whole = DigitRun(text, i);
    if (whole == 0) return false;
    std::string digits = text.substr(i, whole);
    i += whole;
    std::int64_t exponent = 0;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fraction = DigitRun(text, ++i);
        if (fraction == 0) return false;
        digits += text.substr(i, fraction);
        exponent -= static_cast<std::int64_t>(fraction);
        i += fraction;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) negativeExponent = (text[i++] == '-');
        const std::size_t run = DigitRun(text, i);
        if (run == 0) return false;
        std::int64_t written = 0;
        for (std::size_t k = i; k < i + run; ++k) {
            // Saturate: any exponent this large is out of range whatever the digits.
            written = std::min<std::int64_t>(written * 10 + (text[k] - '0'), 1000000000);
        }
        exponent += negativeExponent ? -written : written;
        i += run;
    }
    if (i != text.size()) return false;

    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return true;  // zero
    const std::size_t last = digits.find_last_not_of('0');
    exponent += static_cast<std::int64_t>(digits.size() - 1 - last);
    number.Digits = digits.substr(first, last - first + 1);
    if (number.Digits.size() > kExactDigits) {
        // The dropped digits are not all zero, so a trailing 1 stands for them.
        exponent += static_cast<std::int64_t>(number.Digits.size() - kExactDigits - 1);
        number.Digits.resize(kExactDigits);
        number.Digits += '1';
    }
    number.Exponent = exponent;
    return true;
}

// The nearest float to a non-zero number, ties to even. False when it rounds to
// zero or past the largest float.
bool RoundToFloat(const DecimalNumber& number, float& value) {
    const std::int64_t magnitude = static_cast<std::int64_t>(number.Digits.size()) + number.Exponent;
    if (magnitude > kTooLargeMagnitude || magnitude < kTooSmallMagnitude) return false;

    BigInt numerator;
    for (char digit : number.Digits) MultiplyAdd(numerator, 10, static_cast<std::uint32_t>(digit - '0'));
    BigInt denominator{1};
    BigInt& scaledByTen = number.Exponent >= 0 ? numerator : denominator;
    for (std::int64_t i = 0; i < std::abs(number.Exponent); ++i) MultiplyAdd(scaledByTen, 10, 0);

    // Find the binary exponent that leaves a 24-bit quotient (fewer bits when subnormal).
    int exponent = BitLength(numerator) - BitLength(denominator) - kSignificandBits;
    BigInt scaledNumerator, scaledDenominator;
    auto scale = [&] {
        scaledNumerator = ShiftedLeft(numerator, exponent < 0 ? -exponent : 0);
        scaledDenominator = ShiftedLeft(denominator, exponent > 0 ? exponent : 0);
    };
    scale();
    if (Compare(scaledNumerator, ShiftedLeft(scaledDenominator, kSignificandBits)) >= 0) {
        ++exponent;
        scale();
    }
    if (exponent < kLowestExponent) {
        exponent = kLowestExponent;
        scale();
    }

    std::uint32_t quotient = 0;
    for (int bit = kSignificandBits - 1; bit >= 0; --bit) {
        BigInt part = ShiftedLeft(scaledDenominator, bit);
        if (Compare(scaledNumerator, part) >= 0) {
            Subtract(scaledNumerator, part);
            quotient |= 1u << bit;
        }
    }
    const int half = Compare(ShiftedLeft(scaledNumerator, 1), scaledDenominator);
    if (half > 0 || (half == 0 && (quotient & 1u) != 0)) ++quotient;
    if (quotient == 1u << kSignificandBits) {
        quotient >>= 1;
        ++exponent;
    }
    if (quotient == 0 || exponent > kHighestExponent) return false;

    // Exact: the quotient has at most 24 bits and the exponent is in range.
    const float magnitudeValue = std::ldexp(static_cast<float>(quotient), exponent);
    value = number.Negative ? -magnitudeValue : magnitudeValue;
    return true;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// W (rounded to float) divided by H in extended precision, then rounded to float.
bool DivideIntegers(const std::string& widthText, const std::string& heightText, float& ratio) {
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (!ParseIntegerText(widthText, width) || !ParseIntegerText(heightText, height)) return false;
    if (height == 0) return false;
    // A real store, so an x87 build rounds W to single precision here too.
    const volatile float widthAsFloat = static_cast<float>(width);
    ratio = SingleQuotient(widthAsFloat, height);
    return true;
}

}  // namespace

void ReadLocaleSeparators() {
    const std::uint32_t locale = platform::GetThreadLocale();
    LocaleSeparators = NumberSeparators{};
    std::string text;
    if (platform::GetLocaleInfoA(locale, platform::kLocaleSDecimal, text) && !text.empty()) {
        LocaleSeparators.Decimal = text.front();
    }
    text.clear();
    if (platform::GetLocaleInfoA(locale, platform::kLocaleSThousand, text) && !text.empty()) {
        LocaleSeparators.Thousands = text.front();
    }
}

bool ParseDecimalNumber(const std::string& text, const NumberSeparators& separators, float& value) {
    if (separators.Thousands != separators.Decimal && text.find(separators.Thousands) != std::string::npos) {
        return false;
    }
    if (separators.Decimal != '.' && text.find('.') != std::string::npos) return false;
    std::string normalised = text;
    const std::size_t separator = normalised.find(separators.Decimal);
    if (separator != std::string::npos) normalised[separator] = '.';

    std::size_t begin = 0;
    std::size_t end = normalised.size();
    while (begin < end && IsBlank(normalised[begin])) ++begin;
    while (end > begin && IsBlank(normalised[end - 1])) --end;

    DecimalNumber number;
    if (!SplitDecimal(normalised.substr(begin, end - begin), number)) return false;
    if (number.Digits.empty()) {
        value = number.Negative ? -0.0f : 0.0f;
        return true;
    }
    return RoundToFloat(number, value);
}

bool ParseAspectRatio(const std::string& text, const NumberSeparators& separators, float& ratio) {
    if (text.empty()) {
        ratio = 0.0f;
        return true;
    }
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) return ParseDecimalNumber(text, separators, ratio);
    // A colon first or last leaves an empty side, which ParseIntegerText rejects.
    return DivideIntegers(text.substr(0, colon), text.substr(colon + 1), ratio);
}
