// The grid's rows, columns, painting, current cell and sorting.
#include "editor/RecordGrid.h"

#include <algorithm>
#include <utility>
#include <mmsystem.h>

#include "editor/RecordSort.h"
#include "editor/RecordTransfer.h"
#include "platform/Locale.h"
#include "resources/bitmaps.h"
#include "resources/resource.h"
#include "uikit/BitmapButton.h"
#include "uikit/MessageParams.h"
#include "uikit/Module.h"
#include "views/GridColumns.h"

namespace kv {

CRecordGrid::CRecordGrid(PasswordDatabase& db, const AppSettings& settings, UndoHistory& undo, GridHost& host)
    : db_(db), settings_(settings), undo_(undo), host_(host) {}

CRecordGrid::~CRecordGrid() {
    if (hwnd() != nullptr) RemoveWindowSubclass(hwnd(), GridProcedure, 1);
    for (HWND editor : {textEditor_.hwnd(), dateEditor_}) {
        if (editor != nullptr) RemoveWindowSubclass(editor, EditorProcedure, 1);
    }
}

void CRecordGrid::Initialise(HWND grid, HWND textEditor, HWND dateEditor, HWND generateButton) {
    Attach(grid);
    SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
    Send(LVM_SETBKCOLOR, 0, RGB(240, 240, 240));
    sortArrows_ = ui::LoadMaskedImages(IDB_SORT_ARROWS, 9);
    SendMessageA(Header(), HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(sortArrows_.get()));
    textEditor_.Attach(textEditor, [this](const std::string& typed) { return completions_.Matches(typed); });
    dateEditor_ = dateEditor;
    generateButton_ = generateButton;
    SetWindowSubclass(grid, GridProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
    CreateTip();
    for (HWND editor : {textEditor, dateEditor}) {
        SetWindowSubclass(editor, EditorProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
    }
}

int CRecordGrid::FieldAt(int column) const {
    return column >= 0 && static_cast<std::size_t>(column) < columns_.size() ? columns_[static_cast<std::size_t>(column)]
                                                                              : -1;
}

std::string CRecordGrid::ColumnName(int field) const {
    return field >= 0 && field < kNamedColumns ? settings_.ColumnNames[static_cast<std::size_t>(field)] : std::string();
}

Folder* CRecordGrid::CurrentFolder() {
    return const_cast<Folder*>(std::as_const(*this).ShownFolder());
}

const Folder* CRecordGrid::ShownFolder() const {
    // The folder array may have been replaced under the grid (a load, an undo).
    const bool valid = folderIndex_ >= 0 && static_cast<std::size_t>(folderIndex_) < db_.Folders.size();
    return valid ? &db_.Folders[static_cast<std::size_t>(folderIndex_)] : nullptr;
}

const Record* CRecordGrid::CurrentRecord() const {
    const Folder* folder = ShownFolder();
    if (folder == nullptr || current_.row < 0) return nullptr;
    const auto& records = folder->records;
    return static_cast<std::size_t>(current_.row) < records.size() ? &records[static_cast<std::size_t>(current_.row)]
                                                                    : nullptr;
}

void CRecordGrid::SetColumns(const std::vector<int>& columns) {
    SendMessageA(hwnd(), WM_SETREDRAW, FALSE, 0);
    SetVirtualCount(0);
    while (ColumnCount() > 0) DeleteColumn(0);
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int count = static_cast<int>(columns.size());
    const int width = count > 0 ? client.right / count : 0;
    for (int i = 0; i < count; ++i) {
        // The last column takes the rest of the width.
        const int own = i + 1 == count ? client.right - width * (count - 1) : width;
        InsertColumn(i, ColumnName(columns[static_cast<std::size_t>(i)]), std::max(own, 40));
    }
    columns_ = columns;
    SendMessageA(hwnd(), WM_SETREDRAW, TRUE, 0);
}

void CRecordGrid::LoadFolder(int folderIndex, Category category) {
    CancelEditor();
    const bool valid = folderIndex >= 0 && static_cast<std::size_t>(folderIndex) < db_.Folders.size();
    folderIndex_ = valid ? folderIndex : -1;
    category_ = category;
    selection_.clear();
    const std::vector<int> columns = GridColumns(settings_, category);
    if (columns != columns_ || ColumnCount() != static_cast<int>(columns.size())) SetColumns(columns);
    if (sortColumn_ >= static_cast<int>(columns_.size())) sortColumn_ = 0;
    if (valid) SortForDisplay(folderIndex, category, -1);
    ShowRows();
    current_ = Cell{-1, -1};
    if (Count() > 0) MoveTo(Cell{0, 0});
    host_.CurrentRowChanged();
}

int CRecordGrid::SortForDisplay(int folderIndex, Category category, int row) {
    if (folderIndex < 0 || static_cast<std::size_t>(folderIndex) >= db_.Folders.size()) return -1;
    Folder& folder = db_.Folders[static_cast<std::size_t>(folderIndex)];
    const int count = static_cast<int>(folder.records.size());
    const int kept = row >= 0 && row < count ? row : -1;
    const std::vector<int> columns = GridColumns(settings_, category);
    if (columns.empty()) return kept;
    RefreshDateTexts(folder);
    const int field = columns[static_cast<std::size_t>(sortColumn_ < static_cast<int>(columns.size()) ? sortColumn_ : 0)];
    // A folder already in order is not copied out of the undo levels that share it.
    if (RecordsInOrder(folder.records.read(), field, ascending_, SystemLocale())) return kept;
    const std::vector<std::size_t> from = SortRecords(folder.records.write(), field, ascending_, SystemLocale());
    const auto moved = std::find(from.begin(), from.end(), static_cast<std::size_t>(kept));
    return kept >= 0 && moved != from.end() ? static_cast<int>(moved - from.begin()) : -1;
}

void CRecordGrid::RefreshDateTexts(Folder& folder) {
    // The texts of the two dates follow their values (the file keeps only the values).
    const Locale& locale = SystemLocale();
    const auto stale = [&locale](const Record& r) {
        return r.fields[kDateAssigned] != FormatDate(r.dateAssigned, locale) ||
               r.fields[kDateExpires] != FormatDate(r.dateExpires, locale);
    };
    if (std::none_of(folder.records.begin(), folder.records.end(), stale)) return;
    for (Record& record : folder.records.write()) UpdateDateTexts(record, locale);
}

void CRecordGrid::Reload() {
    const Cell keep = current_;
    CancelEditor();
    ShowRows();
    if (keep.row >= 0 && Count() > 0) {
        MoveTo(Cell{std::min(keep.row, Count() - 1), std::max(keep.column, 0)});
    } else {
        current_ = Cell{-1, -1};
    }
    host_.CurrentRowChanged();
}

void CRecordGrid::RefreshColumns() {
    CancelEditor();
    SetColumns(GridColumns(settings_, category_));
    if (sortColumn_ >= static_cast<int>(columns_.size())) sortColumn_ = 0;
    Reload();
}

void CRecordGrid::Clear() {
    CancelEditor();
    folderIndex_ = -1;
    current_ = Cell{-1, -1};
    selection_.clear();
    SetVirtualCount(0);
    host_.CurrentRowChanged();
}

void CRecordGrid::ShowRows() {
    const Folder* folder = ShownFolder();
    SetVirtualCount(folder != nullptr ? static_cast<int>(folder->records.size()) : 0);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

std::string CRecordGrid::DisplayedText(const Record& record, int field) const {
    return CellText(record, field, settings_.Mask != 0, SystemLocale());
}

void CRecordGrid::FillDisplayInfo(NMLVDISPINFOA& info) {
    if ((info.item.mask & LVIF_TEXT) == 0 || info.item.cchTextMax <= 0) return;
    info.item.pszText[0] = '\0';
    const Folder* folder = ShownFolder();
    const int field = FieldAt(info.item.iSubItem);
    if (folder == nullptr || field < 0 || info.item.iItem < 0 ||
        static_cast<std::size_t>(info.item.iItem) >= folder->records.size()) {
        return;
    }
    cellText_ = DisplayedText(folder->records[static_cast<std::size_t>(info.item.iItem)], field);
    lstrcpynA(info.item.pszText, cellText_.c_str(), info.item.cchTextMax);
}

LRESULT CRecordGrid::OnCustomDraw(NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            // The grid paints the current cell itself, not the list's selection.
            draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);
            return CDRF_NOTIFYSUBITEMDRAW;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
            break;
        default:
            return CDRF_DODEFAULT;
    }
    const int row = static_cast<int>(draw.nmcd.dwItemSpec);
    const int column = draw.iSubItem;
    const bool deleting = deleteHighlightAll_ || std::find(deleteRows_.begin(), deleteRows_.end(), row) != deleteRows_.end();
    const bool selected = std::find(selection_.begin(), selection_.end(), row) != selection_.end();
    const bool current = row == current_.row && column == current_.column && selection_.empty() && !deleting;
    COLORREF text = RGB(0, 0, 0);
    COLORREF back = RGB(255, 255, 255);
    if (deleting) {
        back = RGB(255, 0, 0);
    } else if (selected) {
        text = GetSysColor(COLOR_HIGHLIGHTTEXT);
        back = GetSysColor(COLOR_HIGHLIGHT);
    } else if (current) {
        const bool active = GetFocus() == hwnd() || searchHighlight_;
        text = GetSysColor(active ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
        back = GetSysColor(active ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    }
    if (const Folder* folder = ShownFolder(); FieldAt(column) == kDateExpires && folder != nullptr) {
        const auto& records = folder->records;
        if (static_cast<std::size_t>(row) < records.size() &&
            IsExpired(records[static_cast<std::size_t>(row)].dateExpires, SystemLocale().LocalNow())) {
            text = deleting ? RGB(255, 255, 255) : RGB(255, 0, 0);
        }
    }
    draw.clrText = text;
    draw.clrTextBk = back;
    return CDRF_NEWFONT;
}

RECT CRecordGrid::CellRect(Cell cell) const {
    RECT rect{};
    rect.top = cell.column;
    rect.left = LVIR_BOUNDS;
    Send(LVM_GETSUBITEMRECT, static_cast<WPARAM>(cell.row), reinterpret_cast<LPARAM>(&rect));
    if (cell.column == 0 && columns_.size() > 1) {
        // The first column's bounds are the whole row: take its own width.
        rect.right = rect.left + static_cast<int>(Send(LVM_GETCOLUMNWIDTH, 0));
    }
    return rect;
}

Cell CRecordGrid::CellAt(POINT client) const {
    LVHITTESTINFO hit{};
    hit.pt = client;
    Send(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.iItem < 0 || (hit.flags & LVHT_ONITEM) == 0) return Cell{-1, hit.iSubItem};
    return Cell{hit.iItem, hit.iSubItem};
}

void CRecordGrid::SelectRowAlone(int row) {
    for (int selected = NextSelected(); selected >= 0; selected = NextSelected(selected)) SetSelected(selected, false);
    if (row < 0) return;
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    EnsureVisible(row);
}

void CRecordGrid::MoveTo(Cell cell) {
    if (cell.row < 0 || cell.row >= Count()) return;
    CommitEditor();
    current_ = Cell{cell.row, std::clamp(cell.column, 0, std::max(0, static_cast<int>(columns_.size()) - 1))};
    SelectRowAlone(current_.row);
    InvalidateRect(hwnd(), nullptr, FALSE);
    host_.CurrentRowChanged();
}

void CRecordGrid::AddToMultiSelection(int row) {
    if (std::find(selection_.begin(), selection_.end(), row) == selection_.end()) selection_.push_back(row);
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void CRecordGrid::ClearMultiSelection() {
    selection_.clear();
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void CRecordGrid::ForgetCurrentCell() {
    current_ = Cell{-1, -1};
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void CRecordGrid::Move(GridMove move) {
    const Folder* folder = CurrentFolder();
    const bool lastEmpty = folder != nullptr && !folder->records.empty() && IsEntirelyEmpty(folder->records.back());
    const int perPage = static_cast<int>(Send(LVM_GETCOUNTPERPAGE));
    const MoveTarget target = Navigate(current_, move, Count(), static_cast<int>(columns_.size()), lastEmpty, perPage);
    switch (target.kind) {
        case MoveTarget::Kind::Cell:
            MoveTo(target.cell);
            Focus();
            break;
        case MoveTarget::Kind::WebAddress:
            CommitEditor();
            host_.LeaveToWebAddress();
            break;
        case MoveTarget::Kind::Tree:
            CommitEditor();
            ForgetCurrentCell();
            host_.LeaveToTree();
            break;
        case MoveTarget::Kind::AddRecord:
            AddRecord();
            break;
        case MoveTarget::Kind::None:
            break;
    }
}

void CRecordGrid::SortBy(int column) {
    CommitEditor();
    // Every click turns the direction round; the first one sorts descending.
    ascending_ = !ascending_;
    sortColumn_ = column;
    for (int i = 0; i < ColumnCount(); ++i) {
        HDITEMA item{};
        item.mask = HDI_FORMAT | HDI_IMAGE;
        item.fmt = HDF_STRING | (i == column ? HDF_IMAGE | HDF_BITMAP_ON_RIGHT : 0);
        item.iImage = ascending_ ? 0 : 1;
        SendMessageA(Header(), HDM_SETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    LoadFolder(folderIndex_, category_);
    host_.RecordsSorted();
}

void CRecordGrid::ShowDeleteHighlight(bool allRows) {
    deleteHighlightAll_ = allRows;
    if (!allRows) {
        deleteRows_ = selection_.empty() ? std::vector<int>{current_.row} : selection_;
    }
    InvalidateRect(hwnd(), nullptr, FALSE);
    UpdateWindow(hwnd());
}

void CRecordGrid::HideDeleteHighlight() {
    deleteHighlightAll_ = false;
    deleteRows_.clear();
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void CRecordGrid::ShowSearchHighlight(bool on) {
    searchHighlight_ = on;
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void CRecordGrid::OnClick(const NMITEMACTIVATE& click) {
    CommitEditor();
    const Cell cell{click.iItem, click.iSubItem};
    if (cell.row < 0) return;
    const bool shift = (click.uKeyFlags & LVKF_SHIFT) != 0;
    const bool control = (click.uKeyFlags & LVKF_CONTROL) != 0;
    if (shift && current_.row >= 0) {
        // From the current row to the clicked one, widened to rows already selected.
        int low = std::min(current_.row, cell.row);
        int high = std::max(current_.row, cell.row);
        for (const int row : selection_) {
            low = std::min(low, row);
            high = std::max(high, row);
        }
        selection_.clear();
        for (int row = low; row <= high; ++row) selection_.push_back(row);
    } else if (control && current_.row >= 0) {
        if (std::find(selection_.begin(), selection_.end(), current_.row) == selection_.end()) {
            selection_.push_back(current_.row);
        }
        const auto found = std::find(selection_.begin(), selection_.end(), cell.row);
        if (found != selection_.end()) {
            selection_.erase(found);
        } else {
            selection_.push_back(cell.row);
        }
    } else {
        selection_.clear();
        host_.RestartSearch();
    }
    MoveTo(cell);
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void CRecordGrid::OnDoubleClick(const NMITEMACTIVATE& click) {
    if (!selection_.empty()) return;
    if (settings_.Sounds != 0) Beep();
    if (click.iItem < 0) {
        if (ShownFolder() != nullptr) AddRecord();
        return;
    }
    MoveTo(Cell{click.iItem, click.iSubItem});
    OpenEditor();
}

void CRecordGrid::Beep() const {
    PlaySoundA(MAKEINTRESOURCEA(IDR_CLICK_SOUND), ui::Instance(), SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
}

void CRecordGrid::RebuildCompletions() { FillCompletionList(completions_, db_, settings_); }

LRESULT CALLBACK CRecordGrid::GridProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR data) {
    auto& self = *reinterpret_cast<CRecordGrid*>(data);
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        const DWORD at = GetMessagePos();
        self.TrackTip(MSG{hwnd, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()),
                          ui::PointOf(static_cast<LPARAM>(at))});
    }
    switch (message) {
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS;
        case WM_NOTIFY: {
            const NMHDR* header = ui::TrustedNotifyHeader(lParam);
            if (header != nullptr && header->hwndFrom == self.tip_ && header->code == TTN_GETDISPINFOA) {
                self.FillTipText(*reinterpret_cast<NMTTDISPINFOA*>(lParam));
                return 0;
            }
            break;
        }
        case WM_KEYDOWN:
            if (self.HandleKey(static_cast<UINT>(wParam))) return 0;
            break;
        case WM_CHAR:
            self.HandleChar(static_cast<char>(wParam));
            return 0;
        case WM_MOUSEWHEEL:
            if (!self.textEditor_.ListOpen()) {
                self.Move(GET_WHEEL_DELTA_WPARAM(wParam) < 0 ? GridMove::WheelDown : GridMove::Up);
                return 0;
            }
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(hwnd, nullptr, FALSE);
            break;
        case WM_RBUTTONDOWN:
            if (self.settings_.Sounds != 0) self.Beep();
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace kv
