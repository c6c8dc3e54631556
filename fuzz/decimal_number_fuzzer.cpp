// The aspect-ratio conversions over arbitrary text. With "." as the decimal
// separator an accepted number must be the C library's correctly rounded float, and
// a number of the right form is refused only when it rounds to zero or past the
// largest float. With "," the result is that of the same text with its first ","
// written as ".". A W:H ratio is float(W) / H in extended precision.
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz/check.h"
#include "settings/ratio_text.h"
#include "settings/integer_text.h"

namespace {

constexpr NumberSeparators kPoint{'.', ','};
constexpr NumberSeparators kComma{',', '.'};
constexpr NumberSeparators kCommaAndSpace{',', ' '};

struct Result {
    bool accepted;
    std::uint32_t bits;
    bool operator==(const Result& other) const { return accepted == other.accepted && bits == other.bits; }
};

std::uint32_t Bits(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

Result Decimal(const std::string& text, const NumberSeparators& separators) {
    float value = 0.0f;
    const bool accepted = ParseDecimalNumber(text, separators, value);
    return {accepted, accepted ? Bits(value) : 0u};
}

std::size_t Digits(const std::string& text, std::size_t& i) {
    const std::size_t from = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    return i - from;
}

// Sign, digits, optionally "." and digits, optionally an exponent.
bool HasNumberForm(const std::string& text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (Digits(text, i) == 0) return false;
    if (i < text.size() && text[i] == '.' && (++i, Digits(text, i) == 0)) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (Digits(text, i) == 0) return false;
    }
    return i == text.size();
}

std::string Trimmed(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
    return text.substr(begin, end - begin);
}

void CheckPointLocale(const std::string& text, const Result& result) {
    const std::string number = Trimmed(text);
    if (text.find(',') != std::string::npos || !HasNumberForm(number)) {
        FUZZ_CHECK(!result.accepted);
        return;
    }
    errno = 0;
    const float expected = std::strtof(number.c_str(), nullptr);
    const bool allZero = number.find_first_of("123456789") >= number.find_first_of("eE");
    const bool representable = std::isfinite(expected) && (expected != 0.0f || allZero);
    FUZZ_CHECK(result.accepted == representable);
    if (representable) FUZZ_CHECK(result.bits == Bits(expected));
}

void CheckRatio(const std::string& text, const NumberSeparators& separators) {
    float ratio = 0.0f;
    const bool accepted = ParseAspectRatio(text, separators, ratio);
    if (accepted) FUZZ_CHECK(std::isfinite(ratio));
    const std::size_t colon = text.find(':');
    if (text.empty()) {
        FUZZ_CHECK(accepted && Bits(ratio) == 0);
    } else if (colon == std::string::npos) {
        FUZZ_CHECK((Result{accepted, accepted ? Bits(ratio) : 0u} == Decimal(text, separators)));
    } else {
        std::int32_t width = 0, height = 0;
        const bool sound = ParseIntegerText(text.substr(0, colon), width) &&
                           ParseIntegerText(text.substr(colon + 1), height) && height != 0;
        FUZZ_CHECK(accepted == sound);
        if (sound) {
            const long double quotient = static_cast<long double>(static_cast<float>(width)) / height;
            FUZZ_CHECK(Bits(ratio) == Bits(static_cast<float>(quotient)));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const Result point = Decimal(text, kPoint);
    CheckPointLocale(text, point);

    std::string withPoint = text;
    const std::size_t comma = withPoint.find(',');
    if (comma != std::string::npos) withPoint[comma] = '.';
    const bool hasPoint = text.find('.') != std::string::npos;
    const Result expected = hasPoint ? Result{false, 0u} : Decimal(withPoint, kPoint);
    FUZZ_CHECK(Decimal(text, kComma) == expected);
    const Result withSpaces = text.find(' ') != std::string::npos ? Result{false, 0u} : expected;
    FUZZ_CHECK(Decimal(text, kCommaAndSpace) == withSpaces);

    CheckRatio(text, kPoint);
    CheckRatio(text, kComma);
    return 0;
}
