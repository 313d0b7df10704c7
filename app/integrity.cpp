#include "app/integrity.h"

#include <algorithm>
#include <cstring>

namespace wavelith::integrity {

namespace {

constexpr uint32_t kRoundConstants[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2,
};

uint32_t rotateRight(uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

void compressBlock(uint32_t state[8], const uint8_t block[64]) {
    uint32_t w[64];
    for (int i = 0; i < 16; ++i)
        w[i] = uint32_t{block[4 * i]} << 24 | uint32_t{block[4 * i + 1]} << 16 | uint32_t{block[4 * i + 2]} << 8 |
               uint32_t{block[4 * i + 3]};
    for (int i = 16; i < 64; ++i) {
        uint32_t s0 = rotateRight(w[i - 15], 7) ^ rotateRight(w[i - 15], 18) ^ (w[i - 15] >> 3);
        uint32_t s1 = rotateRight(w[i - 2], 17) ^ rotateRight(w[i - 2], 19) ^ (w[i - 2] >> 10);
        w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    uint32_t e = state[4], f = state[5], g = state[6], h = state[7];
    for (int i = 0; i < 64; ++i) {
        uint32_t t1 = h + (rotateRight(e, 6) ^ rotateRight(e, 11) ^ rotateRight(e, 25)) + ((e & f) ^ (~e & g)) +
                      kRoundConstants[i] + w[i];
        uint32_t t2 = (rotateRight(a, 2) ^ rotateRight(a, 13) ^ rotateRight(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
        h = g; g = f; f = e; e = d + t1;
        d = c; c = b; b = a; a = t1 + t2;
    }
    state[0] += a; state[1] += b; state[2] += c; state[3] += d;
    state[4] += e; state[5] += f; state[6] += g; state[7] += h;
}

uint32_t readLittle32(const std::vector<uint8_t>& image, size_t at) {
    return uint32_t{image[at]} | uint32_t{image[at + 1]} << 8 | uint32_t{image[at + 2]} << 16 |
           uint32_t{image[at + 3]} << 24;
}
uint16_t readLittle16(const std::vector<uint8_t>& image, size_t at) {
    return static_cast<uint16_t>(image[at] | image[at + 1] << 8);
}

}  // namespace

Digest sha256(const uint8_t* data, size_t size) {
    uint32_t state[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                         0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    size_t whole = size - size % 64;
    for (size_t at = 0; at < whole; at += 64) compressBlock(state, data + at);

    uint8_t tail[128] = {};
    size_t rest = size - whole;
    if (rest) std::memcpy(tail, data + whole, rest);
    tail[rest] = 0x80;
    size_t tailSize = rest + 9 <= 64 ? 64 : 128;
    uint64_t bits = static_cast<uint64_t>(size) * 8;
    for (int i = 0; i < 8; ++i) tail[tailSize - 1 - i] = static_cast<uint8_t>(bits >> (8 * i));
    for (size_t at = 0; at < tailSize; at += 64) compressBlock(state, tail + at);

    Digest digest;
    for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 4; ++j) digest[4 * i + j] = static_cast<uint8_t>(state[i] >> (24 - 8 * j));
    return digest;
}

Digest imageDigest(const std::vector<uint8_t>& image, size_t stampOffset) {
    std::vector<uint8_t> zeroed = image;
    size_t digestAt = stampOffset + kMarkerSize;
    if (digestAt <= zeroed.size())
        std::fill(zeroed.begin() + digestAt, zeroed.begin() + std::min(digestAt + kDigestSize, zeroed.size()), 0);
    return sha256(zeroed.data(), zeroed.size());
}

std::optional<size_t> fileOffsetOfRva(const std::vector<uint8_t>& image, uint32_t rva) {
    if (image.size() < 0x40 || image[0] != 'M' || image[1] != 'Z') return std::nullopt;
    size_t header = readLittle32(image, 0x3C);
    if (header > image.size() || image.size() - header < 24) return std::nullopt;
    if (std::memcmp(&image[header], "PE\0\0", 4) != 0) return std::nullopt;
    size_t sections = readLittle16(image, header + 6);
    size_t optionalHeaderSize = readLittle16(image, header + 20);
    size_t table = header + 24 + optionalHeaderSize;
    for (size_t i = 0; i < sections; ++i) {
        size_t entry = table + 40 * i;
        if (entry > image.size() || image.size() - entry < 40) return std::nullopt;
        uint64_t virtualSize = readLittle32(image, entry + 8);
        uint64_t virtualAddress = readLittle32(image, entry + 12);
        uint64_t rawSize = readLittle32(image, entry + 16);
        uint64_t rawOffset = readLittle32(image, entry + 20);
        if (rva < virtualAddress || rva - virtualAddress >= std::max(virtualSize, rawSize)) continue;
        uint64_t within = rva - virtualAddress;
        if (within >= rawSize || rawOffset + within >= image.size()) return std::nullopt;
        return static_cast<size_t>(rawOffset + within);
    }
    return std::nullopt;
}

StampResult stampImage(std::vector<uint8_t>& image, std::string_view marker) {
    auto first = std::search(image.begin(), image.end(), marker.begin(), marker.end());
    if (first == image.end()) return StampResult::MarkerMissing;
    if (std::search(first + 1, image.end(), marker.begin(), marker.end()) != image.end())
        return StampResult::MarkerNotUnique;
    size_t offset = static_cast<size_t>(first - image.begin());
    if (image.size() - offset < sizeof(Stamp)) return StampResult::MarkerMissing;
    Digest digest = imageDigest(image, offset);
    std::copy(digest.begin(), digest.end(), image.begin() + offset + kMarkerSize);
    return StampResult::Stamped;
}

bool verifyImage(const std::vector<uint8_t>& image, size_t stampOffset, std::string_view marker) {
    if (stampOffset > image.size() || image.size() - stampOffset < sizeof(Stamp)) return false;
    if (marker.size() != kMarkerSize || !std::equal(marker.begin(), marker.end(), image.begin() + stampOffset))
        return false;
    Digest digest = imageDigest(image, stampOffset);
    return std::equal(digest.begin(), digest.end(), image.begin() + stampOffset + kMarkerSize);
}

}  // namespace wavelith::integrity
