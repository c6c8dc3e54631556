// Code pages, the locale, system messages, the debugger output and the message box
// on the real system.
#include "platform/text.h"

#include <windows.h>

#include <cstddef>
#include <cstring>

#include "platform/win32/conversions.h"

namespace platform {

// ---- code pages and the locale ----

bool GetCPInfo(std::uint32_t codePage, CodePageInfo& info) {
    CPINFO raw;
    if (!::GetCPInfo(codePage, &raw)) return false;
    static_assert(sizeof raw.LeadByte == sizeof info.leadByte, "MAX_LEADBYTES");
    info.maxCharSize = raw.MaxCharSize;
    std::memcpy(info.leadByte, raw.LeadByte, sizeof info.leadByte);
    return true;
}

std::uint32_t GetThreadLocale() { return ::GetThreadLocale(); }

bool GetLocaleInfoA(std::uint32_t locale, std::uint32_t type, std::string& value) {
    char buffer[16];
    int length = ::GetLocaleInfoA(locale, type, buffer, sizeof(buffer));
    if (length <= 0) return false;
    value.assign(buffer, static_cast<std::size_t>(length - 1));
    return true;
}

int CompareStringOrdinal(const std::string& a, const std::string& b) {
    const WideText wideA = AnsiToWide(a), wideB = AnsiToWide(b);
    // CSTR_LESS_THAN, CSTR_EQUAL and CSTR_GREATER_THAN are 1, 2 and 3.
    return ::CompareStringOrdinal(wideA.data(), -1, wideB.data(), -1, TRUE) - CSTR_EQUAL;
}

std::string AnsiToUtf8(const std::string& text) {
    const WideText wide = AnsiToWide(text);
    return FromWide(CP_UTF8, wide.data(), wide.size() - 1);
}

// ---- messages ----

std::string FormatMessageA(std::uint32_t errorCode) {
    char buffer[512];
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, errorCode,
                                    0, buffer, sizeof(buffer), nullptr);
    while (length > 0 && (buffer[length - 1] == '\r' || buffer[length - 1] == '\n' || buffer[length - 1] == ' ')) {
        --length;
    }
    return std::string(buffer, length);
}

void OutputDebugStringA(const std::string& text) { ::OutputDebugStringA(text.c_str()); }

int MessageBoxA(const std::string& text, const std::string& caption, std::uint32_t type) {
    return ::MessageBoxA(nullptr, text.c_str(), caption.c_str(), type);
}

}  // namespace platform
