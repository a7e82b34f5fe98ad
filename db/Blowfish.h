// The Blowfish block cipher (64-bit blocks, 16 rounds) in electronic-codebook
// mode, keyed with a text zero-padded to 56 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kv {

class CBlowfish {
public:
    static constexpr std::size_t kKeyLength = 56;
    static constexpr std::size_t kBlockSize = 8;

    CBlowfish() { Reset(); }
    // Reset followed by SetKey.
    explicit CBlowfish(std::string_view key) { SetKey(key); }
    CBlowfish(const CBlowfish&) = delete;
    CBlowfish& operator=(const CBlowfish&) = delete;
    ~CBlowfish();

    // Loads the initial tables.
    void Reset();

    // Keys the cipher with the text, cut to or zero-padded to 56 bytes; the
    // schedule always runs with the full 56-byte key.
    void SetKey(std::string_view key);

    // The published key schedule for a key of any length from 1 byte up.
    void SetKeyBytes(const unsigned char* key, std::size_t length);

    void EncryptBlock(std::uint32_t& left, std::uint32_t& right) const;
    void DecryptBlock(std::uint32_t& left, std::uint32_t& right) const;

    // Transforms every whole 8-byte block of the buffer in place, each read
    // and written big-endian; a trailing partial block is left as it is.
    bool EncryptBuffer(unsigned char* buffer, std::size_t length) const;
    bool DecryptBuffer(unsigned char* buffer, std::size_t length) const;

private:
    using BlockTransform = void (CBlowfish::*)(std::uint32_t&, std::uint32_t&) const;
    void WalkBlocks(unsigned char* buffer, std::size_t length, BlockTransform transform) const;

    std::uint32_t F(std::uint32_t x) const {
        return ((S[0][x >> 24] + S[1][(x >> 16) & 0xFF]) ^ S[2][(x >> 8) & 0xFF]) + S[3][x & 0xFF];
    }

    std::uint32_t P[18];
    std::uint32_t S[4][256];
};

}  // namespace kv
