// The generator's built-in word list (resource "WORDLIST" 162): common
// English words in ascending order, front-coded. Each entry is one byte with
// the number of leading characters taken over from the previous word, one
// byte n with the number of characters that follow, and those n characters;
// an entry of two zero bytes ends the list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kv {

// The words of a list; nothing when the bytes are not a whole list (an
// entry runs past the end, takes over more characters than the previous word
// has, or the end marker is missing). Bytes after the end marker are ignored.
std::optional<std::vector<std::string>> DecodeWordList(const std::uint8_t* data, std::size_t size);

}  // namespace kv
