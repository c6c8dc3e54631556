#include "settings/colour_text.h"

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool ParseColourText(std::string_view text, std::uint32_t& rgb) {
    if (text.empty()) {
        rgb = 0;
        return true;
    }
    if (text.size() != 6) return false;
    std::uint32_t value = 0;
    for (char c : text) {
        const int digit = HexDigit(c);
        if (digit < 0) return false;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    rgb = value;
    return true;
}

std::string ColourText(std::uint32_t rgb) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text(6, '0');
    for (int i = 5; i >= 0; --i, rgb >>= 4) text[static_cast<std::size_t>(i)] = kDigits[rgb & 0xF];
    return text;
}

std::uint32_t ColourRef(std::uint32_t rgb) {
    return (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
}
