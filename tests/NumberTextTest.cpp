#include "NumberText.h"

#include <gtest/gtest.h>

namespace {

struct NumberRow {
    const char *name;
    const char16_t *text;
    int32_t value;
};

class ReadsLikeAnEdit : public testing::TestWithParam<NumberRow> {};

TEST_P(ReadsLikeAnEdit, LeadingNumberOrZero) {
    EXPECT_EQ(ReadLeadingInteger(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadsLikeAnEdit,
    testing::Values(NumberRow{"Plain", u"75", 75}, NumberRow{"Empty", u"", 0},
                    NumberRow{"LettersOnly", u"abc", 0},
                    NumberRow{"DigitsThenLetters", u"12x4", 12},
                    NumberRow{"LeadingBlanks", u"   42", 42}, NumberRow{"Signs", u"-17", -17},
                    NumberRow{"PlusSign", u"+5", 5}, NumberRow{"TwoSigns", u"--5", 0},
                    NumberRow{"BlankAfterSign", u"- 5", 0},
                    NumberRow{"Huge", u"99999999999999", 2147483647},
                    NumberRow{"HugeNegative", u"-99999999999999", -2147483647 - 1},
                    NumberRow{"FullWidthDigits", u"７５", 0}),
    [](const testing::TestParamInfo<NumberRow> &p) { return p.param.name; });

} // namespace
