// The AutoFill submenu of the tray icon's menu as a portable description: a
// popup per folder with the records that hold form data, and "All sites" with
// every such record, laid out in columns.
#pragma once

#include <string>
#include <vector>

#include "views/TrayTree.h"

namespace kv {

struct AutoFillEntry {
    std::string text;
    TrayItem item;             // the record behind a command
    bool popup = false;        // a folder: `children` are its entries
    bool columnBreak = false;  // starts a new menu column
    std::vector<AutoFillEntry> children;
};

struct AutoFillMenu {
    std::vector<AutoFillEntry> folders;   // one popup per top-level folder
    std::vector<AutoFillEntry> allSites;  // every record with form data
};

// How many "All sites" entries a menu column holds for `records` entries.
int AllSitesPerColumn(int records);

// An "All sites" entry's text: cut to 32 characters followed by "..." when longer.
std::string AllSitesText(const std::string& text);

AutoFillMenu BuildAutoFillMenu(const TrayTree& tree);

}  // namespace kv
