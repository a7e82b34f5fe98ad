#include "editor/Completion.h"

#include "platform/Windows1252.h"

namespace kv {
namespace {

// The slots of a category's column list whose fields offer their values.
constexpr int kCompletionSlots = 11;

// Passwords are not offered while they are masked.
bool OffersValues(int field, const AppSettings& settings) { return !(field == kPassword && settings.Mask != 0); }

unsigned char Upper(char c) { return windows1252::ToUpper(static_cast<unsigned char>(c)); }

}  // namespace

void CompletionList::Add(const std::string& word) {
    if (word.empty()) return;
    const auto inserted = words_.insert(word);
    if (inserted.second) order_.push_back(&*inserted.first);
}

void CompletionList::Clear() {
    order_.clear();
    words_.clear();
}

std::vector<std::string> CompletionList::Matches(const std::string& typed) const {
    std::vector<std::string> matches;
    if (typed.empty()) return matches;
    std::string prefix;
    prefix.reserve(typed.size());
    for (const char c : typed) prefix.push_back(static_cast<char>(Upper(c)));
    for (const std::string* word : order_) {
        if (word->size() < prefix.size()) continue;
        std::size_t i = 0;
        while (i < prefix.size() && Upper((*word)[i]) == static_cast<unsigned char>(prefix[i])) ++i;
        if (i == prefix.size()) matches.push_back(*word);
    }
    return matches;
}

void FillCompletionList(CompletionList& list, const PasswordDatabase& db, const AppSettings& settings) {
    if (settings.AutoComplete == 0) return;
    list.Clear();
    for (std::size_t index = 0; index < db.Folders.size(); ++index) {
        const Folder& folder = db.Folders[index];
        if (folder.present == 0) continue;
        const Category category = GoverningCategory(db, static_cast<int>(index));
        const ColumnList& slots = settings.ColumnSets[static_cast<std::size_t>(category - 1)];
        for (int slot = 0; slot < kCompletionSlots; ++slot) {
            const int field = slots[static_cast<std::size_t>(slot)];
            if (field < 0 || field >= kFieldCount || !OffersValues(field, settings)) continue;
            for (const Record& record : folder.records) list.Add(record.fields[static_cast<std::size_t>(field)]);
        }
    }
}

void AddCommittedText(CompletionList& list, int field, const std::string& text, const AppSettings& settings) {
    if (settings.AutoComplete != 0 && OffersValues(field, settings)) list.Add(text);
}

}  // namespace kv
