#include "editor/EditorDlg.h"

#include "app/MessageBox.h"
#include "app/PasswordApp.h"
#include "app/WindowPlacement.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "resources/resource.h"

namespace kv {

CEditorDlg::CEditorDlg() : Mapped(IDD_EDITOR) {}

const ui::MessageMap<CEditorDlg>& CEditorDlg::Messages() {
    static const auto map = ui::MessageMap<CEditorDlg>()
                                .Message(WM_CLOSE, &CEditorDlg::OnClose)
                                .Message(WM_GETMINMAXINFO, &CEditorDlg::OnGetMinMaxInfo);
    return map;
}

bool CEditorDlg::OnInitDialog() {
    RECT rect{};
    GetWindowRect(hwnd(), &rect);
    // The size as first laid out is the smallest the window may become.
    minimumSize_ = SIZE{rect.right - rect.left, rect.bottom - rect.top};
    SetText("Kelvandor");
    RestoreWindowRect(App().Storage(), hwnd(), "WindowPosition", false);
    UpdateTitle();
    return true;
}

void CEditorDlg::UpdateTitle() { SetText(EditorTitle(App().Database.FilePath)); }

SaveOutcome CEditorDlg::SaveChanges(bool allowCancel) {
    return SaveDatabase(App().Database, App().FileInterface(), SystemFileSystem(), SystemLocale(),
                        FoldersInArrayOrder(App().Database), true, allowCancel);
}

LRESULT CEditorDlg::OnClose(WPARAM, LPARAM) {
    CPasswordApp& app = App();
    app.SaveAppSettings();
    SaveWindowRect(app.Storage(), hwnd(), "WindowPosition");
    if (app.Database.Modified) {
        switch (ShowMessage("Do you wish to save your changes?", MB_YESNOCANCEL | MB_ICONQUESTION)) {
            case IDYES:
                // A save that failed keeps the window and the changes, to try again.
                if (SaveDatabase(app.Database, app.FileInterface(), SystemFileSystem(), SystemLocale(),
                                 FoldersInArrayOrder(app.Database), false, false) == SaveOutcome::Failed) {
                    return 0;
                }
                break;
            case IDCANCEL:
                return 0;
            default:
                break;
        }
        app.Database.Modified = false;
    }
    if (app.Exiting || !app.Tray().IconShown()) {
        app.Exit(false);
    } else {
        Show(SW_HIDE);
    }
    return 0;
}

LRESULT CEditorDlg::OnGetMinMaxInfo(WPARAM, LPARAM lParam) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    if (minimumSize_.cx > 0) info->ptMinTrackSize = POINT{minimumSize_.cx, minimumSize_.cy};
    return 0;
}

}  // namespace kv
