#include "tests/ui/support/EditorModel.h"

#include <algorithm>
#include <cctype>

namespace kv::uitest {
namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Joined(const std::string& parent, const std::string& name) {
    return parent.empty() ? name : parent + kPathSeparator + name;
}

}  // namespace

ModelState Normalised(ModelState state) {
    for (auto& [path, records] : state) std::sort(records.begin(), records.end());
    return state;
}

bool IsEmptyRecord(const Fields& fields) {
    return std::all_of(fields.begin(), fields.end(), [](const std::string& field) { return field.empty(); });
}

ModelState AsSaved(const ModelState& state) {
    ModelState saved;
    for (const auto& [path, records] : state) {
        std::vector<Fields>& kept = saved[path];
        bool keptEmpty = false;
        for (const Fields& record : records) {
            if (IsEmptyRecord(record)) {
                if (keptEmpty) continue;
                keptEmpty = true;
            }
            kept.push_back(record);
        }
    }
    return saved;
}

bool RecordContains(const Fields& fields, const std::string& text) {
    const std::string wanted = Lower(text);
    return std::any_of(fields.begin(), fields.end(),
                       [&](const std::string& field) { return Lower(field).find(wanted) != std::string::npos; });
}

std::string LabelOf(const std::string& path) {
    const std::size_t tilde = path.rfind(kPathSeparator);
    return tilde == std::string::npos ? path : path.substr(tilde + 1);
}

std::string ParentOf(const std::string& path) {
    const std::size_t tilde = path.rfind(kPathSeparator);
    return tilde == std::string::npos ? std::string() : path.substr(0, tilde);
}

EditorModel::EditorModel(ModelState initial) : state_(std::move(initial)), saved_(state_) {}

std::vector<std::string> EditorModel::Paths() const {
    std::vector<std::string> paths;
    for (const auto& entry : state_) paths.push_back(entry.first);
    return paths;
}

bool EditorModel::HasRecord(const std::string& path, const Fields& record) const {
    const auto folder = state_.find(path);
    return folder != state_.end() && std::find(folder->second.begin(), folder->second.end(), record) != folder->second.end();
}

void EditorModel::Type(const std::string& text) {
    if (pending_) pending_->text = text;
}

bool EditorModel::CommitEditor() {
    if (!pending_) return true;
    const Pending pending = *pending_;
    pending_.reset();
    return EditField(pending.path, pending.record, pending.field, pending.text);
}

void EditorModel::PushUndo() {
    undo_.push_front(state_);
    if (undo_.size() > kUndoLevels) undo_.pop_back();
}

std::vector<std::string> EditorModel::Children(const std::string& parent) const {
    std::vector<std::string> children;
    for (const auto& entry : state_) {
        if (ParentOf(entry.first) == parent && entry.first != parent) children.push_back(entry.first);
    }
    return children;
}

bool EditorModel::Below(const std::string& path, const std::string& ancestor) {
    return path.size() > ancestor.size() && path.compare(0, ancestor.size(), ancestor) == 0 &&
           path[ancestor.size()] == kPathSeparator;
}

bool EditorModel::NameAllowed(const std::string& parent, const std::string& name, const std::string& self) const {
    if (name.empty() || name.find(kPathSeparator) != std::string::npos) return false;
    if (Joined(parent, name).size() > kMaxPathLength) return false;
    for (const std::string& sibling : Children(parent)) {
        if (sibling != self && LabelOf(sibling) == name) return false;
    }
    return true;
}

bool EditorModel::AddFolder(const std::string& parent, const std::string& name) {
    if (!NameAllowed(parent, name)) return false;
    PushUndo();
    state_[Joined(parent, name)] = {Fields{}};  // a new folder starts with one empty record
    return true;
}

void EditorModel::MoveSubtree(const std::string& from, const std::string& to) {
    ModelState moved;
    for (auto entry = state_.begin(); entry != state_.end();) {
        if (entry->first == from || Below(entry->first, from)) {
            moved[to + entry->first.substr(from.size())] = std::move(entry->second);
            entry = state_.erase(entry);
        } else {
            ++entry;
        }
    }
    for (auto& entry : moved) state_[entry.first] = std::move(entry.second);
}

bool EditorModel::RenameFolder(const std::string& path, const std::string& name) {
    if (!NameAllowed(ParentOf(path), name, path)) return false;
    PushUndo();
    MoveSubtree(path, Joined(ParentOf(path), name));
    return true;
}

void EditorModel::DeleteFolder(const std::string& path) {
    PushUndo();
    for (auto entry = state_.begin(); entry != state_.end();) {
        entry = entry->first == path || Below(entry->first, path) ? state_.erase(entry) : std::next(entry);
    }
}

bool EditorModel::DropFolder(const std::string& path, const std::string& target) {
    if (target == path || target == ParentOf(path) || Below(target, path)) return false;
    for (const std::string& sibling : Children(target)) {
        if (LabelOf(sibling) == LabelOf(path)) return false;
    }
    PushUndo();
    MoveSubtree(path, Joined(target, LabelOf(path)));
    return true;
}

void EditorModel::AddRecord(const std::string& path) { state_[path].push_back(Fields{}); }

bool EditorModel::EditField(const std::string& path, const Fields& record, int field, const std::string& text) {
    if (!HasRecord(path, record)) return false;
    const std::string& old = record[static_cast<std::size_t>(field)];
    if (old == text) return true;
    // Filling an empty cell keeps no undo level; changing a filled one does.
    if (!old.empty()) PushUndo();
    std::vector<Fields>& records = state_[path];
    (*std::find(records.begin(), records.end(), record))[static_cast<std::size_t>(field)] = text;
    return true;
}

bool EditorModel::DeleteRecord(const std::string& path, const Fields& record) {
    if (!HasRecord(path, record)) return false;
    PushUndo();
    std::vector<Fields>& records = state_[path];
    records.erase(std::find(records.begin(), records.end(), record));
    return true;
}

bool EditorModel::TransferRecords(const std::string& path, const std::vector<Fields>& records,
                                  const std::string& target, bool move, bool replacesEmptyLast) {
    for (const Fields& record : records) {
        if (!HasRecord(path, record)) return false;
    }
    const std::vector<Fields>& into = state_[target];
    if (replacesEmptyLast && std::none_of(into.begin(), into.end(), IsEmptyRecord)) return false;
    PushUndo();
    std::vector<Fields>& targetRecords = state_[target];
    if (replacesEmptyLast) targetRecords.erase(std::find_if(targetRecords.begin(), targetRecords.end(), IsEmptyRecord));
    targetRecords.insert(targetRecords.end(), records.begin(), records.end());
    if (move) {
        std::vector<Fields>& source = state_[path];
        for (const Fields& record : records) source.erase(std::find(source.begin(), source.end(), record));
    }
    return true;
}

void EditorModel::Undo() {
    if (undo_.empty()) return;
    state_ = std::move(undo_.front());
    undo_.pop_front();
}

void EditorModel::Reopen(bool saveFirst) {
    if (saveFirst) Save();
    state_ = AsSaved(saved_);
    saved_ = state_;
    undo_.clear();
}

}  // namespace kv::uitest
