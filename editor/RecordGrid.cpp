#include "editor/RecordGrid.h"

#include "editor/GridColumns.h"
#include "platform/Locale.h"

namespace kv {

void CRecordGrid::Initialise() {
    SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
    SendMessageA(hwnd(), LVM_SETBKCOLOR, 0, RGB(240, 240, 240));
    SendMessageA(hwnd(), LVM_SETTEXTBKCOLOR, 0, RGB(240, 240, 240));
}

void CRecordGrid::SetColumns(const std::vector<int>& columns, const AppSettings& settings) {
    while (ColumnCount() > 0) DeleteColumn(0);
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int width = columns.empty() ? 0 : std::max(60, static_cast<int>(client.right / columns.size()));
    for (std::size_t i = 0; i < columns.size(); ++i) {
        InsertColumn(static_cast<int>(i), settings.ColumnNames[static_cast<std::size_t>(columns[i])], width);
    }
    columns_ = columns;
}

void CRecordGrid::ShowFolder(const PasswordDatabase& db, int folderIndex, Category category,
                             const AppSettings& settings) {
    db_ = &db;
    settings_ = &settings;
    const bool valid = folderIndex >= 0 && static_cast<std::size_t>(folderIndex) < db.Folders.size();
    folderIndex_ = valid ? folderIndex : -1;
    const std::vector<int> columns = GridColumns(settings, category);
    if (columns != columns_ || ColumnCount() != static_cast<int>(columns.size())) SetColumns(columns, settings);
    SetVirtualCount(valid ? static_cast<int>(db.Folders[static_cast<std::size_t>(folderIndex)].records.size()) : 0);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void CRecordGrid::Clear() {
    folderIndex_ = -1;
    SetVirtualCount(0);
}

void CRecordGrid::SelectRow(int row) {
    for (int selected = NextSelected(); selected >= 0; selected = NextSelected(selected)) SetSelected(selected, false);
    if (row < 0 || row >= Count()) return;
    SetSelected(row, true);
    EnsureVisible(row);
}

void CRecordGrid::FillDisplayInfo(NMLVDISPINFOA& info) {
    if ((info.item.mask & LVIF_TEXT) == 0 || db_ == nullptr || folderIndex_ < 0) return;
    const auto& records = db_->Folders[static_cast<std::size_t>(folderIndex_)].records;
    const int row = info.item.iItem;
    const int column = info.item.iSubItem;
    if (row < 0 || static_cast<std::size_t>(row) >= records.size() || column < 0 ||
        static_cast<std::size_t>(column) >= columns_.size()) {
        info.item.pszText[0] = '\0';
        return;
    }
    cellText_ = CellText(records[static_cast<std::size_t>(row)], columns_[static_cast<std::size_t>(column)],
                         settings_->Mask != 0, SystemLocale());
    lstrcpynA(info.item.pszText, cellText_.c_str(), info.item.cchTextMax);
}

}  // namespace kv
