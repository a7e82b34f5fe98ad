#include "db/FolderPathRepair.h"

#include <unordered_map>
#include <unordered_set>

namespace kv {

const char kUnnamedFolder[] = "Unnamed";

namespace {

// The path without empty names; true when one was dropped.
bool DropEmptyNames(std::string& path) {
    std::string kept;
    kept.reserve(path.size());
    std::size_t start = 0;
    for (;;) {
        const std::size_t tilde = path.find(kPathSeparator, start);
        const std::size_t end = tilde == std::string::npos ? path.size() : tilde;
        if (end > start) {
            if (!kept.empty()) kept += kPathSeparator;
            kept.append(path, start, end - start);
        }
        if (tilde == std::string::npos) break;
        start = tilde + 1;
    }
    if (kept.empty()) kept = kUnnamedFolder;
    const bool dropped = kept != path;
    path = std::move(kept);
    return dropped;
}

// Cuts a path to `limit` characters without leaving an empty last name.
void CutTo(std::string& path, std::size_t limit) {
    if (path.size() <= limit) return;
    path.resize(limit);
    while (!path.empty() && path.back() == kPathSeparator) path.pop_back();
}

std::string Plural(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

FolderPathRepairs RepairFolderPaths(std::vector<Folder>& folders) {
    FolderPathRepairs repairs;
    std::unordered_set<std::string> taken;
    taken.reserve(folders.size());
    // The next number to try for a repeated path, so that many repeats of one
    // path do not try every number again.
    std::unordered_map<std::string, unsigned> nextNumber;
    for (Folder& folder : folders) {
        if (DropEmptyNames(folder.path)) ++repairs.emptyNamesDropped;
        if (folder.path.size() > kMaxPathLength) {
            CutTo(folder.path, kMaxPathLength);
            ++repairs.pathsCut;
        }
        if (taken.insert(folder.path).second) continue;
        unsigned& number = nextNumber.try_emplace(folder.path, 2).first->second;
        for (;; ++number) {
            const std::string suffix = " (" + std::to_string(number) + ")";
            std::string numbered = folder.path;
            CutTo(numbered, kMaxPathLength - suffix.size());
            numbered += suffix;
            if (taken.insert(numbered).second) {
                folder.path = std::move(numbered);
                break;
            }
        }
        ++repairs.pathsNumbered;
    }
    return repairs;
}

std::string FolderRepairMessage(const FolderPathRepairs& repairs, const std::string& fileName) {
    std::string text = "Some folder names in " + fileName +
                       " break the rules for folder names, so they were repaired as the file was read:\n";
    if (repairs.emptyNamesDropped != 0) {
        text += "\n- " + Plural(repairs.emptyNamesDropped, "folder", "folders") +
                " had empty names in their path, which were left out.";
    }
    if (repairs.pathsCut != 0) {
        text += "\n- " + Plural(repairs.pathsCut, "folder path was", "folder paths were") + " longer than " +
                std::to_string(kMaxPathLength) + " characters and " + (repairs.pathsCut == 1 ? "was" : "were") +
                " cut.";
    }
    if (repairs.pathsNumbered != 0) {
        text += "\n- " + Plural(repairs.pathsNumbered, "folder", "folders") +
                " had the same path as a folder before and got a number, such as \" (2)\".";
    }
    text += "\n\nEvery record stays in its folder. Save the file to keep the repaired names.";
    return text;
}

}  // namespace kv
