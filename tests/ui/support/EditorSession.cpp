#include "tests/ui/support/EditorSession.h"

#include <algorithm>
#include <iterator>
#include <random>
#include <set>

namespace kv::uitest {
namespace {

struct Weighted {
    Action action;
    std::uint32_t weight;
};

// The slow steps (the tray, the search dialog, naming folders) come less often.
constexpr Weighted kActions[] = {
    {Action::SelectFolder, 6}, {Action::AddFolder, 3},   {Action::AddSubfolder, 3}, {Action::RenameFolder, 4},
    {Action::DeleteFolder, 2}, {Action::DropFolder, 5},  {Action::AddRecord, 6},    {Action::EditCell, 14},
    {Action::DeleteRecord, 4}, {Action::CopyRecords, 3}, {Action::MoveRecords, 3},  {Action::SortGrid, 5},
    {Action::Search, 3},       {Action::TrayJump, 2},    {Action::Undo, 8},         {Action::Save, 3},
    {Action::Reopen, 2},
};

}  // namespace

std::vector<Step> RandomSteps(std::uint32_t seed, int count) {
    std::mt19937 random(seed);
    std::uint32_t total = 0;
    for (const Weighted& entry : kActions) total += entry.weight;
    std::vector<Step> steps;
    for (int i = 0; i < count; ++i) {
        std::uint32_t roll = static_cast<std::uint32_t>(random()) % total;
        const Weighted* chosen = std::begin(kActions);
        while (roll >= chosen->weight) roll -= (chosen++)->weight;
        steps.push_back(Step{chosen->action,
                             {static_cast<std::uint32_t>(random()), static_cast<std::uint32_t>(random()),
                              static_cast<std::uint32_t>(random()), static_cast<std::uint32_t>(random())}});
    }
    return steps;
}

std::string Word(std::uint32_t pick) {
    const std::string word = kWords[pick % std::size(kWords)];
    const std::uint32_t suffix = pick / std::size(kWords) % 4;
    return suffix == 0 ? word : word + std::to_string(suffix);
}

std::string Show(const Fields& fields) {
    if (IsEmptyRecord(fields)) return "{empty}";
    std::string text = "{";
    for (int field = 0; field < kFieldCount; ++field) {
        if (fields[static_cast<std::size_t>(field)].empty()) continue;
        if (text.size() > 1) text += ", ";
        text += std::string(DefaultFieldName(field)) + " '" + fields[static_cast<std::size_t>(field)] + "'";
    }
    return text + "}";
}

std::string Show(const std::vector<Fields>& records) {
    std::vector<Fields> sorted = records;
    std::sort(sorted.begin(), sorted.end());
    std::string text;
    for (const Fields& record : sorted) text += (text.empty() ? "" : " ") + Show(record);
    return "[" + text + "]";
}

std::string Difference(const ModelState& app, const ModelState& model) {
    const ModelState a = Normalised(app);
    const ModelState m = Normalised(model);
    std::set<std::string> paths;
    for (const auto& entry : a) paths.insert(entry.first);
    for (const auto& entry : m) paths.insert(entry.first);
    for (const std::string& path : paths) {
        const auto inApp = a.find(path);
        const auto inModel = m.find(path);
        if (inApp == a.end()) return "folder '" + path + "' is missing (expected " + Show(inModel->second) + ")";
        if (inModel == m.end()) return "folder '" + path + "' should not be there (holds " + Show(inApp->second) + ")";
        if (inApp->second != inModel->second) {
            return "folder '" + path + "' holds " + Show(inApp->second) + ", expected " + Show(inModel->second);
        }
    }
    return "no difference";
}

PasswordDatabase StartingDatabase(std::uint32_t seed) {
    std::mt19937 random(seed ^ 0x5eedu);
    PasswordDatabase db;
    // "Work~Email" beside "Email" and "Banking~Cards" let drops meet siblings of the same name.
    for (const char* path : {"Internet", "Banking", "Banking~Cards", "Email", "Work", "Work~Email"}) {
        const int index = AddFolder(db, path, kDefaultCategory);
        std::vector<Record>& records = db.Folders[static_cast<std::size_t>(index)].records.write();
        const std::uint32_t count = static_cast<std::uint32_t>(random()) % 5;
        for (std::uint32_t i = 0; i < count; ++i) {
            Record record;
            record.fields[kDescription] = Word(static_cast<std::uint32_t>(random()));
            record.fields[kUsername] = Word(static_cast<std::uint32_t>(random()));
            record.fields[kPassword] = Word(static_cast<std::uint32_t>(random())) + "!";
            records.push_back(record);
        }
    }
    return db;
}

ModelState StateOf(const PasswordDatabase& db) {
    ModelState state;
    for (const Folder& folder : db.Folders) {
        if (folder.present == 0) continue;
        std::vector<Fields>& records = state[folder.path];
        for (const Record& record : folder.records) records.push_back(record.fields);
    }
    return state;
}

}  // namespace kv::uitest
