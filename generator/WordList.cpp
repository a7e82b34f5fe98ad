#include "generator/WordList.h"

namespace kv {

std::optional<std::vector<std::string>> DecodeWordList(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> words;
    std::string word;
    std::size_t at = 0;
    while (at + 2 <= size) {
        const std::size_t kept = data[at];
        const std::size_t added = data[at + 1];
        if (kept == 0 && added == 0) return words;
        if (kept > word.size() || added > size - at - 2) return std::nullopt;
        word.resize(kept);
        word.append(reinterpret_cast<const char*>(data + at + 2), added);
        words.push_back(word);
        at += 2 + added;
    }
    return std::nullopt;
}

}  // namespace kv
