// Code pages, the locale, system messages, the debugger output and the message box
// on the simulated desktop.
#include "platform/text.h"
#include "tests/support/fake_desktop.h"

namespace platform {

using fake::Active;
using fake::Call;

bool GetCPInfo(std::uint32_t codePage, CodePageInfo& info) {
    Active().count(Call::GetCPInfo);
    return Active().codePageInfo(codePage, info);
}

// Ordinal with case ignored: the letters compared as capitals.
int CompareStringOrdinal(const std::string& a, const std::string& b) {
    Active().count(Call::CompareStringOrdinal);
    auto upper = [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const int difference = upper(static_cast<unsigned char>(a[i])) - upper(static_cast<unsigned char>(b[i]));
        if (difference != 0) return difference;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// The desktop's ANSI text is Latin-1 where the tests use more than ASCII.
std::string AnsiToUtf8(const std::string& text) {
    Active().count(Call::AnsiToUtf8);
    std::string utf8;
    for (unsigned char c : text) {
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

std::uint32_t GetThreadLocale() {
    Active().count(Call::GetThreadLocale);
    return 0x0409;
}

bool GetLocaleInfoA(std::uint32_t, std::uint32_t type, std::string& value) {
    Active().count(Call::GetLocaleInfoA);
    return Active().localeInfo(type, value);
}

// The texts Wine's system message table gives for the codes the simulated desktop sets.
std::string FormatMessageA(std::uint32_t errorCode) {
    Active().count(Call::FormatMessageA);
    switch (errorCode) {
        case 2: return "File not found.";
        case 3: return "Path not found.";
        case 5: return "Access denied.";
        case 6: return "Invalid handle.";
        case 32: return "Sharing violation.";
        case 50: return "Not supported.";
        case 87: return "The parameter is incorrect.";
        case 112: return "Disk full.";
        case 183: return "File already exists.";
        default: return "";
    }
}

void OutputDebugStringA(const std::string&) { Active().count(Call::OutputDebugStringA); }

int MessageBoxA(const std::string& text, const std::string& caption, std::uint32_t type) {
    Active().count(Call::MessageBoxA);
    return Active().messageBox(text, caption, type);
}

}  // namespace platform
