#include "webforms/AutoFillMenu.h"

namespace kv {
namespace {

constexpr std::size_t kAllSitesTextLength = 32;

AutoFillEntry FolderPopup(const TrayTree& tree, FolderTreeModel::NodeId node, std::vector<AutoFillEntry>& allSites) {
    AutoFillEntry popup;
    popup.text = tree.Text({node, -1, 0});
    popup.popup = true;
    for (const int record : tree.Records(node)) {
        const TrayItem item{node, record, 0};
        if (!tree.HasFormData(item)) continue;
        popup.children.push_back({tree.Text(item), item, false, false, {}});
        allSites.push_back({AllSitesText(tree.Text(item)), item, false, false, {}});
    }
    for (const FolderTreeModel::NodeId child : tree.folders().Children(node)) {
        popup.children.push_back(FolderPopup(tree, child, allSites));
    }
    return popup;
}

}  // namespace

int AllSitesPerColumn(int records) {
    if (records > 100) return records / 4;
    if (records > 50) return records / 3;
    if (records > 20) return records / 2;
    return records + 1;
}

std::string AllSitesText(const std::string& text) {
    return text.size() > kAllSitesTextLength ? text.substr(0, kAllSitesTextLength) + "..." : text;
}

AutoFillMenu BuildAutoFillMenu(const TrayTree& tree) {
    AutoFillMenu menu;
    for (const FolderTreeModel::NodeId top : tree.folders().Children(FolderTreeModel::kRoot)) {
        menu.folders.push_back(FolderPopup(tree, top, menu.allSites));
    }
    const int perColumn = AllSitesPerColumn(static_cast<int>(menu.allSites.size()));
    int counter = 0;
    for (AutoFillEntry& entry : menu.allSites) {
        if (++counter == perColumn) {
            entry.columnBreak = true;
            counter = 1;
        }
    }
    return menu;
}

}  // namespace kv
