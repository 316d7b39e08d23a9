#pragma once

#include <cstdint>
#include <string_view>

// Reads a whole number the way the program's number edits do: leading blanks
// skipped, one optional sign, decimal digits up to the first other character.
// No digits give 0; values beyond 32 bits saturate. Callers apply their limits.
int32_t ReadLeadingInteger(std::u16string_view text);
