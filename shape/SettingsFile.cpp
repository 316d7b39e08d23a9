#include "SettingsFile.h"

#include "ColorValue.h"
#include "FileNames.h"
#include "OutputFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

std::nullopt_t Refuse(SettingsProblem *problem, SettingsProblem::Kind kind, std::string cause = {},
                      long long size = 0) {
    if (problem)
        *problem = {kind, std::move(cause), size};
    return std::nullopt;
}

} // namespace

std::optional<ShapeSettings> ReadSettingsFile(const std::string &path, SettingsProblem *problem,
                                              SettingsContents *contents) {
    // Only a regular file holds settings: reading a FIFO or a device could block or
    // never end.
    const FileStatus status = StatusOf(path);
    if (status.kind == FileStatus::Missing)
        return Refuse(problem, SettingsProblem::System, std::strerror(status.error));
    if (status.kind == FileStatus::Directory)
        return Refuse(problem, SettingsProblem::System, std::strerror(EISDIR));
    if (status.kind != FileStatus::Regular)
        return Refuse(problem, SettingsProblem::NotRegular);
    std::FILE *file = OpenForReading(path);
    if (!file)
        return Refuse(problem, SettingsProblem::System, std::strerror(errno));
    // The record, and an extension block after it; one byte more than the largest
    // block tells a longer file apart.
    std::array<uint8_t, kSettingsSize + kMaxExtrasBlock + 1> bytes{};
    const std::size_t read = std::fread(bytes.data(), 1, bytes.size(), file);
    const bool failed = std::ferror(file) != 0;
    const int readError = errno;
    std::fclose(file);
    if (failed)
        return Refuse(problem, SettingsProblem::System, std::strerror(readError));
    if (read < kSettingsSize)
        return Refuse(problem, SettingsProblem::TooShort, {}, (long long)read);
    if (contents)
        contents->extras =
            DecodeExtras(bytes.data() + kSettingsSize, read - kSettingsSize, &contents->block);
    return SettingsFromFileBytes(bytes.data(), read);
}

std::optional<ShapeSettings> ReadStarFile(const std::string &path, SettingsProblem *problem,
                                          SettingsContents *contents) {
    // Exactly a record, or a record and what begins as an extension block: anything
    // else is not a star file, and saving over it would destroy someone's data.
    const FileStatus status = StatusOf(path);
    if (status.kind == FileStatus::Regular && std::size_t(status.size) != kSettingsSize) {
        ExtrasBlock block = ExtrasBlock::Absent;
        if (std::FILE *file = OpenForReading(path)) {
            std::array<uint8_t, kSettingsSize + 4> head{};
            const std::size_t read = std::fread(head.data(), 1, head.size(), file);
            std::fclose(file);
            if (read == head.size())
                DecodeExtras(head.data() + kSettingsSize, 4, &block);
        }
        if (block == ExtrasBlock::Absent)
            return Refuse(problem, SettingsProblem::NotStarFile, {}, status.size);
    }
    return ReadSettingsFile(path, problem, contents);
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
                       std::string *errorText, const StarExtras &extras) {
    const SettingsBytes record = EncodeSettings(settings);
    std::vector<uint8_t> bytes(record.begin(), record.end());
    const std::vector<uint8_t> block = EncodeExtras(extras);
    bytes.insert(bytes.end(), block.begin(), block.end());
    OutputFile file(path);
    const bool written = file.Open() && file.Write(bytes.data(), bytes.size()) && file.Commit();
    if (!written && errorText)
        *errorText = file.Error();
    return written;
}
