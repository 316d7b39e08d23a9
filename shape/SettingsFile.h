#pragma once

#include "ShapeSettings.h"

#include <optional>
#include <string>

// The settings file is always named relative to the current directory, so it is
// resolved afresh at each opening.
inline constexpr const char *kSettingsFileName = "Vantrell.def";

// Reads the first 68 bytes of the file. No file, an unreadable file, anything but a
// regular file or a file shorter than a whole record gives nothing, and problem (when
// given) says why; longer files are read by their first 68 bytes. The record comes
// back exactly as stored, without range checks.
std::optional<ShapeSettings> ReadSettingsFile(const std::string &path,
                                              std::string *problem = nullptr);

// Reads a star file the user names: a regular file of exactly 68 bytes (a longer
// file would carry an extension block, and none is known yet). Anything else gives
// nothing, and problem (when given) says why.
std::optional<ShapeSettings> ReadStarFile(const std::string &path, std::string *problem = nullptr);

// The record a settings file holding these bytes gives: nothing when they are
// fewer than 68, else the first 68, as stored.
std::optional<ShapeSettings> SettingsFromFileBytes(const uint8_t *data, std::size_t size);

// The record a program starts from: a loaded one brought into the editors' ranges,
// or, with nothing loaded, the default parameters and colours.
ShapeSettings StartingRecord(const std::optional<ShapeSettings> &loaded);

// Writes exactly 68 bytes as an OutputFile: through a temporary file renamed over
// the target, so a failed or interrupted save leaves any earlier file as it was. On failure returns
// false and, when errorText is given, a description of the cause.
bool WriteSettingsFile(const std::string &path, const ShapeSettings &settings,
                       std::string *errorText = nullptr);
