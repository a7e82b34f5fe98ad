# Writes the built word list resource (IN) as a C++ array (OUT), so that the
# tests read back exactly the bytes the program carries, on every platform.
file(READ "${IN}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE "${OUT}" "// Written by tests/generator/EmbedWordList.cmake from resources/wordlist.bin.
#include \"tests/generator/BuiltWordList.h\"

namespace kv::test {

const unsigned char kBuiltWordList[] = {${bytes}};
const std::size_t kBuiltWordListSize = sizeof kBuiltWordList;

}  // namespace kv::test
")
