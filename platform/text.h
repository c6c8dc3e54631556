// Text and what the user reads: code pages, the locale's number separators, the
// system's texts for error codes, the debugger output and the message box.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace platform {

// ---- code pages and the locale ----

// GetCPInfo: the lead-byte ranges of a double-byte code page, as pairs of first and
// last byte ended by a zero (a single-byte code page has none); kCpAcp asks for the
// system's ANSI code page.
constexpr std::uint32_t kCpAcp = 0;
struct CodePageInfo {
    std::uint32_t maxCharSize = 1;
    std::uint8_t leadByte[12] = {};
};
bool GetCPInfo(std::uint32_t codePage, CodePageInfo& info);

constexpr std::uint32_t kLocaleSDecimal = 0x0E;
constexpr std::uint32_t kLocaleSThousand = 0x0F;

std::uint32_t GetThreadLocale();
// GetLocaleInfoA; false when the value cannot be read.
bool GetLocaleInfoA(std::uint32_t locale, std::uint32_t type, std::string& value);

// CompareStringOrdinal of the two texts (converted to UTF-16) with case ignored, as
// the system compares file names: below 0, 0 or above 0 as `a` sorts before, with
// or after `b`.
int CompareStringOrdinal(const std::string& a, const std::string& b);

// Text of the ANSI code page as UTF-8.
std::string AnsiToUtf8(const std::string& text);

// ---- messages ----

// FormatMessageA from the system's message table: the text for an error code,
// without its trailing line end; empty when the system has none.
std::string FormatMessageA(std::uint32_t errorCode);
// Hands a line to the debugger output (the diagnostic build's trace sink).
void OutputDebugStringA(const std::string& text);

constexpr std::uint32_t kMbOk = 0x0;
constexpr std::uint32_t kMbIconError = 0x10;

// MessageBoxA with no owner window.
int MessageBoxA(const std::string& text, const std::string& caption, std::uint32_t type);

}  // namespace platform
