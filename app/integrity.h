// The integrity self-check of the program file.
//
// The build links a stamp into Wavelith.exe: a 32-byte marker followed by a 32-byte digest
// field. After linking, tools/integrity_stamp finds the marker and writes into the digest
// field the SHA-256 of the whole file as it is with that field zeroed. At start-up the
// program reads its own file, finds the stamp through the stamp's address in memory,
// and recomputes the digest the same way. Any changed, added or removed byte makes them
// differ. This catches damage and casual patching; it is no defence against someone who
// re-stamps a patched file, which no self-contained check can be.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// The marker: 31 characters and the terminating NUL fill the 32-byte marker field. Spelled
// only where the stamp is defined and in the stamping tool, so that it occurs exactly once in
// the program file.
#define WAVELITH_INTEGRITY_MARKER "Wavelith integrity stamp v1 ---"

namespace wavelith::integrity {

constexpr size_t kMarkerSize = 32;
constexpr size_t kDigestSize = 32;
using Digest = std::array<uint8_t, kDigestSize>;

struct Stamp {
    char marker[kMarkerSize];
    uint8_t digest[kDigestSize];
};
static_assert(sizeof(Stamp) == kMarkerSize + kDigestSize, "the stamp has no padding");

constexpr std::string_view kMarker{WAVELITH_INTEGRITY_MARKER, kMarkerSize};

Digest sha256(const uint8_t* data, size_t size);

// The digest of an image whose stamp starts at stampOffset: the digest field counts as zeros.
Digest imageDigest(const std::vector<uint8_t>& image, size_t stampOffset);

// Where a relative virtual address of a PE image lies in its file, if anywhere.
std::optional<size_t> fileOffsetOfRva(const std::vector<uint8_t>& image, uint32_t rva);

enum class StampResult { Stamped, MarkerMissing, MarkerNotUnique };
StampResult stampImage(std::vector<uint8_t>& image, std::string_view marker);

// True when the stamp at stampOffset carries this marker and the digest of the image.
bool verifyImage(const std::vector<uint8_t>& image, size_t stampOffset, std::string_view marker);

}  // namespace wavelith::integrity
