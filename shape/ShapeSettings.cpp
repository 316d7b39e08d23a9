#include "ShapeSettings.h"

#include <algorithm>

namespace {

class ByteWriter {
public:
    explicit ByteWriter(SettingsBytes &bytes) : bytes_(bytes) {}
    void U32(uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes_[pos_++] = static_cast<uint8_t>(v >> (8 * i));
    }
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    void U8(uint8_t v) { bytes_[pos_++] = v; }
    template <std::size_t N> void Raw(const uint8_t (&v)[N]) {
        for (uint8_t b : v)
            U8(b);
    }

private:
    SettingsBytes &bytes_;
    std::size_t pos_ = 0;
};

class ByteReader {
public:
    explicit ByteReader(const SettingsBytes &bytes) : bytes_(bytes) {}
    uint32_t U32() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<uint32_t>(bytes_[pos_++]) << (8 * i);
        return v;
    }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    uint8_t U8() { return bytes_[pos_++]; }
    template <std::size_t N> void Raw(uint8_t (&v)[N]) {
        for (uint8_t &b : v)
            b = U8();
    }

private:
    const SettingsBytes &bytes_;
    std::size_t pos_ = 0;
};

} // namespace

SettingsBytes EncodeSettings(const ShapeSettings &s) {
    SettingsBytes bytes{};
    ByteWriter w(bytes);
    w.I32(s.Points);
    w.I32(s.InnerRate);
    w.I32(s.ClientWidth);
    w.I32(s.ClientHeight);
    w.I32(s.InnerTwist);
    w.I32(s.OuterTwist);
    w.I32(s.CenterXRate);
    w.I32(s.CenterYRate);
    w.I32(s.SaveRate);
    w.U8(s.SameSize);
    w.U8(s.Fill);
    w.Raw(s.Reserved1);
    w.U32(s.ForeColor);
    w.U32(s.BackColor);
    w.I32(s.LeanAngle);
    w.I32(s.OuterRate);
    w.U8(s.Trans);
    w.Raw(s.Reserved2);
    w.I32(s.Left);
    w.I32(s.Top);
    return bytes;
}

ShapeSettings DecodeSettings(const SettingsBytes &bytes) {
    ShapeSettings s{};
    ByteReader r(bytes);
    s.Points = r.I32();
    s.InnerRate = r.I32();
    s.ClientWidth = r.I32();
    s.ClientHeight = r.I32();
    s.InnerTwist = r.I32();
    s.OuterTwist = r.I32();
    s.CenterXRate = r.I32();
    s.CenterYRate = r.I32();
    s.SaveRate = r.I32();
    s.SameSize = r.U8();
    s.Fill = r.U8();
    r.Raw(s.Reserved1);
    s.ForeColor = r.U32();
    s.BackColor = r.U32();
    s.LeanAngle = r.I32();
    s.OuterRate = r.I32();
    s.Trans = r.U8();
    r.Raw(s.Reserved2);
    s.Left = r.I32();
    s.Top = r.I32();
    return s;
}

void ClampToEditorRanges(ShapeSettings &s) {
    using namespace settings_range;
    s.Points = std::clamp(s.Points, kMinPoints, kMaxPoints);
    s.InnerRate = std::clamp(s.InnerRate, kMinRate, kMaxRate);
    s.OuterRate = std::clamp(s.OuterRate, kMinRate, kMaxRate);
    s.InnerTwist = std::clamp(s.InnerTwist, kMinTwist, kMaxTwist);
    s.OuterTwist = std::clamp(s.OuterTwist, kMinTwist, kMaxTwist);
    s.CenterXRate = std::clamp(s.CenterXRate, kMinCenterRate, kMaxCenterRate);
    s.CenterYRate = std::clamp(s.CenterYRate, kMinCenterRate, kMaxCenterRate);
    s.LeanAngle = std::clamp(s.LeanAngle, kMinLean, kMaxLean);
    s.SaveRate = std::clamp(s.SaveRate, kMinSaveRate, kMaxSaveRate);
}

void ApplyDefaultParameters(ShapeSettings &s) {
    s.InnerTwist = 0;
    s.OuterTwist = 0;
    s.Points = 20;
    s.InnerRate = 70;
    s.CenterXRate = 0;
    s.CenterYRate = 0;
    s.SaveRate = 1;
    s.OuterRate = 100;
    s.LeanAngle = 0;
    s.Trans = 0;
}
