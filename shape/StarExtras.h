#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The star's parameters beyond the 68-byte record: rounded corners, irregular jags
// and the outline's width and colour. At their defaults the star is the record's
// star exactly, and a file holding them is the 68-byte record alone.
struct StarExtras {
    int32_t TipRounding = 0;    // outer corners, percent of the largest possible arc
    int32_t ValleyRounding = 0; // inner corners, the same
    int32_t Irregularity = 0;   // percent of each vertex's radius and half-spacing
    uint32_t Seed = 0;          // picks the irregular offsets
    int32_t LineWidth = 1;      // outline width, pixels at magnification 1
    bool OwnLineColor = false;  // false: the outline has the star's colour
    uint32_t LineColor = 0;     // colour value of the outline when OwnLineColor

    friend bool operator==(const StarExtras &, const StarExtras &) = default;
    bool IsDefault() const { return *this == StarExtras{}; }
};

namespace extras_range {
constexpr int32_t kMinPercent = 0, kMaxPercent = 100;
constexpr int32_t kMinLineWidth = 1, kMaxLineWidth = 100;
} // namespace extras_range

// Brings every field into its range.
void ClampExtras(StarExtras &extras);

// The extension block that follows the record in a file (its layout is in the
// README). Empty for the defaults, so such a file stays 68 bytes.
std::vector<uint8_t> EncodeExtras(const StarExtras &extras);

// What the bytes after the record hold: nothing of ours (no bytes, or bytes that do
// not begin with the tag), a block this version reads whole, or a block with more
// than it knows (a later version, flag bits it does not know, a truncated or
// longer block, bytes after the block). Saving over the last would lose data.
enum class ExtrasBlock { Absent, Understood, Unknown };

// The extras from the bytes after the record, the defaults where there are none.
// A later version's block keeps the meaning of the first 28 bytes of fields, so
// they are read from any block that holds them; the flags' bit 0 alike. Values out
// of range are brought into it. block (when given) says what the bytes hold.
StarExtras DecodeExtras(const uint8_t *data, std::size_t size, ExtrasBlock *block = nullptr);

// The largest block a reader looks at.
inline constexpr std::size_t kMaxExtrasBlock = 256;
