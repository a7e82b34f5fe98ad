#include "editor/WelcomeDlg.h"

#include "resources/resource.h"

namespace kv {

CWelcomeDlg::CWelcomeDlg() : Dialog(IDD_WELCOME) {}

bool CWelcomeDlg::OnInitDialog() {
    SetItemText(IDC_WELCOME_TEXT,
                "The first time you use Kelvandor, it creates a new password database for you.\n\nWhen you click "
                "the OK button, a dialog will allow you to select a filename and password for your database.");
    return true;
}

}  // namespace kv
