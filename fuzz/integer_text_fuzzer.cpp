// The strict integer conversion over arbitrary text. A rejection leaves the value
// alone; an accepted value reads back the same when written in decimal or hex; a NUL
// ends the text; leading spaces and tabs change nothing; plain decimal text agrees
// with the C library on the 32-bit range.
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/check.h"
#include "settings/integer_text.h"

namespace {

struct Result {
    bool accepted;
    std::int32_t value;
    bool operator==(const Result& other) const { return accepted == other.accepted && value == other.value; }
};

Result Parse(const std::string& text) {
    std::int32_t first = 12345, second = -6789;
    const bool accepted = ParseIntegerText(text, first);
    FUZZ_CHECK(ParseIntegerText(text, second) == accepted);
    FUZZ_CHECK(accepted ? first == second : first == 12345 && second == -6789);
    return {accepted, first};
}

// Spaces and tabs, an optional sign, and decimal digits only.
bool IsPlainDecimal(const std::string& text) {
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos) return false;
    if (text[i] == '+' || text[i] == '-') ++i;
    return i < text.size() && text.find_first_not_of("0123456789", i) == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const Result result = Parse(text);
    if (text.size() > 255) {
        FUZZ_CHECK(!result.accepted);
        return 0;
    }
    const std::string beforeNul = text.substr(0, text.find('\0'));
    FUZZ_CHECK(Parse(beforeNul) == result);
    if (text.size() <= 253) FUZZ_CHECK(Parse(" \t" + text) == result);

    if (IsPlainDecimal(beforeNul)) {
        errno = 0;
        const long long expected = std::strtoll(beforeNul.c_str(), nullptr, 10);
        const bool inRange = errno == 0 && expected >= INT32_MIN && expected <= INT32_MAX;
        FUZZ_CHECK(result.accepted == inRange);
        if (inRange) FUZZ_CHECK(result.value == expected);
    }
    if (result.accepted) {
        FUZZ_CHECK(Parse(std::to_string(result.value)) == result);
        char hex[16];
        std::snprintf(hex, sizeof hex, "$%X", static_cast<unsigned>(result.value));
        FUZZ_CHECK(Parse(hex) == result);
        if (beforeNul.size() < 255) FUZZ_CHECK(!Parse(beforeNul + "g").accepted);
    }
    return 0;
}
