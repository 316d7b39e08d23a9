#include "ColorValue.h"

#include <gtest/gtest.h>

namespace {

TEST(ColorValue, PlainColoursSwapToPixelOrderAndSystemColoursResolve) {
    SystemColors system{};
    system[5] = 0x112233;
    system[8] = 0x445566;
    EXPECT_EQ(ResolveColorValue(0x00FF8040, system), 0xFF4080FFu);
    EXPECT_EQ(ResolveColorValue(ColorValueFromRgb(1, 2, 3), system), PixelFromRgb(1, 2, 3));
    EXPECT_EQ(ResolveColorValue(kWindowColor, system), 0xFF112233u);
    EXPECT_EQ(ResolveColorValue(kWindowTextColor, system), 0xFF445566u);
    EXPECT_EQ(ResolveColorValue(kSystemColorFlag + 200, system), 0xFF000000u);
}

TEST(ColorValue, PlainSchemeIsBlackOnWhite) {
    const SystemColors plain = PlainSystemColors();
    EXPECT_EQ(ResolveColorValue(kWindowColor, plain), PixelFromRgb(255, 255, 255));
    EXPECT_EQ(ResolveColorValue(kWindowTextColor, plain), PixelFromRgb(0, 0, 0));
}

} // namespace
