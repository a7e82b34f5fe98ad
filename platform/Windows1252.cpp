#include "platform/Windows1252.h"

#include <cstdint>

#include "platform/Utf8.h"

namespace kv::windows1252 {
namespace {

// Code points of the bytes 0x80 to 0x9F; the others equal their byte value.
const std::uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t CodePointOf(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : byte;
}

std::optional<unsigned char> ByteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
    for (unsigned i = 0; i < 32; ++i) {
        if (kHighControls[i] == cp) return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

}  // namespace

SecretString ToUtf8(std::string_view text) {
    // At most three bytes a character: one buffer, no growth on the way.
    SecretString out = SecretString::WithCapacity(text.size() * 3);
    for (const char c : text) utf8::Append(out, CodePointOf(static_cast<unsigned char>(c)));
    return out;
}

std::optional<SecretString> FromUtf8(std::string_view text) {
    SecretString out = SecretString::WithCapacity(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::optional<char32_t> cp = utf8::Decode(text, pos);
        if (!cp) return std::nullopt;
        const std::optional<unsigned char> byte = ByteOf(*cp);
        if (!byte) return std::nullopt;
        out.Append(static_cast<char>(*byte));
    }
    return out;
}

unsigned char ToUpper(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
    switch (c) {
        case 0x9A: return 0x8A;  // s caron
        case 0x9C: return 0x8C;  // oe
        case 0x9E: return 0x8E;  // z caron
        case 0xFF: return 0x9F;  // y diaeresis
        default: break;
    }
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
    return c;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ToUpper(static_cast<unsigned char>(a[i])) != ToUpper(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}

}  // namespace kv::windows1252
