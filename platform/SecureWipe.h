// Overwrites secrets in memory so that they do not outlive their use.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kv {

// Zeroes the bytes in a way the compiler may not remove.
void SecureWipe(void* data, std::size_t size);

// Zeroes the whole capacity of a string, then empties it.
void SecureWipe(std::string& text);

void SecureWipe(std::vector<unsigned char>& bytes);

}  // namespace kv
