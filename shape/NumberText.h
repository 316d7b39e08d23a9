#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Reads a whole number the way the program's number edits do: leading blanks
// skipped, one optional sign, decimal digits up to the first other character.
// No digits give 0; values beyond 32 bits saturate. Callers apply their limits.
int32_t ReadLeadingInteger(std::u16string_view text);

// The whole of text as digits of base 10 or 16, nothing else (no sign, no prefix).
// Nothing for any other text or a number beyond 64 bits.
std::optional<uint64_t> ReadDigits(std::string_view text, int base);

// A number written in decimal, as the command line takes it: an optional sign and
// any number of digits, nothing else (no blanks, no 0x; leading zeros are still
// decimal). A number beyond 64 bits gives the int64_t limit on its side, which a
// caller's range then takes in. Nothing for any other text.
std::optional<int64_t> ReadDecimal(std::string_view text);
