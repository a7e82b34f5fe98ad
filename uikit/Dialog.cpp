#include "uikit/Dialog.h"

#include "uikit/Controls.h"
#include "uikit/MessageLoop.h"
#include "uikit/Module.h"

namespace ui {

INT_PTR Dialog::DoModal(HWND parent) {
    modal_ = true;
    const INT_PTR result = DialogBoxParamA(Instance(), MAKEINTRESOURCEA(templateId_), parent, DialogProc,
                                           reinterpret_cast<LPARAM>(this));
    modal_ = false;
    return result;
}

bool Dialog::CreateModeless(HWND parent) {
    modal_ = false;
    HWND dialog = CreateDialogParamA(Instance(), MAKEINTRESOURCEA(templateId_), parent, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    if (dialog != nullptr) AddModelessDialog(dialog);
    return dialog != nullptr;
}

void Dialog::EndDialog(INT_PTR result) {
    if (modal_) {
        ::EndDialog(hwnd(), result);
    } else {
        Show(SW_HIDE);
    }
}

std::string Dialog::ItemText(int id) const { return WindowText(Item(id)); }

bool Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message == WM_INITDIALOG) {
        result = OnInitDialog() ? TRUE : FALSE;
        return true;
    }
    if (message == WM_COMMAND && HIWORD(wParam) <= 1) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return true;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return true;
        }
    }
    return false;
}

INT_PTR Dialog::Answer(HWND hwnd, UINT message, LRESULT result) {
    switch (message) {
        // These messages return their value from the dialog procedure itself.
        case WM_INITDIALOG:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
            return static_cast<INT_PTR>(result);
        default:
            SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
            return TRUE;
    }
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* dialog = static_cast<Dialog*>(FromHandle(hwnd));
    if (dialog == nullptr && message == WM_INITDIALOG) {
        dialog = reinterpret_cast<Dialog*>(lParam);
        dialog->Bind(hwnd);
    }
    if (dialog == nullptr) return FALSE;
    LRESULT result = 0;
    const bool handled = dialog->Route(message, wParam, lParam, result);
    if (message == WM_NCDESTROY) {
        RemoveModelessDialog(hwnd);
        dialog->Unbind();
        dialog->OnDestroyed();
    }
    return handled ? Answer(hwnd, message, result) : FALSE;
}

}  // namespace ui
