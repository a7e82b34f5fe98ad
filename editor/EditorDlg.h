// The editor window: the outer window of the editor, with its title, its
// position and its close behaviour.
#pragma once

#include "db/SaveFlow.h"
#include "editor/EditorText.h"
#include "uikit/Dialog.h"
#include "uikit/MessageMap.h"

namespace kv {

class CEditorDlg : public ui::Mapped<CEditorDlg, ui::Dialog> {
public:
    CEditorDlg();

    // "%s - %s" with the open file's name (or "No file selected") and "Kelvandor".
    void UpdateTitle();

    // Asks to save a modified database (Yes and No, and Cancel when allowed)
    // and saves on Yes.
    SaveOutcome SaveChanges(bool allowCancel);

    static const ui::MessageMap<CEditorDlg>& Messages();

protected:
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override { Send(WM_CLOSE); }

private:
    LRESULT OnClose(WPARAM, LPARAM);
    LRESULT OnGetMinMaxInfo(WPARAM, LPARAM);

    SIZE minimumSize_{0, 0};
};

}  // namespace kv
