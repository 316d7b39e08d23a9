#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The one parameter record of the picture. Its in-memory layout is the 68-byte
// little-endian layout of the settings file; EncodeSettings and DecodeSettings
// convert field by field so the file is the same on any host.
struct ShapeSettings {
    int32_t Points;       // number of jags N; the star has 2N vertices
    int32_t InnerRate;    // inner radius, percent of the outer radius
    int32_t ClientWidth;  // main window client width, pixels (refreshed before each save)
    int32_t ClientHeight; // drawing area plus status bar, pixels
    int32_t InnerTwist;   // offset of each inner vertex, percent of 360 degrees / 2N
    int32_t OuterTwist;   // the same for each outer vertex
    int32_t CenterXRate;  // inner ring centre shift, percent of half the drawing width
    int32_t CenterYRate;  // the same, of half the drawing height
    int32_t SaveRate;     // whole-number magnification of exported pictures
    uint8_t SameSize;     // non-zero: drawing width and height forced equal
    uint8_t Fill;         // non-zero: the star is filled
    uint8_t Reserved1[2]; // kept as loaded, never interpreted
    uint32_t ForeColor;   // colour value of the star
    uint32_t BackColor;   // colour value of the background
    int32_t LeanAngle;    // rotation of the whole star, whole degrees
    int32_t OuterRate;    // outer radius, percent of half the drawing box
    uint8_t Trans;        // non-zero: pseudo-transparent background
    uint8_t Reserved2[3]; // kept as loaded, never interpreted
    int32_t Left;         // main window left edge, screen pixels
    int32_t Top;          // main window top edge, screen pixels
};

constexpr std::size_t kSettingsSize = 68;
using SettingsBytes = std::array<uint8_t, kSettingsSize>;

static_assert(sizeof(ShapeSettings) == kSettingsSize);
static_assert(offsetof(ShapeSettings, Points) == 0);
static_assert(offsetof(ShapeSettings, InnerRate) == 4);
static_assert(offsetof(ShapeSettings, ClientWidth) == 8);
static_assert(offsetof(ShapeSettings, ClientHeight) == 12);
static_assert(offsetof(ShapeSettings, InnerTwist) == 16);
static_assert(offsetof(ShapeSettings, OuterTwist) == 20);
static_assert(offsetof(ShapeSettings, CenterXRate) == 24);
static_assert(offsetof(ShapeSettings, CenterYRate) == 28);
static_assert(offsetof(ShapeSettings, SaveRate) == 32);
static_assert(offsetof(ShapeSettings, SameSize) == 36);
static_assert(offsetof(ShapeSettings, Fill) == 37);
static_assert(offsetof(ShapeSettings, Reserved1) == 38);
static_assert(offsetof(ShapeSettings, ForeColor) == 40);
static_assert(offsetof(ShapeSettings, BackColor) == 44);
static_assert(offsetof(ShapeSettings, LeanAngle) == 48);
static_assert(offsetof(ShapeSettings, OuterRate) == 52);
static_assert(offsetof(ShapeSettings, Trans) == 56);
static_assert(offsetof(ShapeSettings, Reserved2) == 57);
static_assert(offsetof(ShapeSettings, Left) == 60);
static_assert(offsetof(ShapeSettings, Top) == 64);

// The ranges that the editors keep and that the geometry relies on.
namespace settings_range {
constexpr int32_t kMinPoints = 3, kMaxPoints = 50;
constexpr int32_t kMinRate = 1, kMaxRate = 100;
constexpr int32_t kMinTwist = -1000, kMaxTwist = 1000;
constexpr int32_t kMinCenterRate = -50, kMaxCenterRate = 50;
constexpr int32_t kMinLean = -90, kMaxLean = 90;
constexpr int32_t kMinSaveRate = 1, kMaxSaveRate = 64;
} // namespace settings_range

SettingsBytes EncodeSettings(const ShapeSettings &settings);
ShapeSettings DecodeSettings(const SettingsBytes &bytes);

// Brings every live numeric field into its editor range, so that a damaged or
// hand-edited file can never reach the geometry with values it cannot take.
void ClampToEditorRanges(ShapeSettings &settings);

// The ten live parameters as a fresh start and the reset give them.
void ApplyDefaultParameters(ShapeSettings &settings);
