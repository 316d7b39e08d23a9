#include "StarOptions.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

// Every text of up to four characters from the characters that make numbers and
// colours (and the usual slips): a number option takes exactly a sign and decimal
// digits, a colour exactly #RRGGBB or a stored colour value of the table.
TEST(OptionText, EveryShortTextMeansWhatTheManualSays) {
    const std::string alphabet = "0189afx#+- ";
    const std::regex decimal("[+-]?[0-9]+"), rgb("#[0-9a-fA-F]{6}"),
        value("[0-9]+|0[xX][0-9a-fA-F]{1,8}");
    std::vector<std::string> texts{""};
    for (std::size_t begin = 0, length = 0; length < 4; ++length) {
        const std::size_t end = texts.size();
        for (std::size_t i = begin; i < end; ++i)
            for (const char c : alphabet)
                texts.push_back(texts[i] + c);
        begin = end;
    }
    texts.insert(texts.end(), {"#a0f8ff", "#A0F8FF", "0x80000008", "2147483678", "0x8000001f",
                               "16777215", "16777216", "4294967295", "9223372036854775807",
                               "-9223372036854775807", "9223372036854775808"});
    for (const std::string &text : texts) {
        const QString given = QString::fromStdString(text);
        const std::optional<int64_t> number = DecimalNumber(given);
        EXPECT_EQ(number.has_value(),
                  std::regex_match(text, decimal) && text != "9223372036854775808")
            << '"' << text << '"';
        if (number) {
            EXPECT_EQ(*number, std::stoll(text)) << text;
        }
        const std::optional<uint32_t> color = ColorValueFromText(given);
        uint64_t stored = 0;
        if (std::regex_match(text, value))
            stored =
                std::stoull(text, nullptr, text.size() > 1 && (text[1] | 0x20) == 'x' ? 16 : 10);
        const bool table = stored <= 0xFFFFFF || (stored >= 0x80000000 && stored <= 0x8000001E);
        const bool valid = std::regex_match(text, rgb) || (std::regex_match(text, value) && table);
        ASSERT_EQ(color.has_value(), valid) << '"' << text << '"';
        if (color && text.front() == '#') {
            const uint32_t rgbValue = uint32_t(std::stoul(text.substr(1), nullptr, 16));
            EXPECT_EQ(*color, (rgbValue >> 16) | (rgbValue & 0xFF00) | (rgbValue & 0xFF) << 16)
                << "red is kept in the low byte: " << text;
        } else if (color) {
            EXPECT_EQ(*color, stored) << text;
        }
    }
}

} // namespace
