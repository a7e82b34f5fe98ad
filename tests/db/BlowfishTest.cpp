#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "db/Blowfish.h"

namespace kv {
namespace {

std::vector<unsigned char> Hex(const std::string& hex) {
    std::vector<unsigned char> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<unsigned char>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

std::string ToHex(const std::vector<unsigned char>& bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (const unsigned char b : bytes) {
        hex += kDigits[b >> 4];
        hex += kDigits[b & 15];
    }
    return hex;
}

struct Vector {
    const char* key;
    const char* plain;
    const char* cipher;
};

// Eric Young's published test vectors for 8-byte keys.
const Vector kEcbVectors[] = {
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
    {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
    {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
    {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
    {"1111111111111111", "0123456789ABCDEF", "7D0CC630AFDA1EC7"},
    {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
    {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
    {"0131D9619DC1376E", "5CD54CA83DEF57DA", "B1B8CC0B250F09A0"},
};

TEST(BlowfishTest, PublishedVectorsEncryptAndDecrypt) {
    for (const Vector& v : kEcbVectors) {
        const std::vector<unsigned char> key = Hex(v.key);
        CBlowfish cipher;
        cipher.SetKeyBytes(key.data(), key.size());
        std::vector<unsigned char> block = Hex(v.plain);
        cipher.EncryptBuffer(block.data(), block.size());
        EXPECT_EQ(ToHex(block), v.cipher) << "key " << v.key;
        cipher.DecryptBuffer(block.data(), block.size());
        EXPECT_EQ(ToHex(block), v.plain) << "key " << v.key;
    }
}

TEST(BlowfishTest, PublishedVariableKeyLengthVectors) {
    const std::vector<unsigned char> key = Hex("F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677");
    const struct {
        std::size_t length;
        const char* cipher;
    } kExpected[] = {{1, "F9AD597C49DB005E"}, {2, "E91D21C1D961A6D6"}, {8, "E87A244E2CC85E82"},
                     {16, "93142887EE3BE15C"}, {24, "05044B62FA52D080"}};
    for (const auto& e : kExpected) {
        CBlowfish cipher;
        cipher.SetKeyBytes(key.data(), e.length);
        std::vector<unsigned char> block = Hex("FEDCBA9876543210");
        cipher.EncryptBuffer(block.data(), block.size());
        EXPECT_EQ(ToHex(block), e.cipher) << e.length << " key bytes";
    }
}

TEST(BlowfishTest, BlockHalvesAreBigEndianWords) {
    CBlowfish cipher;
    cipher.SetKeyBytes(Hex("0123456789ABCDEF").data(), 8);
    std::uint32_t left = 0x11111111;
    std::uint32_t right = 0x11111111;
    cipher.EncryptBlock(left, right);
    EXPECT_EQ(left, 0x61F9C380u);
    EXPECT_EQ(right, 0x2281B096u);
    cipher.DecryptBlock(left, right);
    EXPECT_EQ(left, 0x11111111u);
    EXPECT_EQ(right, 0x11111111u);
}

std::string EncryptUnder(const std::string& keyText, const std::string& plain) {
    CBlowfish cipher(keyText.c_str());
    std::vector<unsigned char> block(plain.begin(), plain.end());
    cipher.EncryptBuffer(block.data(), block.size());
    return ToHex(block);
}

// Reference values from an independent Blowfish implementation keyed with the
// text zero-padded to 56 bytes.
TEST(BlowfishTest, TextKeysArePaddedToFiftySixBytes) {
    EXPECT_EQ(EncryptUnder("abc", "ABCDEFGH"), "636CC0F497177CB9");
    EXPECT_EQ(EncryptUnder("", "ABCDEFGH"), "7226D1DA721C4ED9");
    EXPECT_EQ(EncryptUnder("correct horse battery staple", "ABCDEFGH"), "00DE11A29ABE5D4C");
    EXPECT_EQ(EncryptUnder(std::string(60, 'x'), std::string(8, '\0')), "3B66C1A342DF3F91");
}

TEST(BlowfishTest, KeyTextIsCutAtFiftySixBytesAndAtItsZero) {
    const std::string sixty(60, 'k');
    EXPECT_EQ(EncryptUnder(sixty, "12345678"), EncryptUnder(sixty.substr(0, 56), "12345678"));
    EXPECT_NE(EncryptUnder(sixty.substr(0, 55), "12345678"), EncryptUnder(sixty.substr(0, 56), "12345678"));
    const char withZeros[] = "abc\0\0\0\0def";
    CBlowfish padded(withZeros);
    CBlowfish plain("abc");
    std::uint32_t l1 = 1, r1 = 2, l2 = 1, r2 = 2;
    padded.EncryptBlock(l1, r1);
    plain.EncryptBlock(l2, r2);
    EXPECT_EQ(l1, l2);
    EXPECT_EQ(r1, r2);
}

TEST(BlowfishTest, BufferWalkLeavesShortBuffersAndTailsAlone) {
    CBlowfish cipher("key");
    for (std::size_t length = 0; length <= 7; ++length) {
        std::vector<unsigned char> buffer(length, 0x5A);
        cipher.EncryptBuffer(buffer.data(), buffer.size());
        EXPECT_EQ(buffer, std::vector<unsigned char>(length, 0x5A));
        cipher.DecryptBuffer(buffer.data(), buffer.size());
        EXPECT_EQ(buffer, std::vector<unsigned char>(length, 0x5A));
    }
    std::vector<unsigned char> twelve = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'i', 'j', 'k', 'l'};
    cipher.EncryptBuffer(twelve.data(), twelve.size());
    EXPECT_EQ(std::string(twelve.begin() + 8, twelve.end()), "ijkl");
    EXPECT_NE(std::string(twelve.begin(), twelve.begin() + 8), "ABCDEFGH");
}

TEST(BlowfishTest, DecryptInvertsEncryptForEveryLength) {
    CBlowfish cipher("master");
    for (std::size_t length = 0; length <= 40; ++length) {
        std::vector<unsigned char> original(length);
        for (std::size_t i = 0; i < length; ++i) original[i] = static_cast<unsigned char>(i * 37 + 1);
        std::vector<unsigned char> buffer = original;
        cipher.EncryptBuffer(buffer.data(), buffer.size());
        if (length >= 8) {
            EXPECT_NE(buffer, original);
        }
        cipher.DecryptBuffer(buffer.data(), buffer.size());
        EXPECT_EQ(buffer, original) << length;
    }
}

TEST(BlowfishTest, EcbModeEncryptsEqualBlocksAlike) {
    CBlowfish cipher("k");
    std::vector<unsigned char> buffer(16, 'z');
    cipher.EncryptBuffer(buffer.data(), buffer.size());
    EXPECT_TRUE(std::equal(buffer.begin(), buffer.begin() + 8, buffer.begin() + 8));
}

}  // namespace
}  // namespace kv
