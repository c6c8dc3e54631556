#include "settings/integer_text.h"

namespace {

constexpr std::size_t kMaxTextLength = 255;

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

// Consumes a base prefix at p, if any, and returns the base.
unsigned TakeBasePrefix(const char*& p) {
    switch (*p) {
        case '$': case 'x': case 'X': ++p; return 16;
        case '%': ++p; return 2;
        case '&': ++p; return 8;
        case '0':
            if (p[1] == 'x' || p[1] == 'X') { p += 2; return 16; }
            return 10;
        default: return 10;
    }
}

}  // namespace

bool ParseIntegerText(const std::string& text, std::int32_t& value) {
    if (text.size() > kMaxTextLength) return false;
    // c_str() stops the scan at the first NUL, which ends the digits.
    const char* p = text.c_str();
    while (*p == ' ' || *p == '\t') ++p;
    const bool negative = (*p == '-');
    if (*p == '-' || *p == '+') ++p;
    const unsigned base = TakeBasePrefix(p);

    // Base 10 keeps room for the magnitude of -2147483648; the others read 32 bits.
    const std::uint64_t limit = (base == 10) ? (negative ? 2147483648u : 2147483647u) : 0xFFFFFFFFu;
    std::uint64_t magnitude = 0;
    if (*p == '\0') return false;
    for (; *p != '\0'; ++p) {
        const int digit = DigitValue(*p);
        if (digit >= static_cast<int>(base)) return false;
        magnitude = magnitude * base + static_cast<unsigned>(digit);
        if (magnitude > limit) return false;
    }
    const std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
    value = static_cast<std::int32_t>(negative ? 0u - bits : bits);
    return true;
}
