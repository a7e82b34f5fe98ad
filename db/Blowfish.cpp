#include "db/Blowfish.h"

#include <cstring>

#include "db/BlowfishTables.h"
#include "platform/SecureWipe.h"

namespace kv {
namespace {

std::uint32_t LoadBigEndian(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]);
}

void StoreBigEndian(unsigned char* p, std::uint32_t v) {
    p[0] = static_cast<unsigned char>(v >> 24);
    p[1] = static_cast<unsigned char>(v >> 16);
    p[2] = static_cast<unsigned char>(v >> 8);
    p[3] = static_cast<unsigned char>(v);
}

}  // namespace

CBlowfish::~CBlowfish() {
    SecureWipe(P, sizeof P);
    SecureWipe(S, sizeof S);
}

void CBlowfish::Reset() {
    std::memcpy(P, kBlowfishInitialP, sizeof P);
    std::memcpy(S, kBlowfishInitialS, sizeof S);
}

void CBlowfish::SetKey(std::string_view key) {
    unsigned char padded[kKeyLength] = {};
    for (std::size_t i = 0; i < kKeyLength && i < key.size() && key[i] != '\0'; ++i) {
        padded[i] = static_cast<unsigned char>(key[i]);
    }
    SetKeyBytes(padded, kKeyLength);
    SecureWipe(padded, sizeof padded);
}

void CBlowfish::SetKeyBytes(const unsigned char* key, std::size_t length) {
    Reset();
    std::size_t j = 0;
    for (std::uint32_t& subkey : P) {
        std::uint32_t word = 0;
        for (int k = 0; k < 4; ++k) {
            word = (word << 8) | key[j];
            j = (j + 1) % length;
        }
        subkey ^= word;
    }
    std::uint32_t left = 0;
    std::uint32_t right = 0;
    for (std::size_t i = 0; i < 18; i += 2) {
        EncryptBlock(left, right);
        P[i] = left;
        P[i + 1] = right;
    }
    for (auto& box : S) {
        for (std::size_t i = 0; i < 256; i += 2) {
            EncryptBlock(left, right);
            box[i] = left;
            box[i + 1] = right;
        }
    }
}

void CBlowfish::EncryptBlock(std::uint32_t& left, std::uint32_t& right) const {
    std::uint32_t l = left;
    std::uint32_t r = right;
    for (int i = 0; i < 16; i += 2) {
        l ^= P[i];
        r ^= F(l);
        r ^= P[i + 1];
        l ^= F(r);
    }
    left = r ^ P[17];
    right = l ^ P[16];
}

void CBlowfish::DecryptBlock(std::uint32_t& left, std::uint32_t& right) const {
    std::uint32_t l = left;
    std::uint32_t r = right;
    for (int i = 17; i > 1; i -= 2) {
        l ^= P[i];
        r ^= F(l);
        r ^= P[i - 1];
        l ^= F(r);
    }
    left = r ^ P[0];
    right = l ^ P[1];
}

bool CBlowfish::EncryptBuffer(unsigned char* buffer, std::size_t length) const {
    WalkBlocks(buffer, length, &CBlowfish::EncryptBlock);
    return true;
}

bool CBlowfish::DecryptBuffer(unsigned char* buffer, std::size_t length) const {
    WalkBlocks(buffer, length, &CBlowfish::DecryptBlock);
    return true;
}

void CBlowfish::WalkBlocks(unsigned char* buffer, std::size_t length, BlockTransform transform) const {
    for (std::size_t offset = 0; offset + kBlockSize <= length; offset += kBlockSize) {
        std::uint32_t left = LoadBigEndian(buffer + offset);
        std::uint32_t right = LoadBigEndian(buffer + offset + 4);
        (this->*transform)(left, right);
        StoreBigEndian(buffer + offset, left);
        StoreBigEndian(buffer + offset + 4, right);
    }
}

}  // namespace kv
