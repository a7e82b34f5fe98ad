// "Web form editor" (CFormDataDlg): the captured fields of one record in a
// list (Type, Field, Value, Column), their values and columns edited in
// place on a copy, the auto-submit box, and the record's form data deleted
// or its site launched. Nothing reaches the record before OK.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "db/Database.h"
#include "transfer/ColumnNames.h"
#include "uikit/Dialog.h"
#include "uikit/MessageMap.h"
#include "webforms/CapturedRecord.h"

namespace kv {

struct FormDataEditing {
    PasswordDatabase& db;
    FieldNames names;  // the program's current column names
    bool mask = true;  // the setting "Mask"
    // Called right before the record changes, with the undo label and the
    // folders as they stand (an undo level).
    std::function<void(const std::string& label, const std::vector<Folder>& before)> recordUndo;
    // "&Launch site": fills the record (its folder and its index as they stand then).
    std::function<void(int folder, int record)> launch;
};

// Opens the editor for record `recordIndex` of folder `folderIndex`; true
// when the record was changed (OK with an edit, or its form data deleted).
bool EditFormData(HWND owner, FormDataEditing& editing, int folderIndex, int recordIndex);

class CFormDataDlg : public ui::Mapped<CFormDataDlg, ui::Dialog> {
public:
    CFormDataDlg(FormDataEditing& editing, int folderIndex, int recordIndex);

    bool Changed() const { return changed_; }
    static const ui::MessageMap<CFormDataDlg>& Messages();

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    // The record as it stands now, found again since the arrays may have
    // been reordered meanwhile; nothing when it changed or went.
    std::optional<RecordPlace> FindRecord() const;
    void ShowRow(int row);
    LRESULT OnListClick(NMHDR& header);
    LRESULT OnListDraw(NMHDR& header);
    void OpenValueEditor(int row);
    void OpenColumnList(int row);
    void PlaceOver(HWND control, int row, int column, int height);
    void CommitValue();
    void CommitColumn();
    void OnColumnChosen() { CommitColumn(); }
    void CloseEditors();
    void OnDelete();
    void OnLaunch();
    // Applies `change` to the record found again after storing an undo level.
    bool ChangeRecord(const std::function<void(Record&)>& change);

    FormDataEditing& editing_;
    std::optional<RecordMark> mark_;
    std::vector<FormField> entries_;
    int editedRow_ = -1;
    bool changed_ = false;
};

}  // namespace kv
