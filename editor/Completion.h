// The auto-completion of the grid's text editor and the web address and email
// fields: the words offered, and those that match what is typed.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

#include "db/Database.h"
#include "settings/AppSettings.h"

namespace kv {

// A list of words without duplicates (compared exactly), in the order added.
// It moves but does not copy: its order refers to the words it holds.
class CompletionList {
public:
    CompletionList() = default;
    CompletionList(const CompletionList&) = delete;
    CompletionList& operator=(const CompletionList&) = delete;
    CompletionList(CompletionList&&) = default;
    CompletionList& operator=(CompletionList&&) = default;

    // Stores a word unless it is empty or already stored.
    void Add(const std::string& word);
    void Clear();
    std::size_t Size() const { return order_.size(); }

    // The stored words that begin with the whole of `typed`, compared without
    // regard to case (both sides in upper case), in the order added; none for
    // empty text.
    std::vector<std::string> Matches(const std::string& typed) const;

private:
    std::unordered_set<std::string> words_;
    std::vector<const std::string*> order_;  // into words_, whose elements stay in place, also in a move
};

// While AutoComplete is on, empties `list` and fills it with every non-empty
// value, over all present folders and their records, of the fields in slots 0
// to 10 of the column list of the category governing each folder, leaving out
// the password while Mask is on. Does nothing while AutoComplete is off.
void FillCompletionList(CompletionList& list, const PasswordDatabase& db, const AppSettings& settings);

// Adds the text committed to a field, on the same terms as FillCompletionList.
void AddCommittedText(CompletionList& list, int field, const std::string& text, const AppSettings& settings);

}  // namespace kv
