#include "editor/CategoryWarningDlg.h"

#include "resources/resource.h"

namespace kv {

CCategoryWarningDlg::CCategoryWarningDlg() : Dialog(IDD_CATEGORY_WARNING) {}

bool CCategoryWarningDlg::OnInitDialog() {
    HWND icon = GetWindow(hwnd(), GW_CHILD);
    SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIcon(nullptr, IDI_WARNING)), 0);
    return true;
}

void CCategoryWarningDlg::OnOK() {
    suppress_ = IsChecked(IDC_SUPPRESS_WARNING);
    EndDialog(IDOK);
}

}  // namespace kv
