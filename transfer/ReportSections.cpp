#include "transfer/ReportSections.h"

#include <map>
#include <string>

namespace kv {
namespace {

std::string FirstName(const std::string& path) { return path.substr(0, path.find(kPathSeparator)); }

std::string LastName(const std::string& path) {
    const std::size_t separator = path.rfind(kPathSeparator);
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

bool IsFolder(const std::vector<Folder>& folders, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < folders.size();
}

}  // namespace

std::vector<ReportSection> BuildReportSections(const std::vector<Folder>& folders,
                                               const std::vector<ReportTreeItem>& tree,
                                               const CategoryLayout& layout) {
    // The category of each top-level group, from its top-level folder.
    std::map<std::string, Category> categories;
    for (const ReportTreeItem& item : tree) {
        const FolderVisit& visit = item.visit;
        if (visit.path.find(kPathSeparator) != std::string::npos) continue;
        if (categories.count(visit.path) != 0) continue;
        categories[visit.path] =
            IsFolder(folders, visit.folderIndex) ? folders[static_cast<std::size_t>(visit.folderIndex)].category
                                                 : kDefaultCategory;
    }
    std::map<std::string, int> groups;
    std::vector<ReportSection> sections;
    for (const ReportTreeItem& item : tree) {
        const FolderVisit& visit = item.visit;
        if (!item.ticked || !IsFolder(folders, visit.folderIndex)) continue;
        const std::string top = FirstName(visit.path);
        const int group = groups.emplace(top, static_cast<int>(groups.size())).first->second;
        const auto category = categories.find(top);
        sections.push_back({&folders[static_cast<std::size_t>(visit.folderIndex)], LastName(visit.path), group,
                            layout(EffectiveCategory(category == categories.end() ? kDefaultCategory
                                                                                  : category->second))});
    }
    return sections;
}

}  // namespace kv
