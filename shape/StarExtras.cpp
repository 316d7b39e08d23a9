#include "StarExtras.h"

#include <algorithm>
#include <array>
#include <cstring>

// The block: the tag "VTXB", a 16-bit little-endian version (1), a 16-bit length of
// the fields that follow (28), then the fields as 32-bit little-endian words:
// tip rounding, valley rounding, irregularity, seed, line width, line colour and
// flags (bit 0: the outline has its own colour). A later version may make the
// block longer and give it a higher version, but keeps these 28 bytes as they are.

namespace {

constexpr std::array<uint8_t, 4> kTag{'V', 'T', 'X', 'B'};
constexpr uint16_t kVersion = 1;
constexpr uint16_t kFieldsSize = 7 * 4;
constexpr std::size_t kHeaderSize = 8;

void PutWord(std::vector<uint8_t> &out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

uint32_t Word(const uint8_t *p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

} // namespace

void ClampExtras(StarExtras &e) {
    using namespace extras_range;
    e.TipRounding = std::clamp(e.TipRounding, kMinPercent, kMaxPercent);
    e.ValleyRounding = std::clamp(e.ValleyRounding, kMinPercent, kMaxPercent);
    e.Irregularity = std::clamp(e.Irregularity, kMinPercent, kMaxPercent);
    e.LineWidth = std::clamp(e.LineWidth, kMinLineWidth, kMaxLineWidth);
}

std::vector<uint8_t> EncodeExtras(const StarExtras &e) {
    std::vector<uint8_t> out;
    if (e.IsDefault())
        return out;
    out.assign(kTag.begin(), kTag.end());
    out.push_back(uint8_t(kVersion & 0xFF));
    out.push_back(uint8_t(kVersion >> 8));
    out.push_back(uint8_t(kFieldsSize & 0xFF));
    out.push_back(uint8_t(kFieldsSize >> 8));
    for (const int32_t v : {e.TipRounding, e.ValleyRounding, e.Irregularity})
        PutWord(out, uint32_t(v));
    PutWord(out, e.Seed);
    PutWord(out, uint32_t(e.LineWidth));
    PutWord(out, e.LineColor);
    PutWord(out, e.OwnLineColor ? 1u : 0u);
    return out;
}

StarExtras DecodeExtras(const uint8_t *data, std::size_t size, ExtrasBlock *block) {
    const auto found = [block](ExtrasBlock kind) {
        if (block)
            *block = kind;
    };
    if (size < kTag.size() || !std::equal(kTag.begin(), kTag.end(), data)) {
        found(ExtrasBlock::Absent);
        return {};
    }
    const unsigned version = size < kHeaderSize ? 0 : data[4] | unsigned(data[5]) << 8;
    const unsigned length = size < kHeaderSize ? 0 : data[6] | unsigned(data[7]) << 8;
    if (version < kVersion || length < kFieldsSize || size < kHeaderSize + kFieldsSize) {
        found(ExtrasBlock::Unknown);
        return {};
    }
    const uint8_t *f = data + kHeaderSize;
    StarExtras e;
    e.TipRounding = int32_t(Word(f));
    e.ValleyRounding = int32_t(Word(f + 4));
    e.Irregularity = int32_t(Word(f + 8));
    e.Seed = Word(f + 12);
    e.LineWidth = int32_t(Word(f + 16));
    e.LineColor = Word(f + 20);
    const uint32_t flags = Word(f + 24);
    e.OwnLineColor = (flags & 1) != 0;
    ClampExtras(e);
    const bool whole = version == kVersion && length == kFieldsSize &&
                       size == kHeaderSize + kFieldsSize && flags <= 1;
    found(whole ? ExtrasBlock::Understood : ExtrasBlock::Unknown);
    return e;
}
