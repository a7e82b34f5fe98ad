// The record grid: the records of the selected folder, one row each, in the
// columns of the folder's category. Rows are supplied on demand (an
// owner-data list), so that large folders open at once.
#pragma once

#include <string>
#include <vector>

#include "app/AppSettings.h"
#include "db/Database.h"
#include "uikit/Controls.h"

namespace kv {

class CRecordGrid : public ui::ListView {
public:
    void Initialise();

    // Shows the records of folder `folderIndex` (-1: none) with the columns of `category`.
    void ShowFolder(const PasswordDatabase& db, int folderIndex, Category category, const AppSettings& settings);
    void Clear();

    int FolderIndex() const { return folderIndex_; }
    const std::vector<int>& Columns() const { return columns_; }
    // The selected row, -1 when none.
    int CurrentRow() const { return NextSelected(); }
    void SelectRow(int row);

    // Answers LVN_GETDISPINFO for the rows.
    void FillDisplayInfo(NMLVDISPINFOA& info);

private:
    void SetColumns(const std::vector<int>& columns, const AppSettings& settings);

    const PasswordDatabase* db_ = nullptr;
    const AppSettings* settings_ = nullptr;
    int folderIndex_ = -1;
    std::vector<int> columns_;
    std::string cellText_;
};

}  // namespace kv
