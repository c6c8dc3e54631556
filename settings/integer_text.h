// The strict text-to-integer conversion of the configuration file.
#pragma once

#include <cstdint>
#include <string>

// Reads a signed 32-bit integer from text. Returns false, leaving value untouched,
// unless the whole text is one integer:
// - at most 255 characters (NUL bytes included);
// - leading spaces and tabs, then an optional "+" or "-";
// - an optional base prefix: "$", "x", "X", "0x", "0X" (16), "%" (2), "&" (8);
// - at least one digit of that base, letters A-F in either case; leading zeros
//   never mean octal;
// - a NUL byte ends the digits; nothing after it is looked at.
// Base 10 takes -2147483648 to 2147483647. The other bases take up to FFFFFFFF,
// read as 32-bit two's complement and then negated when the text has a "-".
bool ParseIntegerText(const std::string& text, std::int32_t& value);
