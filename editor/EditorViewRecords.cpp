// The panel's record side: the grid's host, the lower fields, the searches,
// the notes menu and the right-button drag of records onto folders.
#include <richedit.h>
#include <shellapi.h>

#include <algorithm>

#include "db/FileMessages.h"
#include "db/RichText.h"
#include "desktop/Clipboard.h"
#include "desktop/MessageBox.h"
#include "editor/CategoryWarningDlg.h"
#include "editor/EditorView.h"
#include "editor/RecordTransfer.h"
#include "generator/ui/GeneratePasswordDlg.h"
#include "platform/FileSystem.h"
#include "resources/resource.h"
#include "transfer/ui/ReportDlg.h"
#include "uikit/AnsiText.h"
#include "uikit/Module.h"
#include "uikit/PopupMenu.h"
#include "uikit/RichEdit.h"
#include "views/UndoHistory.h"

namespace kv {
namespace {

const UINT kListCtrlMsg = RegisterWindowMessageA("ListCtrlMsg");

// The notes control counts a paragraph end as one character, the plain text as two.
LONG NotesPosition(std::string_view plain, std::size_t offset) {
    LONG position = 0;
    for (std::size_t i = 0; i < offset && i < plain.size(); ++i) {
        if (!(plain[i] == '\n' && i > 0 && plain[i - 1] == '\r')) ++position;
    }
    return position;
}

}  // namespace

void CEditorView::FolderSelected(int folderIndex) {
    grid_->CommitEditor();
    grid_->LoadFolder(folderIndex, tree_->CategoryOfSelection());
    ShowMessagePane();
    UpdateButtons();
}

void CEditorView::ShowRecord(int folderIndex, int record, int slot) {
    // Selecting the folder sorts it: sort it first and follow the record to its new row.
    const FolderTreeModel::NodeId node = tree_->model().FindFolder(folderIndex);
    if (node == 0) return;
    const int row = grid_->SortForDisplay(folderIndex, CategoryOfNode(tree_->model(), host_.Database.Folders, node), record);
    if (row < 0 || !tree_->SelectFolder(folderIndex) || grid_->FolderIndex() != folderIndex) return;
    const ColumnList& slots = host_.Settings.ColumnSets[static_cast<std::size_t>(tree_->CategoryOfSelection() - 1)];
    const int column = static_cast<int>(
        std::count_if(slots.begin(), slots.begin() + std::clamp(slot, 0, kColumnSlots), [](int field) { return field >= 0; }));
    grid_->MoveTo(Cell{row, column});
    grid_->Focus();
}

void CEditorView::ShowMessagePane() {
    EditorHost& app = host_;
    const int folderIndex = grid_->FolderIndex();
    if (folderIndex < 0) {
        frame_.SetMessageText("");
        frame_.SetColumnsText("");
        return;
    }
    const Folder& folder = app.Database.Folders[static_cast<std::size_t>(folderIndex)];
    const Category category = EffectiveCategory(tree_->CategoryOfSelection());
    frame_.SetMessageText("Folder: " + tree_->ItemText(tree_->Selection()) +
                          "    Records: " + std::to_string(folder.records.size()));
    frame_.SetColumnsText("Columns: " + app.Settings.CategoryNames[static_cast<std::size_t>(category - 1)]);
}

void CEditorView::ReloadGrid() {
    grid_->Reload();
    ShowMessagePane();
    UpdateButtons();
}

void CEditorView::SettingsChanged() {
    ChooseButtonImages();
    grid_->RefreshColumns();
    grid_->RebuildCompletions();
    ShowMessagePane();
    UpdateButtons();
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CEditorView::FolderAdded(int folderIndex) {
    host_.Database.Folders[static_cast<std::size_t>(folderIndex)].records.write().emplace_back();
    FolderSelected(folderIndex);
    grid_->MoveTo(Cell{0, 0});
    grid_->OpenEditor();
}

void CEditorView::ShowDeleteHighlight(bool on) {
    if (on) {
        grid_->ShowDeleteHighlight(true);
    } else {
        grid_->HideDeleteHighlight();
    }
}

void CEditorView::RecordsChanged() {
    host_.Database.Modified = true;
    frame_.ModifiedChanged();
    Post(kListCtrlMsg, 2);
    ShowMessagePane();
    UpdateButtons();
}

void CEditorView::RecordsSorted() { Post(kListCtrlMsg, 2); }

void CEditorView::CurrentRowChanged() {
    ShowRecordFields();
    UpdateButtons();
}

void CEditorView::LeaveToWebAddress() {
    rememberedRow_ = grid_->CurrentRow();
    SetFocus(Item(IDC_URL));
}

void CEditorView::LeaveToTree() { tree_->Focus(); }

void CEditorView::SetMessageText(const std::string& text) { frame_.SetMessageText(text); }

void CEditorView::ShowRecordFields() {
    const Record* record = grid_->CurrentRecord();
    showingRecord_ = true;
    SetItemText(IDC_URL, record != nullptr ? record->fields[kUrl] : "");
    SetItemText(IDC_EMAIL, record != nullptr ? record->fields[kEmail] : "");
    const std::string notes = record != nullptr ? record->fields[kNotes] : "";
    if (IsRichText(notes)) {
        ui::SetRichText(Item(IDC_NOTES), notes);
    } else {
        SetItemText(IDC_NOTES, notes);
    }
    for (const int id : {IDC_URL, IDC_EMAIL, IDC_NOTES}) EnableItem(id, record != nullptr);
    showingRecord_ = false;
}

void CEditorView::WriteLowerField(int field, const std::string& text) {
    if (showingRecord_) return;
    const int folder = grid_->FolderIndex();
    const int row = grid_->CurrentRow();
    if (folder < 0 || row < 0) return;
    auto& records = host_.Database.Folders[static_cast<std::size_t>(folder)].records;
    if (static_cast<std::size_t>(row) >= records.size()) return;
    records.write()[static_cast<std::size_t>(row)].fields[static_cast<std::size_t>(field)] = text;
    host_.Database.Modified = true;
    frame_.ModifiedChanged();
    UpdateButtons();
}

bool CEditorView::KeepLowerFieldStorable(int id, int field) {
    if (showingRecord_ || ui::HoldsAnsiText(Item(id))) return true;
    const Record* record = grid_->CurrentRecord();
    showingRecord_ = true;
    SetItemText(id, record != nullptr ? record->fields[static_cast<std::size_t>(field)] : "");
    showingRecord_ = false;
    ShowMessage(kUnstorableText, MB_ICONWARNING);
    SetFocus(Item(id));
    return false;
}

void CEditorView::OfferCompletions(ui::CompletionEdit& edit) const {
    if (GetFocus() == edit.hwnd() && host_.Settings.AutoComplete != 0) edit.OfferCompletions();
}

void CEditorView::OnUrlChanged() {
    if (!KeepLowerFieldStorable(IDC_URL, kUrl)) return;
    WriteLowerField(kUrl, ItemText(IDC_URL));
    OfferCompletions(url_);
}

void CEditorView::OnEmailChanged() {
    if (!KeepLowerFieldStorable(IDC_EMAIL, kEmail)) return;
    WriteLowerField(kEmail, ItemText(IDC_EMAIL));
    OfferCompletions(email_);
}

void CEditorView::OnCellEditorChanged() {
    grid_->EditorTextChanged();
    OfferCompletions(grid_->textEditor());
}

void CEditorView::OnNotesChanged() { WriteLowerField(kNotes, ui::GetRichText(Item(IDC_NOTES))); }

void CEditorView::UpdateButtons() {
    const EditorHost& app = host_;
    const bool fileExists = !app.Database.FilePath.empty() && SystemFileSystem().Exists(app.Database.FilePath);
    const bool folders = tree_->model().First() != 0;
    const bool selected = tree_->SelectedNode() != 0;
    const bool rows = grid_->Count() > 0;
    const Record* record = grid_->CurrentRecord();
    EnableItem(ID_ADD_FOLDER, fileExists);
    for (const int id : {ID_SEARCH_FOLDERS, ID_ADD_SUBFOLDER}) EnableItem(id, fileExists && folders);
    for (const int id : {ID_RENAME_FOLDER, ID_DELETE_FOLDER}) EnableItem(id, fileExists && folders && selected);
    for (const int id : {ID_ADD_RECORD, ID_REPORT, ID_EXPORT_BUTTON, ID_IMPORT_BUTTON, ID_GENERATE_BUTTON}) {
        EnableItem(id, folders);
    }
    for (const int id : {ID_SEARCH_RECORDS, ID_EDIT_RECORD, ID_DELETE_RECORD}) EnableItem(id, folders && rows);
    EnableItem(ID_EDIT_FORM_DATA, record != nullptr && !record->formData.empty());
    EnableItem(IDC_LAUNCH_URL, !ItemText(IDC_URL).empty());
    EnableItem(IDC_SEND_EMAIL, !ItemText(IDC_EMAIL).empty());
}

void CEditorView::OnGeneratePassword() {
    // The password goes into the open text editor of a cell, else to the clipboard.
    const bool intoCell = grid_->TextEditorOpen();
    CGeneratePasswordDlg dialog(host_.Storage(), [](const std::string& text) { ShowMessage(text); });
    dialog.SetCopyMode(!intoCell);
    grid_->KeepEditorOpen(true);
    const bool accepted = dialog.DoModal(hwnd()) == IDOK;
    grid_->KeepEditorOpen(false);
    if (intoCell) {
        // Back to the cell's editor, with the new password when there is one.
        if (accepted) grid_->PutIntoEditor(dialog.password());
        grid_->textEditor().Focus();
    } else if (accepted) {
        CopyToClipboard(dialog.password().view());
    }
}

void CEditorView::OnReport() {
    CReportDlg dialog({host_.Database.Folders, tree_->Walk(), host_.Settings, FileNameOf(host_.Database.FilePath)},
                      host_.Storage());
    dialog.DoModal(hwnd());
}

void CEditorView::OnSendEmail() {
    ShellExecuteA(hwnd(), "open", ("mailto:" + ItemText(IDC_EMAIL)).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CEditorView::OnNotesLink(const ENLINK& link) {
    if (link.msg != WM_LBUTTONUP) return;
    std::string text(static_cast<std::size_t>(link.chrg.cpMax - link.chrg.cpMin) + 1, '\0');
    TEXTRANGEA range{link.chrg, text.data()};
    SendDlgItemMessageA(hwnd(), IDC_NOTES, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    ShellExecuteA(hwnd(), "open", text.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

LRESULT CEditorView::OnGridNotify(NMHDR& header) {
    switch (header.code) {
        case LVN_GETDISPINFOA:
            grid_->FillDisplayInfo(*reinterpret_cast<NMLVDISPINFOA*>(&header));
            return 0;
        case NM_CUSTOMDRAW:
            return grid_->OnCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(&header));
        case NM_CLICK:
            grid_->OnClick(*reinterpret_cast<NMITEMACTIVATE*>(&header));
            return 0;
        case NM_DBLCLK:
            grid_->OnDoubleClick(*reinterpret_cast<NMITEMACTIVATE*>(&header));
            return 0;
        case NM_RCLICK: {
            const auto& click = *reinterpret_cast<NMITEMACTIVATE*>(&header);
            if (click.iItem >= 0) grid_->MoveTo(Cell{click.iItem, click.iSubItem});
            POINT at{};
            GetCursorPos(&at);
            ShowGridMenu(at);
            return 0;
        }
        case LVN_COLUMNCLICK:
            grid_->SortBy(reinterpret_cast<NMLISTVIEW*>(&header)->iSubItem);
            ShowMessagePane();
            return 0;
        case LVN_BEGINRDRAG:
            BeginRecordDrag(reinterpret_cast<NMLISTVIEW*>(&header)->iItem);
            return 0;
        default:
            return 0;
    }
}

void CEditorView::ShowGridMenu(POINT at) {
    if (grid_->FolderIndex() < 0) return;
    grid_->CommitEditor();
    const ui::PopupMenu popup(IDR_GRID_MENU);
    HMENU menu = popup.get();
    SetMenuDefaultItem(menu, ID_ADD_RECORD, FALSE);
    RelabelUndo(menu);
    const Record* record = grid_->CurrentRecord();
    EnableMenuItem(menu, ID_EDIT_FORM_DATA,
                   MF_BYCOMMAND | (record != nullptr && !record->formData.empty() ? MF_ENABLED : MF_GRAYED));
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd(), nullptr);
}

void CEditorView::OpenSearch(CSearchDlg::Mode mode) {
    EditorHost& app = host_;
    if (app.Database.FilePath.empty()) return;
    grid_->CommitEditor();
    if (search_ && search_->hwnd() != nullptr) search_->Destroy();
    searcher_.Reset();
    std::vector<std::string>& history =
        mode == CSearchDlg::Mode::Folders ? app.Database.SearchFolderHistory : app.Database.SearchItemHistory;
    search_ = std::make_unique<CSearchDlg>(mode, history, app.Settings.SearchOptions, *this);
    search_->CreateModeless(GetAncestor(hwnd(), GA_ROOT));
    PlaceSearchDialog();
    search_->Show(SW_SHOW);
}

void CEditorView::FindNext(const std::string& text) {
    EditorHost& app = host_;
    app.Database.Modified = true;  // the histories belong to the file
    frame_.ModifiedChanged();
    const std::uint32_t options = app.Settings.SearchOptions;
    if (search_ && search_->mode() == CSearchDlg::Mode::Folders) {
        const FolderTreeModel::NodeId node = FindFolder(tree_->model(), tree_->SelectedNode(), text, options);
        if (node == 0) {
            ShowMessage("Search item was not found.");
            return;
        }
        HTREEITEM item = tree_->ItemOf(node);
        tree_->Select(item);
        tree_->Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
        tree_->Expand(item);
        if (grid_->Count() > 0) grid_->MoveTo(Cell{0, 0});
        return;
    }
    std::optional<SearchHit> hit =
        searcher_.FindNext(tree_->model(), tree_->SelectedNode(), app.Database.Folders, app.Settings, text, options);
    if (!hit) {
        ShowMessage("Search item was not found.");
        return;
    }
    if (hit->folderIndex != grid_->FolderIndex()) {
        // Showing the folder sorts its records: search it again in the order it is shown in.
        tree_->Select(tree_->ItemOf(hit->node));
        searcher_.Reset();
        hit = searcher_.FindNext(tree_->model(), hit->node, app.Database.Folders, app.Settings, text, options);
        if (!hit) return;
    }
    ShowRecordHit(*hit);
    KeepSearchDialogClear();
}

void CEditorView::ShowRecordHit(const SearchHit& hit) {
    HTREEITEM item = tree_->ItemOf(hit.node);
    if (tree_->Selection() != item) tree_->Select(item);
    tree_->Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    grid_->ShowSearchHighlight(true);
    for (const int id : {IDC_URL, IDC_EMAIL}) SendDlgItemMessageA(hwnd(), id, EM_SETSEL, 0, 0);
    SendDlgItemMessageA(hwnd(), IDC_NOTES, EM_SETSEL, 0, 0);
    if (hit.place == SearchHit::Place::Column) {
        grid_->MoveTo(Cell{hit.record, hit.column});
        return;
    }
    grid_->MoveTo(Cell{hit.record, 0});
    if (hit.place == SearchHit::Place::Notes) {
        const Record* record = grid_->CurrentRecord();
        const SecretString notes =
            PlainTextOf(record != nullptr ? std::string_view(record->fields[kNotes]) : std::string_view());
        const std::string_view plain = notes.view();
        SendDlgItemMessageA(hwnd(), IDC_NOTES, EM_SETSEL, static_cast<WPARAM>(NotesPosition(plain, hit.notes.start)),
                            NotesPosition(plain, hit.notes.end));
        SendDlgItemMessageA(hwnd(), IDC_NOTES, EM_SCROLLCARET, 0, 0);
        return;
    }
    // A hit in the web address or email ends the current cell and selects the field.
    grid_->ForgetCurrentCell();
    SendDlgItemMessageA(hwnd(), hit.place == SearchHit::Place::WebAddress ? IDC_URL : IDC_EMAIL, EM_SETSEL, 0, -1);
}

void CEditorView::SearchClosed() {
    grid_->ShowSearchHighlight(false);
    for (const int id : {IDC_URL, IDC_EMAIL, IDC_NOTES}) {
        SendDlgItemMessageA(hwnd(), id, EM_SETSEL, 0, 0);
        InvalidateRect(Item(id), nullptr, TRUE);
    }
}

bool CEditorView::HandleLowerFieldKey(HWND field, UINT key) {
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const int id = GetDlgCtrlID(field);
    if (key == VK_RETURN && id == IDC_NOTES) return false;  // a new line in the notes
    if (key != VK_TAB && key != VK_RETURN) return false;
    if ((id == IDC_URL && url_.ListOpen()) || (id == IDC_EMAIL && email_.ListOpen())) return false;
    if (!shift) {
        if (id == IDC_URL) SetFocus(Item(IDC_EMAIL));
        if (id == IDC_EMAIL) SetFocus(Item(IDC_NOTES));
        if (id == IDC_NOTES) tree_->Focus();
        return true;
    }
    if (id == IDC_NOTES) SetFocus(Item(IDC_EMAIL));
    if (id == IDC_EMAIL) SetFocus(Item(IDC_URL));
    if (id == IDC_URL && grid_->Count() > 0) {
        grid_->MoveTo(Cell{grid_->Count() - 1, static_cast<int>(grid_->Columns().size()) - 1});
        grid_->Focus();
    }
    return true;
}

LRESULT CALLBACK CEditorView::LowerFieldProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                  DWORD_PTR data) {
    auto& self = *reinterpret_cast<CEditorView*>(data);
    switch (message) {
        case WM_GETDLGCODE:
            return DefSubclassProc(hwnd, message, wParam, lParam) | DLGC_WANTTAB;
        case WM_SETFOCUS:
            self.grid_->CommitEditor();
            break;
        case WM_KEYDOWN:
            if (self.HandleLowerFieldKey(hwnd, static_cast<UINT>(wParam))) return 0;
            break;
        case WM_CHAR:
            if (wParam == '\t' || (wParam == '\r' && GetDlgCtrlID(hwnd) != IDC_NOTES)) return 0;
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

void CEditorView::BeginRecordDrag(int row) {
    const int folder = grid_->FolderIndex();
    if (folder < 0 || row < 0) return;
    grid_->CommitEditor();
    grid_->AddToMultiSelection(row);
    if (!CanStartDrag(host_.Database.Folders[static_cast<std::size_t>(folder)], row)) {
        grid_->ClearMultiSelection();
        return;
    }
    dragSourceFolder_ = folder;
    recordDrag_ = true;
    SetCapture(hwnd());
}

void CEditorView::OnRightButtonUp() {
    if (!recordDrag_) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    EndRecordDrag(cursor);
}

void CEditorView::EndRecordDrag(POINT cursor) {
    recordDrag_ = false;
    ReleaseCapture();
    tree_->Send(TVM_SELECTITEM, TVGN_DROPHILITE, 0);
    HTREEITEM item = tree_->ItemAt(cursor);
    if (item != nullptr) {
        const ui::PopupMenu popup(IDR_DRAG_MENU);
        HMENU menu = popup.get();
        SetMenuDefaultItem(menu, ID_DRAG_COPY, FALSE);
        const UINT chosen = static_cast<UINT>(
            TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, cursor.x, cursor.y, 0, hwnd(), nullptr));
        if (chosen == ID_DRAG_COPY || chosen == ID_DRAG_MOVE) {
            DropRecords(tree_->model().FolderIndex(tree_->NodeOf(item)), chosen == ID_DRAG_MOVE);
        }
    }
    grid_->ClearMultiSelection();
}

void CEditorView::DropRecords(int target, bool move) {
    EditorHost& app = host_;
    const int source = grid_->FolderIndex();
    std::vector<int> rows = grid_->MultiSelection();
    if (rows.empty() && grid_->CurrentRow() >= 0) rows.push_back(grid_->CurrentRow());
    if (target < 0 || target == source || source < 0 || rows.empty()) {
        MessageBeep(MB_ICONHAND);
        return;
    }
    const Category from = GoverningCategory(app.Database, source);
    const Category to = GoverningCategory(app.Database, target);
    if (from != to && !suppressCategoryWarning_) {
        CCategoryWarningDlg warning;
        if (warning.DoModal(GetAncestor(hwnd(), GA_ROOT)) != IDOK) return;
        suppressCategoryWarning_ = warning.suppress();
    }
    app.Undo.PushUndo(move ? kMoveRecordsLabel : kCopyRecordsLabel, false, app.Database.Folders, tree_->Walk());
    TransferRecords(app.Database.Folders[static_cast<std::size_t>(source)], rows,
                    app.Database.Folders[static_cast<std::size_t>(target)], move);
    grid_->ClearMultiSelection();
    ReloadGrid();
    RecordsChanged();
}

void CEditorView::ShowNotesMenu(POINT at) {
    HWND notes = Item(IDC_NOTES);
    if (!IsWindowEnabled(notes)) return;
    const ui::PopupMenu popup(IDR_NOTES_MENU);
    HMENU menu = popup.get();
    CHARRANGE selection{};
    SendMessageA(notes, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    const bool selected = selection.cpMax > selection.cpMin;
    const auto enable = [menu](UINT id, bool on) { EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
    enable(ID_NOTES_UNDO, SendMessageA(notes, EM_CANUNDO, 0, 0) != 0);
    enable(ID_NOTES_REDO, SendMessageA(notes, EM_CANREDO, 0, 0) != 0);
    for (const UINT id : {ID_NOTES_CUT, ID_NOTES_COPY, ID_NOTES_DELETE}) enable(id, selected);
    enable(ID_NOTES_PASTE, SendMessageA(notes, EM_CANPASTE, CF_TEXT, 0) != 0);
    const UINT chosen =
        static_cast<UINT>(TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y, 0, hwnd(), nullptr));
    if (chosen == 0) return;
    // The menu's commands stand in the order of the rich edit commands.
    ui::ApplyRichEditCommand(notes, static_cast<ui::RichEditCommand>(chosen - ID_NOTES_UNDO),
                             [](const std::string& text) { CopyToClipboard(text); });
    host_.Database.Modified = true;
    frame_.ModifiedChanged();
    OnNotesChanged();
}

}  // namespace kv
