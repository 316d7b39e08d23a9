#include "NumberText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>

int32_t ReadLeadingInteger(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    constexpr int64_t kLimit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        magnitude = std::min(magnitude * 10 + (text[i] - u'0'), kLimit);
    const int64_t value = negative ? -magnitude : magnitude;
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

std::optional<uint64_t> ReadDigits(std::string_view text, int base) {
    const auto digit = [base](char c) {
        return base == 16 ? std::isxdigit(static_cast<unsigned char>(c)) != 0
                          : c >= '0' && c <= '9';
    };
    uint64_t value = 0;
    const char *end = text.data() + text.size();
    // Digits only: from_chars alone would take a minus sign.
    if (text.empty() || !std::all_of(text.begin(), text.end(), digit))
        return std::nullopt;
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    return stop == end && error == std::errc() ? std::optional<uint64_t>(value) : std::nullopt;
}

std::optional<int64_t> ReadDecimal(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    // Digits of any number: the magnitude stops at 2^63, past every limit a caller
    // brings a value into, so a longer number reads as a large one and not as text.
    constexpr uint64_t kLimit = uint64_t(std::numeric_limits<int64_t>::max()) + 1;
    uint64_t magnitude = 0;
    for (const char c : text)
        magnitude =
            magnitude > kLimit / 10 ? kLimit : std::min(magnitude * 10 + uint64_t(c - '0'), kLimit);
    if (!negative)
        return int64_t(std::min(magnitude, kLimit - 1));
    return magnitude == kLimit ? std::numeric_limits<int64_t>::min() : -int64_t(magnitude);
}
