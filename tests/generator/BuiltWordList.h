// The bytes of resources/wordlist.bin, the word list resource as built.
#pragma once

#include <cstddef>

namespace kv::test {

extern const unsigned char kBuiltWordList[];
extern const std::size_t kBuiltWordListSize;

}  // namespace kv::test
