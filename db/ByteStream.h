// Little-endian reading and writing of the items of a password file.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace kv {

// Reads from a byte buffer it does not own; every read checks that the bytes
// are there, and decrypting happens in place.
class ByteReader {
public:
    ByteReader(unsigned char* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t Remaining() const { return size_ - pos_; }
    bool AtEnd() const { return pos_ == size_; }

    bool ReadInt32(std::int32_t& value) {
        if (Remaining() < 4) return false;
        const unsigned char* p = data_ + pos_;
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) |
                                          static_cast<std::uint32_t>(p[1]) << 8 |
                                          static_cast<std::uint32_t>(p[2]) << 16 |
                                          static_cast<std::uint32_t>(p[3]) << 24);
        pos_ += 4;
        return true;
    }

    // The next `size` bytes, writable, or null when the buffer ends before.
    unsigned char* Take(std::size_t size) {
        if (Remaining() < size) return nullptr;
        unsigned char* p = data_ + pos_;
        pos_ += size;
        return p;
    }

private:
    unsigned char* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

class ByteWriter {
public:
    void WriteInt32(std::int32_t value) {
        const auto v = static_cast<std::uint32_t>(value);
        unsigned char* bytes = Append(4);
        for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(v >> (8 * i));
    }

    // Appends `size` zero bytes and returns where they start, to be filled in.
    unsigned char* Append(std::size_t size) {
        const std::size_t start = data_.size();
        data_.resize(start + size);
        return data_.data() + start;
    }

    void WriteBytes(const void* bytes, std::size_t size) {
        std::memcpy(Append(size), bytes, size);
    }

    const std::vector<unsigned char>& Data() const { return data_; }
    std::vector<unsigned char>& Data() { return data_; }

private:
    std::vector<unsigned char> data_;
};

// The length of the text at the start of a buffer: up to its first zero byte or its end.
inline std::size_t TextLength(const unsigned char* bytes, std::size_t size) {
    const void* zero = std::memchr(bytes, 0, size);
    return zero != nullptr ? static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - bytes) : size;
}

inline std::string TextOf(const unsigned char* bytes, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(bytes), TextLength(bytes, size));
}

}  // namespace kv
