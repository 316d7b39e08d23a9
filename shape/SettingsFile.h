#pragma once

#include "ShapeSettings.h"
#include "StarExtras.h"

#include <optional>
#include <string>

// The settings file is always named relative to the current directory, so it is
// resolved afresh at each opening.
inline constexpr const char *kSettingsFileName = "Vantrell.def";

// Why a file gives no record; FileMessages words it for the user.
struct SettingsProblem {
    enum Kind { None, System, NotRegular, TooShort, NotStarFile } kind = None;
    std::string cause;  // System: the system's reason (strerror)
    long long size = 0; // TooShort, NotStarFile: the file's size in bytes
};

// What a settings or star file holds beside its record.
struct SettingsContents {
    StarExtras extras;                       // the defaults without a block
    ExtrasBlock block = ExtrasBlock::Absent; // Unknown: saving over it would lose data
};

// Reads the first 68 bytes of the file. No file, an unreadable file, anything but a
// regular file or a file shorter than a whole record gives nothing, and problem (when
// given) says why; longer files are read by their first 68 bytes. The record comes
// back exactly as stored, without range checks. contents (when given) receives the
// extension block after the record.
std::optional<ShapeSettings> ReadSettingsFile(const std::string &path,
                                              SettingsProblem *problem = nullptr,
                                              SettingsContents *contents = nullptr);

// Reads a star file the user names: a regular file of exactly 68 bytes, or of a
// record followed by what begins as an extension block. Anything else gives
// nothing, and problem (when given) says why.
std::optional<ShapeSettings> ReadStarFile(const std::string &path,
                                          SettingsProblem *problem = nullptr,
                                          SettingsContents *contents = nullptr);

// The record a settings file holding these bytes gives: nothing when they are
// fewer than 68, else the first 68, as stored.
std::optional<ShapeSettings> SettingsFromFileBytes(const uint8_t *data, std::size_t size);

// The record a program starts from: a loaded one brought into the editors' ranges,
// or, with nothing loaded, the default parameters and colours.
ShapeSettings StartingRecord(const std::optional<ShapeSettings> &loaded);

// Writes the record (68 bytes) and, unless extras are the defaults, their block, as
// an OutputFile: through a temporary file renamed over
// the target, so a failed or interrupted save leaves any earlier file as it was. On failure returns
// false and, when errorText is given, a description of the cause.
bool WriteSettingsFile(const std::string &path, const ShapeSettings &settings,
                       std::string *errorText = nullptr, const StarExtras &extras = {});
