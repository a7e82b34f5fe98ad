// Builds the bytes of a password file item by item, for hand-made fixtures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/SystemTime.h"

namespace kv::test {

class FileBytes {
public:
    FileBytes& Int(std::int32_t value) {
        const auto v = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<unsigned char>(v >> shift));
        return *this;
    }
    FileBytes& Tag(char letter) { return Int(letter); }
    // `size` bytes holding the start of `text`, zero-padded.
    FileBytes& Block(const std::string& text, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            bytes_.push_back(i < text.size() ? static_cast<unsigned char>(text[i]) : 0);
        }
        return *this;
    }
    // An unencrypted string item.
    FileBytes& String(const std::string& text) {
        const std::size_t padded = (text.size() + 8) / 8 * 8;
        Int(static_cast<std::int32_t>(padded));
        return Block(text, padded);
    }
    FileBytes& Date(const SystemTime& t) {
        const std::uint16_t words[8] = {t.wYear, t.wMonth, t.wDayOfWeek, t.wDay,
                                        t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
        for (const std::uint16_t w : words) {
            bytes_.push_back(static_cast<unsigned char>(w));
            bytes_.push_back(static_cast<unsigned char>(w >> 8));
        }
        return *this;
    }
    FileBytes& Version(const std::string& version) { return Tag('V').Block(version, 4); }

    const std::vector<unsigned char>& bytes() const { return bytes_; }
    std::vector<unsigned char>& bytes() { return bytes_; }

private:
    std::vector<unsigned char> bytes_;
};

}  // namespace kv::test
