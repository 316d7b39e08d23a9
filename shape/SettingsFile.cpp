#include "SettingsFile.h"

#include "ColorValue.h"

#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <cstdio>

std::optional<ShapeSettings> ReadSettingsFile(const std::string &path) {
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
    QSaveFile file(QString::fromStdString(path));
    // Unbuffered, so a failed write (a full disk) is seen here and not lost in a
    // flush whose error the commit would miss.
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                         file.write(reinterpret_cast<const char *>(bytes.data()),
                                    qint64(bytes.size())) == qint64(bytes.size()) &&
                         file.commit();
    if (!written && errorText)
        *errorText = file.errorString().toStdString();
    return written;
}
