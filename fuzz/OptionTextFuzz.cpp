// Reads any bytes as the text of a numeric or colour option, the way vantrell-render
// does, and checks the result against the rules its manual gives, worked out here
// digit by digit.
#include "ColorValue.h"
#include "NumberText.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace {

// The value of text as digits of base (every byte a digit), at most 2^64, or -1
// when it is not.
__int128 Digits(std::string_view text, int base) {
    if (text.empty())
        return -1;
    __int128 value = 0;
    for (const char c : text) {
        const int digit = c >= '0' && c <= '9'                 ? c - '0'
                          : base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : base == 16 && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                               : -1;
        if (digit < 0)
            return -1;
        value = std::min(value * base + digit, __int128(1) << 64);
    }
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);

    std::string_view digits = text;
    const bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+'))
        digits.remove_prefix(1);
    // Digits of any length: a number past 64 bits gives the limit on its side.
    const __int128 magnitude = Digits(digits, 10);
    const __int128 saturated =
        std::clamp<__int128>(negative ? -magnitude : magnitude, INT64_MIN, INT64_MAX);
    const std::optional<int64_t> number = ReadDecimal(text);
    if (number.has_value() != (magnitude >= 0) || (number && *number != saturated))
        std::abort();

    __int128 value = -1;
    bool rgb = false;
    if (text.size() == 7 && text.front() == '#') {
        value = Digits(text.substr(1), 16);
        rgb = true;
    } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        value = Digits(text.substr(2), 16);
    } else {
        value = Digits(text, 10);
    }
    const bool known =
        rgb ? value >= 0
            : (value >= 0 && (value <= 0xFFFFFF || (value >= 0x80000000 && value <= 0x8000001E)));
    const std::optional<uint32_t> color = ColorValueFromText(text);
    if (color.has_value() != known)
        std::abort();
    // #RRGGBB is stored with red in the low byte.
    const __int128 stored =
        rgb ? ((value >> 16) & 0xFF) | (value & 0xFF00) | ((value & 0xFF) << 16) : value;
    if (color && *color != stored)
        std::abort();
    return 0;
}
