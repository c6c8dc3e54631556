// The tweaks->surroundcolour text: a colour as six hexadecimal digits RRGGBB.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Exactly six hexadecimal digits, letters in either case: red, green and blue, two
// digits each. Empty text is black. False, with `rgb` unchanged, for anything else.
// `rgb` holds 0xRRGGBB.
bool ParseColourText(std::string_view text, std::uint32_t& rgb);

// "RRGGBB" in capitals.
std::string ColourText(std::uint32_t rgb);

// The same colour as Windows takes it (COLORREF, 0x00BBGGRR).
std::uint32_t ColourRef(std::uint32_t rgb);
