#include "SettingsFile.h"

#include "ColorValue.h"
#include "OutputFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

std::optional<ShapeSettings> ReadSettingsFile(const std::string &path) {
    // Only a regular file holds settings: reading a FIFO or a device could block or
    // never end.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (!file)
        return std::nullopt;
    SettingsBytes bytes{};
    const std::size_t read = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return SettingsFromFileBytes(bytes.data(), read);
}

std::optional<ShapeSettings> SettingsFromFileBytes(const uint8_t *data, std::size_t size) {
    if (size < kSettingsSize)
        return std::nullopt;
    SettingsBytes bytes{};
    std::copy_n(data, kSettingsSize, bytes.begin());
    return DecodeSettings(bytes);
}

ShapeSettings StartingRecord(const std::optional<ShapeSettings> &loaded) {
    ShapeSettings s{};
    if (loaded) {
        s = *loaded;
        ClampToEditorRanges(s);
    } else {
        ApplyDefaultParameters(s);
        s.ForeColor = kWindowTextColor;
        s.BackColor = kWindowColor;
    }
    return s;
}

bool WriteSettingsFile(const std::string &path, const ShapeSettings &settings,
                       std::string *errorText) {
    const SettingsBytes bytes = EncodeSettings(settings);
    OutputFile file(path);
    const bool written = file.Open() && file.Write(bytes.data(), bytes.size()) && file.Commit();
    if (!written && errorText)
        *errorText = file.Error();
    return written;
}
