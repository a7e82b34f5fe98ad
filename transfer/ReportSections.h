// Which folders the report prints, in which order and with which columns:
// the ticked folders of the report's tree in its pre-order, each with the
// column layout of its top-level folder's category.
#pragma once

#include <functional>
#include <vector>

#include "db/PasswordFile.h"
#include "db/Record.h"
#include "transfer/ReportLayout.h"

namespace kv {

// The field indexes of a category's column list, empty slots left out.
using CategoryLayout = std::function<std::vector<int>(Category)>;

// A folder of the report's tree in pre-order; a level that only a path passes
// through has folder index -1.
struct ReportTreeItem {
    FolderVisit visit;
    bool ticked = false;
};

// One section per ticked item that names a folder. Items with the same first
// path name share a top-level group, whose category is the stored category of
// the top-level folder (1 when there is none or it lies outside 1 to 4).
// The sections point into `folders`: they are used before anything changes it.
std::vector<ReportSection> BuildReportSections(const std::vector<Folder>& folders,
                                               const std::vector<ReportTreeItem>& tree,
                                               const CategoryLayout& layout);

}  // namespace kv
