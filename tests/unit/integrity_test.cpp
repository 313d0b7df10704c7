#include "app/integrity.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace wavelith::integrity {

namespace {

std::string hex(const Digest& digest) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (uint8_t byte : digest) {
        out += digits[byte >> 4];
        out += digits[byte & 15];
    }
    return out;
}

Digest sha(const std::string& text) { return sha256(reinterpret_cast<const uint8_t*>(text.data()), text.size()); }

void putLittle32(std::vector<uint8_t>& image, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) image[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A minimal PE image: headers, one section ".data" at RVA 0x1000 whose raw bytes start at
// file offset 0x200, holding a stamp at section offset 0x40.
std::vector<uint8_t> fakeImage() {
    std::vector<uint8_t> image(0x400, 0xCC);
    image[0] = 'M';
    image[1] = 'Z';
    putLittle32(image, 0x3C, 0x80);
    std::memcpy(&image[0x80], "PE\0\0", 4);
    image[0x80 + 6] = 1;  // one section
    image[0x80 + 7] = 0;
    image[0x80 + 20] = 0xF0;  // optional header size
    image[0x80 + 21] = 0;
    size_t section = 0x80 + 24 + 0xF0;
    std::memcpy(&image[section], ".data\0\0\0", 8);
    putLittle32(image, section + 8, 0x100);    // virtual size
    putLittle32(image, section + 12, 0x1000);  // virtual address
    putLittle32(image, section + 16, 0x200);   // raw size
    putLittle32(image, section + 20, 0x200);   // raw offset
    std::memcpy(&image[0x240], kMarker.data(), kMarkerSize);
    std::memset(&image[0x240 + kMarkerSize], 0, kDigestSize);
    return image;
}

}  // namespace

TEST(Integrity, Sha256KnownAnswers) {
    EXPECT_EQ(hex(sha("")), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(hex(sha("abc")), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(hex(sha("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    // 55, 56 and 64 bytes: the padding boundaries.
    EXPECT_EQ(hex(sha(std::string(55, 'a'))), "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318");
    EXPECT_EQ(hex(sha(std::string(56, 'a'))), "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a");
    EXPECT_EQ(hex(sha(std::string(64, 'a'))), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb");
    EXPECT_EQ(hex(sha(std::string(1000000, 'a'))), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(Integrity, RvaMapsIntoTheSectionsRawBytes) {
    std::vector<uint8_t> image = fakeImage();
    EXPECT_EQ(fileOffsetOfRva(image, 0x1040), 0x240u);
    EXPECT_EQ(fileOffsetOfRva(image, 0x1000), 0x200u);
    EXPECT_EQ(fileOffsetOfRva(image, 0x0FFF), std::nullopt);
    EXPECT_EQ(fileOffsetOfRva(image, 0x1200), std::nullopt);
    std::vector<uint8_t> notPe(0x400, 0);
    EXPECT_EQ(fileOffsetOfRva(notPe, 0x1040), std::nullopt);
    std::vector<uint8_t> truncated(image.begin(), image.begin() + 0x90);
    EXPECT_EQ(fileOffsetOfRva(truncated, 0x1040), std::nullopt);
    std::vector<uint8_t> hostileHeader = image;
    putLittle32(hostileHeader, 0x3C, 0xFFFFFFF0);
    EXPECT_EQ(fileOffsetOfRva(hostileHeader, 0x1040), std::nullopt);
}

TEST(Integrity, StampedImageVerifiesAndAnyChangeIsDetected) {
    std::vector<uint8_t> image = fakeImage();
    EXPECT_FALSE(verifyImage(image, 0x240, kMarker)) << "an unstamped image fails";
    ASSERT_EQ(stampImage(image, kMarker), StampResult::Stamped);
    EXPECT_TRUE(verifyImage(image, 0x240, kMarker));
    EXPECT_TRUE(verifyImage(image, *fileOffsetOfRva(image, 0x1040), kMarker));

    for (size_t at : {size_t{0}, size_t{0x100}, size_t{0x239}, size_t{0x240 + kMarkerSize + 3}, image.size() - 1}) {
        std::vector<uint8_t> changed = image;
        changed[at] ^= 0x01;
        EXPECT_FALSE(verifyImage(changed, 0x240, kMarker)) << "byte " << at;
    }
    std::vector<uint8_t> appended = image;
    appended.push_back(0);
    EXPECT_FALSE(verifyImage(appended, 0x240, kMarker));
    std::vector<uint8_t> cut(image.begin(), image.end() - 1);
    EXPECT_FALSE(verifyImage(cut, 0x240, kMarker));
    EXPECT_FALSE(verifyImage(image, image.size() - 10, kMarker)) << "a stamp past the end";
}

TEST(Integrity, StampingNeedsExactlyOneMarker) {
    std::vector<uint8_t> none(0x400, 0);
    EXPECT_EQ(stampImage(none, kMarker), StampResult::MarkerMissing);
    std::vector<uint8_t> twice = fakeImage();
    std::memcpy(&twice[0x300], kMarker.data(), kMarkerSize);
    EXPECT_EQ(stampImage(twice, kMarker), StampResult::MarkerNotUnique);
    std::vector<uint8_t> atTheEnd(kMarker.begin(), kMarker.end());
    EXPECT_EQ(stampImage(atTheEnd, kMarker), StampResult::MarkerMissing) << "no room for the digest";
}

}  // namespace wavelith::integrity
