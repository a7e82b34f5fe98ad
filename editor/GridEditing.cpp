// The grid's in-place editors, keys and cell and record commands.
#include <algorithm>

#include "db/FileMessages.h"
#include "desktop/Clipboard.h"
#include "desktop/MessageBox.h"
#include "editor/CellEditing.h"
#include "editor/RecordGrid.h"
#include "editor/RecordTransfer.h"
#include "platform/Locale.h"
#include "uikit/AnsiText.h"
#include "views/UndoHistory.h"

namespace kv {
namespace {

constexpr int kGenerateButtonWidth = 20;

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

SYSTEMTIME ToSystemTime(const SystemTime& t) {
    SYSTEMTIME s{};
    s.wYear = t.wYear;
    s.wMonth = t.wMonth;
    s.wDay = t.wDay;
    s.wHour = t.wHour;
    s.wMinute = t.wMinute;
    s.wSecond = t.wSecond;
    return s;
}

SystemTime FromSystemTime(const SYSTEMTIME& s) {
    SystemTime t;
    t.wYear = s.wYear;
    t.wMonth = s.wMonth;
    t.wDayOfWeek = s.wDayOfWeek;
    t.wDay = s.wDay;
    t.wHour = s.wHour;
    t.wMinute = s.wMinute;
    t.wSecond = s.wSecond;
    return t;
}

// The height at which an editor shows its line of text whole: the font's
// line, a pixel above and below it, and the editor's frame.
int WholeLineHeight(HWND editor) {
    RECT window{};
    GetWindowRect(editor, &window);
    RECT client{};
    GetClientRect(editor, &client);
    return ui::FontLineHeight(editor) + 2 + (window.bottom - window.top - client.bottom);
}

}  // namespace

void CRecordGrid::PlaceEditor(HWND editor, Cell cell, bool password) {
    RECT rect = CellRect(cell);
    RECT client{};
    GetClientRect(hwnd(), &client);
    rect.right = std::min(rect.right, client.right);  // cut at the grid's right edge
    MapWindowPoints(hwnd(), GetParent(editor), reinterpret_cast<POINT*>(&rect), 2);
    // A cell lower than the editor's line and frame gets a taller editor, centred on it.
    const int grow = WholeLineHeight(editor) - (rect.bottom - rect.top);
    if (grow > 0) {
        rect.top -= grow / 2;
        rect.bottom += grow - grow / 2;
    }
    if (password) {
        rect.right -= kGenerateButtonWidth;
        SetWindowPos(generateButton_, HWND_TOP, rect.right, rect.top, kGenerateButtonWidth, rect.bottom - rect.top,
                     SWP_SHOWWINDOW);
    }
    SetWindowPos(editor, HWND_TOP, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_SHOWWINDOW);
}

void CRecordGrid::OpenEditor(char typed) {
    if (ShownFolder() == nullptr || current_.row < 0 || current_.column < 0) return;
    CommitEditor();
    const int field = FieldAt(current_.column);
    if (field < 0) return;
    const Record* record = CurrentRecord();
    const std::string real = record != nullptr ? record->fields[static_cast<std::size_t>(field)] : std::string();
    editing_ = true;
    editingDate_ = field == kDateAssigned || field == kDateExpires;
    if (editingDate_) {
        // The date editor starts at the cell's date when it has one, else today.
        const SystemTime date = record == nullptr ? SystemTime{}
                                : field == kDateAssigned ? record->dateAssigned
                                                         : record->dateExpires;
        SYSTEMTIME start{};
        if (IsValidDateTime(SystemTime{date.wYear, date.wMonth, 0, date.wDay, 0, 0, 0, 0})) {
            start = ToSystemTime(date);
        } else {
            GetLocalTime(&start);
        }
        SendMessageA(dateEditor_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&start));
        PlaceEditor(dateEditor_, current_, false);
        SetFocus(dateEditor_);
        return;
    }
    const EditorStart start = EditorStartText(real, typed, KeyDown(VK_SHIFT), (GetKeyState(VK_CAPITAL) & 1) != 0);
    textEditor_.SetText(start.text);
    PlaceEditor(textEditor_.hwnd(), current_, field == kPassword);
    textEditor_.Focus();
    if (start.selectAll) {
        textEditor_.SelectAll();
    } else {
        textEditor_.Select(static_cast<int>(start.text.size()), static_cast<int>(start.text.size()));
    }
}

void CRecordGrid::CommitEditor(bool keepOpen) {
    if (!editing_) return;
    Folder* folder = CurrentFolder();
    const int field = FieldAt(current_.column);
    if (folder != nullptr && field >= 0 && current_.row >= 0) {
        std::optional<SystemTime> picked;
        std::string text;
        if (editingDate_) {
            SYSTEMTIME chosen{};
            if (SendMessageA(dateEditor_, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&chosen)) == GDT_VALID) {
                picked = FromSystemTime(chosen);
                text = FormatDate(*picked, SystemLocale());
            }
        } else {
            text = textEditor_.Text();
        }
        const bool exists = static_cast<std::size_t>(current_.row) < folder->records.size();
        const std::string displayed =
            exists ? DisplayedText(folder->records[static_cast<std::size_t>(current_.row)], field) : std::string();
        const std::string stored = exists ? folder->records[static_cast<std::size_t>(current_.row)].fields[static_cast<std::size_t>(field)] : std::string();
        if (text != displayed || picked) {
            if (const std::optional<std::string> label = EditUndoLabel(ColumnName(field), text, displayed)) {
                undo_.PushUndo(*label, false, db_.Folders, host_.FolderWalk());
            }
            CommitCellText(*folder, current_.row, field, text, picked, CommitContext{columns_, settings_.ExpirationDays, SystemLocale()});
            if (settings_.AutoComplete != 0) AddCommittedText(completions_, field, text, settings_);
            if (text != stored || picked) host_.RecordsChanged();
            ShowRows();
        }
    }
    if (!keepOpen) CancelEditor();
}

void CRecordGrid::CancelEditor() {
    if (!editing_) return;
    editing_ = false;
    textEditor_.CloseList();
    for (HWND editor : {textEditor_.hwnd(), dateEditor_, generateButton_}) ShowWindow(editor, SW_HIDE);
    if (GetFocus() == nullptr || GetFocus() == textEditor_.hwnd() || GetFocus() == dateEditor_) Focus();
}

void CRecordGrid::EditorTextChanged() {
    if (!editing_ || editingDate_) return;
    if (ui::HoldsAnsiText(textEditor_.hwnd())) {
        storableText_ = SecretString(textEditor_.Text());
        return;
    }
    // Setting the text comes back here with the text it sets: give it a copy.
    const SecretString storable(storableText_.view());
    textEditor_.SetText(storable.c_str());
    const int end = static_cast<int>(storable.size());
    keepEditorOpen_ = true;  // the message box takes the focus
    ShowMessage(kUnstorableText, MB_ICONWARNING);
    keepEditorOpen_ = false;
    textEditor_.Focus();
    textEditor_.Select(end, end);
}

bool CRecordGrid::PutIntoEditor(const SecretString& text) {
    if (!editing_ || editingDate_) return false;
    textEditor_.SetText(text.c_str());
    textEditor_.Select(static_cast<int>(text.size()), static_cast<int>(text.size()));
    return true;
}

bool CRecordGrid::HandleEditorKey(UINT key) {
    switch (key) {
        case VK_ESCAPE:
            if (textEditor_.ListOpen()) return false;
            CancelEditor();
            return true;
        case VK_TAB:
            Move(KeyDown(VK_SHIFT) ? GridMove::Previous : GridMove::Next);
            return true;
        case VK_RETURN:
            if (textEditor_.ListOpen()) return false;
            Move(KeyDown(VK_SHIFT) ? GridMove::Previous : GridMove::Next);
            return true;
        case VK_UP:
        case VK_DOWN:
            if (editingDate_ || textEditor_.ListOpen()) return false;
            Move(key == VK_UP ? GridMove::Up : GridMove::Down);
            return true;
        default:
            return false;
    }
}

bool CRecordGrid::HandleKey(UINT key) {
    const bool control = KeyDown(VK_CONTROL);
    switch (key) {
        case VK_RETURN:
            if (settings_.Sounds != 0) Beep();
            OpenEditor();
            return true;
        case VK_F2: OpenEditor(); return true;
        case VK_INSERT: AddRecord(); return true;
        case VK_DELETE: {
            const Record* record = CurrentRecord();
            if (selection_.size() > 1 || (record != nullptr && IsEntirelyEmpty(*record))) {
                DeleteRecords();
            } else {
                CutCell();
            }
            return true;
        }
        case VK_TAB: Move(KeyDown(VK_SHIFT) ? GridMove::Previous : GridMove::Next); return true;
        case VK_RIGHT: Move(GridMove::Right); return true;
        case VK_LEFT: Move(GridMove::Left); return true;
        case VK_UP: Move(GridMove::Up); return true;
        case VK_DOWN: Move(GridMove::Down); return true;
        case VK_HOME: Move(control ? GridMove::First : GridMove::Home); return true;
        case VK_END: Move(control ? GridMove::Last : GridMove::End); return true;
        case VK_PRIOR: Move(GridMove::PageUp); return true;
        case VK_NEXT: Move(GridMove::PageDown); return true;
        case 'F':
            if (!control) return false;
            host_.SearchRecords();
            return true;
        case 'Z':
            // Undo needs a current cell, as in the tree it needs a folder.
            if (!control) return false;
            if (current_.row >= 0) host_.Undo();
            return true;
        default: return false;
    }
}

void CRecordGrid::HandleChar(char c) {
    // A typed character opens the editor; Ctrl combinations and Enter do not.
    if (static_cast<unsigned char>(c) < 32) return;
    OpenEditor(c);
}

LRESULT CALLBACK CRecordGrid::EditorProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR data) {
    auto& self = *reinterpret_cast<CRecordGrid*>(data);
    switch (message) {
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS | DefSubclassProc(hwnd, message, wParam, lParam);
        case WM_KEYDOWN:
            if (self.HandleEditorKey(static_cast<UINT>(wParam))) return 0;
            if (hwnd == self.dateEditor_ && wParam != VK_LEFT && wParam != VK_RIGHT && wParam != VK_UP &&
                wParam != VK_DOWN && wParam != VK_SHIFT && wParam != VK_CONTROL) {
                self.host_.SetMessageText("Use arrow keys, Enter, or ESC for date fields");
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == '\t' || wParam == '\r' || wParam == 27) return 0;  // handled as keys
            if (hwnd == self.dateEditor_) return 0;
            break;
        case WM_KILLFOCUS: {
            // Leaving the editor for anything but its own parts stores it.
            HWND next = reinterpret_cast<HWND>(wParam);
            if (self.editing_ && !self.keepEditorOpen_ && next != self.generateButton_ &&
                next != self.textEditor_.hwnd() && next != self.dateEditor_ && !IsChild(self.dateEditor_, next)) {
                self.CommitEditor();
            }
            break;
        }
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

void CRecordGrid::AddRecord() {
    Folder* folder = CurrentFolder();
    if (folder == nullptr) return;
    CommitEditor();
    folder->records.write().emplace_back();
    selection_.clear();
    ShowRows();
    host_.RecordsChanged();
    MoveTo(Cell{Count() - 1, 0});
    OpenEditor();
}

void CRecordGrid::DeleteRecords() {
    Folder* folder = CurrentFolder();
    if (folder == nullptr || current_.row < 0) return;
    CommitEditor();
    std::vector<int> rows = selection_.empty() ? std::vector<int>{current_.row} : selection_;
    const Record* record = CurrentRecord();
    const std::string first = record != nullptr && !columns_.empty() ? DisplayedText(*record, FieldAt(0)) : "";
    ShowDeleteHighlight(false);
    const std::optional<std::string> question = DeleteQuestion(*folder, rows, first);
    if (question && ShowMessage(*question, MB_YESNO | MB_ICONQUESTION) != IDYES) {
        HideDeleteHighlight();
        return;
    }
    undo_.PushUndo(DeleteUndoLabel(rows.size()), false, db_.Folders, host_.FolderWalk());
    const int next = kv::DeleteRecords(*CurrentFolder(), rows, current_.row);
    selection_.clear();
    HideDeleteHighlight();
    ShowRows();
    current_ = Cell{-1, -1};
    if (next >= 0) MoveTo(Cell{next, 0});
    host_.RecordsChanged();
    host_.CurrentRowChanged();
}

std::optional<CRecordGrid::CellValue> CRecordGrid::CommandCell() {
    const int field = FieldAt(current_.column);
    if (CurrentRecord() == nullptr || field < 0) return std::nullopt;
    CommitEditor();
    return CellValue{field, CurrentRecord()->fields[static_cast<std::size_t>(field)]};
}

void CRecordGrid::CopyCell() {
    if (const std::optional<CellValue> cell = CommandCell()) {
        CopyToClipboard(cell->text);
        host_.RecordsChanged();
    }
}

void CRecordGrid::CutCell() {
    const std::optional<CellValue> cell = CommandCell();
    if (!cell) return;
    CopyToClipboard(cell->text);
    if (const std::optional<std::string> label =
            CutUndoLabel(ColumnName(cell->field), *CurrentRecord(), cell->field, settings_.Mask != 0, SystemLocale())) {
        undo_.PushUndo(*label, false, db_.Folders, host_.FolderWalk());
        EmptyCell(cell->field);
    }
    host_.RecordsChanged();
}

void CRecordGrid::EmptyCell(int field) {
    // A date cell loses its date value with its text.
    const std::optional<SystemTime> noDate =
        field == kDateAssigned || field == kDateExpires ? std::optional<SystemTime>(SystemTime{}) : std::nullopt;
    CommitCellText(*CurrentFolder(), current_.row, field, "", noDate,
                   CommitContext{columns_, settings_.ExpirationDays, SystemLocale()});
    ShowRows();
}

void CRecordGrid::ClearCell() {
    const std::optional<CellValue> cell = CommandCell();
    if (!cell) return;
    if (const std::optional<std::string> label =
            ClearUndoLabel(ColumnName(cell->field), *CurrentRecord(), cell->field, settings_.Mask != 0, SystemLocale())) {
        undo_.PushUndo(*label, false, db_.Folders, host_.FolderWalk());
    }
    EmptyCell(cell->field);
    host_.RecordsChanged();
}

void CRecordGrid::PasteCell() {
    const std::optional<CellValue> cell = CommandCell();
    if (!cell) return;
    const std::optional<std::string> text = ClipboardText();
    if (!text) return;
    CommitCellText(*CurrentFolder(), current_.row, cell->field, *text, std::nullopt,
                   CommitContext{columns_, settings_.ExpirationDays, SystemLocale()});
    ShowRows();
    host_.RecordsChanged();
}

}  // namespace kv
