// How the editor's searches test a text: field values and folder names by the
// matching rule of the search options, notes with a find function like that of
// a rich edit control.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace kv {

// Bits of the SearchOptions setting, each set when its check box is not ticked.
constexpr std::uint32_t kSearchIgnoreCase = 1;  // "Match case" not ticked
constexpr std::uint32_t kSearchAnywhere = 2;    // "Match whole word only" not ticked

// Whether a value matches the search text: an empty value (or text) never
// does; with kSearchIgnoreCase letter case is ignored; with kSearchAnywhere the
// value matches when it contains the text, otherwise when it equals the text or
// one of its words does (the pieces between the value's space characters).
// Texts are in the ANSI code page, taken as Windows-1252 for letter case.
bool MatchesSearch(const std::string& value, const std::string& text, std::uint32_t options);

// A stretch of a notes text, from `start` up to (not including) `end`.
struct TextRange {
    std::size_t start = 0;
    std::size_t end = 0;

    friend bool operator==(const TextRange& a, const TextRange& b) { return a.start == b.start && a.end == b.end; }
};

// Finds the search text in notes the way a rich edit control's find function
// does: the first occurrence at or after `from`, matching letter case unless
// kSearchIgnoreCase is set and whole words only unless kSearchAnywhere is set
// (a word being delimited by characters that are not letters or digits).
// Positions count in the finder's own view of the notes; a range's end is the
// `from` that continues after it.
class NotesFinder {
public:
    virtual ~NotesFinder() = default;
    virtual std::optional<TextRange> Find(const std::string& notes, const std::string& text, std::size_t from,
                                          std::uint32_t options) = 0;
};

// Searches the plain text of the notes (PlainTextOf), positions being offsets into it.
class PlainTextNotesFinder : public NotesFinder {
public:
    std::optional<TextRange> Find(const std::string& notes, const std::string& text, std::size_t from,
                                  std::uint32_t options) override;
};

// A cheap test that never says no when a finder could find `text` in `notes`
// with any options, so that the notes need not be loaded into a rich edit
// control when it says no: whether the notes contain the text without regard
// to case, looking at rich text as plain text only when its raw text does not.
bool NotesMightContain(const std::string& notes, const std::string& text);

}  // namespace kv
