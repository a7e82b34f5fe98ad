// The plain-text notes finder, counting the notes it is asked about (those
// the editor would have loaded into a rich edit control).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "views/SearchMatch.h"

namespace kv::test {

class CountingFinder : public PlainTextNotesFinder {
public:
    std::optional<TextRange> Find(const std::string& notes, const std::string& text, std::size_t from,
                                  std::uint32_t options) override {
        ++calls;
        return PlainTextNotesFinder::Find(notes, text, from, options);
    }
    std::size_t calls = 0;
};

}  // namespace kv::test
