#pragma once

#include <cstdint>

// Measures of the main window's layout that settings files and pictures depend on.
inline constexpr int32_t kLayoutAreaWidth = 408; // drawing area at start-up, pixels
inline constexpr int32_t kLayoutAreaHeight = 251;
inline constexpr int32_t kStatusBarHeight = 25; // part of the stored client height

// Whether a stored client size holds a drawing area: a record without one (an
// all-zero file) is shown and drawn at the layout's size instead. A width of 0 is
// the user's own choice and stays.
inline bool HoldsDrawingArea(int32_t clientWidth, int32_t clientHeight) {
    return clientWidth >= 0 && clientHeight > kStatusBarHeight;
}
