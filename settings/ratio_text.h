// The windowresize->aspectratio text: empty, "W:H", or a decimal number written
// with the user's regional separators.
#pragma once

#include <string>

struct NumberSeparators {
    char Decimal = '.';
    char Thousands = ',';
};

// The thread locale's separators, read once at process start by ReadLocaleSeparators.
extern NumberSeparators LocaleSeparators;

// Reads the decimal and thousands separators of the thread locale into
// LocaleSeparators. Each that cannot be read (or reads empty) keeps "." or ",".
// Only the first byte of a separator is used.
void ReadLocaleSeparators();

// Converts a decimal number to the nearest 32-bit float (ties to even):
// - fails when the thousands separator differs from the decimal one and appears;
// - fails when the decimal separator is not "." and a "." appears;
// - the first decimal separator then counts as ".", and bytes 0x00-0x20 are
//   trimmed from both ends;
// - the rest must be: optional sign, one or more digits, optionally "." and one or
//   more digits, optionally "E" or "e", an optional sign and one or more digits.
//   So ".5", "5." and "1e" fail, and so do words such as "inf" and "nan".
// A value that is not zero but rounds to zero, or rounds beyond the largest float,
// fails too: neither gives a usable ratio.
bool ParseDecimalNumber(const std::string& text, const NumberSeparators& separators, float& value);

// Parses an aspectratio value into ratio:
// - empty text gives 0, which asks for the ratio to be detected;
// - with a colon that is neither first nor last: W and H by ParseIntegerText, H not
//   0, and W (as a float) divided by H in extended precision, rounded to float;
// - with no colon: ParseDecimalNumber;
// - a colon first or last fails.
// Negative ratios are accepted.
bool ParseAspectRatio(const std::string& text, const NumberSeparators& separators, float& ratio);
