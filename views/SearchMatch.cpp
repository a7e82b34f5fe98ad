#include "views/SearchMatch.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

#include "db/RichText.h"
#include "platform/Windows1252.h"

namespace kv {
namespace {

// The byte that a byte and its other-case form share.
unsigned char FoldCase(char c) {
    static const std::array<unsigned char, 256> kFolded = [] {
        std::array<unsigned char, 256> folded{};
        for (std::size_t i = 0; i < folded.size(); ++i) folded[i] = windows1252::ToUpper(static_cast<unsigned char>(i));
        return folded;
    }();
    return kFolded[static_cast<unsigned char>(c)];
}

bool SameText(std::string_view a, std::string_view b, bool ignoreCase) {
    if (!ignoreCase) return a == b;
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

// Where the (non-empty) `text` first occurs in `within` at or after `from`, npos when nowhere.
std::size_t FindText(std::string_view within, std::string_view text, std::size_t from, bool ignoreCase) {
    if (!ignoreCase) return within.find(text, from);
    if (from > within.size()) return std::string_view::npos;
    const auto found = std::search(within.begin() + static_cast<std::ptrdiff_t>(from), within.end(), text.begin(),
                                   text.end(), [](char x, char y) { return FoldCase(x) == FoldCase(y); });
    return found == within.end() ? std::string_view::npos : static_cast<std::size_t>(found - within.begin());
}

// Letters and digits of Windows-1252; every other character delimits words.
bool IsWordCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) return (byte >= '0' && byte <= '9') || ((byte | 0x20) >= 'a' && (byte | 0x20) <= 'z');
    switch (byte) {
        case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C: case 0x9E: case 0x9F:  // S, OE, Z, s, oe, z, Y
        case 0xAA: case 0xB5: case 0xBA:  // ordinal a, micro, ordinal o
            return true;
        default:
            return byte >= 0xC0 && byte != 0xD7 && byte != 0xF7;  // accented letters but the multiply and divide signs
    }
}

// Whether the stretch [start, end) of `text` is a word of it by itself.
bool IsWholeWord(std::string_view text, std::size_t start, std::size_t end) {
    return (start == 0 || !IsWordCharacter(text[start - 1])) && (end == text.size() || !IsWordCharacter(text[end]));
}

}  // namespace

bool MatchesSearch(const std::string& value, const std::string& text, std::uint32_t options) {
    if (value.empty() || text.empty()) return false;
    const bool ignoreCase = (options & kSearchIgnoreCase) != 0;
    if ((options & kSearchAnywhere) != 0) return FindText(value, text, 0, ignoreCase) != std::string_view::npos;
    if (SameText(value, text, ignoreCase)) return true;
    const std::string_view words = value;
    for (std::size_t start = 0;;) {
        const std::size_t space = words.find(' ', start);
        if (SameText(words.substr(start, space - start), text, ignoreCase)) return true;
        if (space == std::string_view::npos) return false;
        start = space + 1;
    }
}

std::optional<TextRange> PlainTextNotesFinder::Find(const std::string& notes, const std::string& text,
                                                    std::size_t from, std::uint32_t options) {
    if (text.empty()) return std::nullopt;
    const bool ignoreCase = (options & kSearchIgnoreCase) != 0;
    const bool wholeWord = (options & kSearchAnywhere) == 0;
    const SecretString notesText = PlainTextOf(notes);
    const std::string_view plain = notesText.view();
    for (std::size_t at = FindText(plain, text, from, ignoreCase); at != std::string_view::npos;
         at = FindText(plain, text, at + 1, ignoreCase)) {
        const std::size_t end = at + text.size();
        if (!wholeWord || IsWholeWord(plain, at, end)) return TextRange{at, end};
    }
    return std::nullopt;
}

bool NotesMightContain(const std::string& notes, const std::string& text) {
    if (text.empty()) return false;
    if (FindText(notes, text, 0, true) != std::string_view::npos) return true;
    return IsRichText(notes) && FindText(PlainTextOf(notes).view(), text, 0, true) != std::string_view::npos;
}

}  // namespace kv
