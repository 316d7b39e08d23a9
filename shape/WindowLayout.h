#pragma once

#include <cstdint>

// Measures of the main window's layout that settings files and pictures depend on.
inline constexpr int32_t kLayoutAreaWidth = 408; // drawing area at start-up, pixels
inline constexpr int32_t kLayoutAreaHeight = 251;
inline constexpr int32_t kStatusBarHeight = 25; // part of the stored client height
