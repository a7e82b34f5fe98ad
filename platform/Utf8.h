// Encoding and decoding of UTF-8 sequences.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/SecretString.h"

namespace kv::utf8 {

// Appends the one to four bytes of a code point.
void Append(std::string& out, char32_t cp);
void Append(SecretString& out, char32_t cp);

// Decodes the sequence at `pos` and moves past it; nothing when it is
// malformed, overlong, a surrogate or beyond U+10FFFF.
std::optional<char32_t> Decode(std::string_view text, std::size_t& pos);

}  // namespace kv::utf8
