#include "webforms/ui/FormDataDlg.h"

#include <commctrl.h>

#include "desktop/MessageBox.h"
#include "resources/resource.h"
#include "uikit/Controls.h"
#include "webforms/FormDataEdit.h"

namespace kv {
namespace {

constexpr char kUndoLabel[] = "Edit form data";
constexpr char kTitlePrefix[] = "Edit form data - ";
constexpr char kOverwriteWarning[] =
    "Warning: You are about to overwrite the column contents for '%s'.\n\nDo you wish to continue?";
constexpr char kDeleteQuestion[] = "Delete all form data for this site?";
constexpr const char* kColumnTitles[] = {"Type", "Field", "Value", "Column"};
constexpr int kValueColumn = 2;
constexpr int kColumnColumn = 3;
constexpr COLORREF kUnassignedColour = RGB(192, 192, 192);
constexpr COLORREF kAssignedColour = RGB(0, 0, 255);

std::string Formatted(const char* pattern, const std::string& text) {
    std::string result = pattern;
    result.replace(result.find("%s"), 2, text);
    return result;
}

}  // namespace

bool EditFormData(HWND owner, FormDataEditing& editing, int folderIndex, int recordIndex) {
    CFormDataDlg dialog(editing, folderIndex, recordIndex);
    dialog.DoModal(owner);
    return dialog.Changed();
}

CFormDataDlg::CFormDataDlg(FormDataEditing& editing, int folderIndex, int recordIndex)
    : Mapped(IDD_FORM_DATA), editing_(editing), mark_(MarkRecord(editing.db.Folders, {folderIndex, recordIndex})) {
    if (mark_) entries_ = mark_->copy.formData;
}

const ui::MessageMap<CFormDataDlg>& CFormDataDlg::Messages() {
    static const auto map = ui::MessageMap<CFormDataDlg>()
                                .Notify(IDC_FORM_DATA_LIST, NM_CLICK, &CFormDataDlg::OnListClick)
                                .Notify(IDC_FORM_DATA_LIST, NM_CUSTOMDRAW, &CFormDataDlg::OnListDraw)
                                .Control(IDC_FORM_VALUE_EDIT, EN_KILLFOCUS, &CFormDataDlg::CommitValue)
                                .Control(IDC_FORM_COLUMN_LIST, CBN_SELENDOK, &CFormDataDlg::OnColumnChosen)
                                .Control(IDC_FORM_COLUMN_LIST, CBN_KILLFOCUS, &CFormDataDlg::CommitColumn)
                                .Command(IDC_FORM_DELETE, &CFormDataDlg::OnDelete)
                                .Command(IDC_FORM_LAUNCH, &CFormDataDlg::OnLaunch);
    return map;
}

std::optional<RecordPlace> CFormDataDlg::FindRecord() const {
    return mark_ ? FindRecordAgain(editing_.db.Folders, *mark_) : std::nullopt;
}

bool CFormDataDlg::OnInitDialog() {
    SetText(kTitlePrefix + (mark_ ? mark_->copy.fields[kDescription] : std::string()));
    ui::ListView list(Item(IDC_FORM_DATA_LIST));
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    RECT client{};
    GetClientRect(list.hwnd(), &client);
    const int width = (client.right - client.left) / 4;
    for (int column = 0; column < 4; ++column) list.InsertColumn(column, kColumnTitles[column], width);
    for (std::size_t row = 0; row < entries_.size(); ++row) {
        list.InsertItem(static_cast<int>(row), FormFieldTypeText(entries_[row].type), static_cast<LPARAM>(row));
        ShowRow(static_cast<int>(row));
    }
    if (!entries_.empty()) list.SetSelected(0, true);
    ui::ComboBox columns(Item(IDC_FORM_COLUMN_LIST));
    for (int field = 0; field < kFieldCount; ++field) {
        const int item = columns.Add(editing_.names[static_cast<std::size_t>(field)]);
        SendMessageA(columns.hwnd(), CB_SETITEMDATA, static_cast<WPARAM>(item), field);
    }
    const int unassigned = columns.Add(FormColumnText(-1, editing_.names));
    SendMessageA(columns.hwnd(), CB_SETITEMDATA, static_cast<WPARAM>(unassigned), -1);
    Check(IDC_FORM_AUTO_SUBMIT, !entries_.empty() && entries_.front().autoSubmit != 0);
    return true;
}

void CFormDataDlg::ShowRow(int row) {
    ui::ListView list(Item(IDC_FORM_DATA_LIST));
    const FormField& entry = entries_[static_cast<std::size_t>(row)];
    list.SetItemText(row, 1, entry.name);
    list.SetItemText(row, kValueColumn, FormValueText(entry, editing_.mask));
    list.SetItemText(row, kColumnColumn, FormColumnText(entry.column, editing_.names));
}

LRESULT CFormDataDlg::OnListClick(NMHDR& header) {
    const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(header);
    LVHITTESTINFO hit{};
    hit.pt = click.ptAction;
    const int row = static_cast<int>(SendDlgItemMessageA(hwnd(), IDC_FORM_DATA_LIST, LVM_SUBITEMHITTEST, 0,
                                                         reinterpret_cast<LPARAM>(&hit)));
    if (row < 0 || static_cast<std::size_t>(row) >= entries_.size()) return 0;
    if (hit.iSubItem == kValueColumn) OpenValueEditor(row);
    if (hit.iSubItem == kColumnColumn) OpenColumnList(row);
    return 0;
}

LRESULT CFormDataDlg::OnListDraw(NMHDR& header) {
    auto& draw = reinterpret_cast<NMLVCUSTOMDRAW&>(header);
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
        case CDDS_ITEMPREPAINT:
            return draw.nmcd.dwDrawStage == CDDS_PREPAINT ? CDRF_NOTIFYITEMDRAW : CDRF_NOTIFYSUBITEMDRAW;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
            const std::size_t row = static_cast<std::size_t>(draw.nmcd.dwItemSpec);
            draw.clrText = GetSysColor(COLOR_WINDOWTEXT);
            if (draw.iSubItem == kColumnColumn && row < entries_.size()) {
                draw.clrText = entries_[row].column < 0 ? kUnassignedColour : kAssignedColour;
            }
            return CDRF_NEWFONT;
        }
        default:
            return CDRF_DODEFAULT;
    }
}

void CFormDataDlg::PlaceOver(HWND control, int row, int column, int height) {
    HWND list = Item(IDC_FORM_DATA_LIST);
    RECT cell{};
    cell.top = column;
    cell.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    MapWindowPoints(list, hwnd(), reinterpret_cast<POINT*>(&cell), 2);
    SetWindowPos(control, HWND_TOP, cell.left, cell.top, cell.right - cell.left,
                 height > 0 ? height : cell.bottom - cell.top, SWP_SHOWWINDOW);
    SetFocus(control);
}

void CFormDataDlg::OpenValueEditor(int row) {
    CloseEditors();
    editedRow_ = row;
    ui::Edit edit(Item(IDC_FORM_VALUE_EDIT));
    const FormField& entry = entries_[static_cast<std::size_t>(row)];
    edit.SetPasswordChar(editing_.mask && IsPasswordEntry(entry) ? '*' : '\0');
    edit.SetText(entry.value);
    PlaceOver(edit.hwnd(), row, kValueColumn, 0);
    edit.SelectAll();
}

void CFormDataDlg::OpenColumnList(int row) {
    CloseEditors();
    editedRow_ = row;
    ui::ComboBox columns(Item(IDC_FORM_COLUMN_LIST));
    const int current = entries_[static_cast<std::size_t>(row)].column;
    for (int item = 0; item < columns.Count(); ++item) {
        if (static_cast<int>(SendMessageA(columns.hwnd(), CB_GETITEMDATA, static_cast<WPARAM>(item), 0)) == current) {
            columns.Select(item);
        }
    }
    PlaceOver(columns.hwnd(), row, kColumnColumn, 160);
    columns.Send(CB_SHOWDROPDOWN, TRUE);
}

void CFormDataDlg::CommitValue() {
    HWND edit = Item(IDC_FORM_VALUE_EDIT);
    if (!IsWindowVisible(edit) || editedRow_ < 0) return;
    entries_[static_cast<std::size_t>(editedRow_)].value = ui::WindowText(edit);
    ShowWindow(edit, SW_HIDE);
    ShowRow(editedRow_);
    editedRow_ = -1;
}

void CFormDataDlg::CommitColumn() {
    ui::ComboBox columns(Item(IDC_FORM_COLUMN_LIST));
    if (!columns.IsVisible() || editedRow_ < 0) return;
    const int item = columns.Selection();
    if (item >= 0) {
        entries_[static_cast<std::size_t>(editedRow_)].column =
            static_cast<int>(SendMessageA(columns.hwnd(), CB_GETITEMDATA, static_cast<WPARAM>(item), 0));
    }
    columns.Show(false);
    ShowRow(editedRow_);
    InvalidateRect(Item(IDC_FORM_DATA_LIST), nullptr, TRUE);
    editedRow_ = -1;
}

void CFormDataDlg::CloseEditors() {
    CommitValue();
    CommitColumn();
}

bool CFormDataDlg::ChangeRecord(const std::function<void(Record&)>& change) {
    const std::optional<RecordPlace> place = FindRecord();
    if (!place) return false;
    if (editing_.recordUndo) editing_.recordUndo(kUndoLabel, editing_.db.Folders);
    // Written through the folder's own copy, after the undo level took its copy.
    change(editing_.db.Folders[static_cast<std::size_t>(place->folder)].records.write()[static_cast<std::size_t>(place->record)]);
    editing_.db.Modified = true;
    changed_ = true;
    return true;
}

void CFormDataDlg::OnOK() {
    const bool editorOpen = IsWindowVisible(Item(IDC_FORM_VALUE_EDIT)) || IsWindowVisible(Item(IDC_FORM_COLUMN_LIST));
    CloseEditors();
    // Enter in a cell's editor only ends that edit.
    if (editorOpen) return;
    const bool autoSubmit = IsChecked(IDC_FORM_AUTO_SUBMIT);
    const std::optional<RecordPlace> place = FindRecord();
    if (!place) {
        EndDialog(IDCANCEL);
        return;
    }
    const Record& record = editing_.db.Folders[static_cast<std::size_t>(place->folder)].records[static_cast<std::size_t>(place->record)];
    if (FormDataEdited(record, entries_, autoSubmit)) {
        const int field = OverwrittenField(record, entries_);
        if (field >= 0 &&
            ShowMessage(Formatted(kOverwriteWarning, record.fields[static_cast<std::size_t>(field)]),
                        MB_YESNO | MB_ICONWARNING) != IDYES) {
            return;
        }
        const std::vector<FormField> entries = entries_;
        ChangeRecord([&entries, autoSubmit](Record& r) { ApplyFormDataEdit(r, entries, autoSubmit); });
    }
    EndDialog(IDOK);
}

void CFormDataDlg::OnCancel() {
    HWND edit = Item(IDC_FORM_VALUE_EDIT);
    HWND columns = Item(IDC_FORM_COLUMN_LIST);
    if (IsWindowVisible(edit) || IsWindowVisible(columns)) {
        // Escape in a cell's editor drops that edit only.
        editedRow_ = -1;
        ShowWindow(edit, SW_HIDE);
        ShowWindow(columns, SW_HIDE);
        return;
    }
    EndDialog(IDCANCEL);
}

void CFormDataDlg::OnDelete() {
    if (ShowMessage(kDeleteQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    ChangeRecord([](Record& r) { r.formData.clear(); });
    EndDialog(IDOK);
}

void CFormDataDlg::OnLaunch() {
    const std::optional<RecordPlace> place = FindRecord();
    if (!place || !editing_.launch) return;
    editing_.launch(place->folder, place->record);
    // A fill binds imported entries to the page's names, which changes the
    // record where it stands: the mark follows it there.
    mark_ = MarkRecord(editing_.db.Folders, *place);
}

}  // namespace kv
