// The encodings of text files that import reads and export writes, and their
// conversion to and from the ANSI code page in which records hold their text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kv {

class Locale;

enum class TextEncoding { Ansi, Utf8, Utf8WithBom, Utf16LE, Utf16BE };

struct DecodedText {
    std::string text;  // in the ANSI code page
    TextEncoding encoding = TextEncoding::Ansi;
    // Characters that the ANSI code page cannot hold, each written as "?".
    std::size_t unrepresentable = 0;
};

// Recognises a UTF-8 or UTF-16 byte-order mark, else valid UTF-8 that holds
// at least one character beyond ASCII, else takes the bytes as ANSI text.
// Malformed UTF-16 (an odd last byte, a lone surrogate) counts as unrepresentable.
// ANSI bytes are moved into the result, not copied.
DecodedText DecodeToAnsi(std::string bytes, const Locale& locale);

// The summary's sentence about the characters that were read as "?"; empty
// when there were none.
std::string UnrepresentableNote(std::size_t count);

// What begins a UTF-8 file that says it is one.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace kv
