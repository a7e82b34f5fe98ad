#include "uikit/PropertySheet.h"

#include "uikit/MessageParams.h"
#include "uikit/Module.h"

namespace ui {
namespace {

// The sheet being created, for the callback that sees its window first.
Sheet* creating = nullptr;

}  // namespace

bool PropertyPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (const NMHDR* header = message == WM_NOTIFY ? TrustedNotifyHeader(lParam) : nullptr) {
        if (header->code == static_cast<UINT>(PSN_APPLY)) {
            result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
            return true;
        }
        if (header->code == static_cast<UINT>(PSN_SETACTIVE)) {
            OnSetActive();
            result = 0;
            return true;
        }
    }
    // OK and Cancel belong to the sheet, not to the page.
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) return false;
    return Dialog::HandleMessage(message, wParam, lParam, result);
}

INT_PTR CALLBACK PropertyPage::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        // The page arrives as the lParam of its PROPSHEETPAGE.
        auto* page = reinterpret_cast<PropertyPage*>(reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam);
        return DialogProc(hwnd, message, wParam, reinterpret_cast<LPARAM>(page));
    }
    return DialogProc(hwnd, message, wParam, lParam);
}

int CALLBACK Sheet::SheetCallback(HWND hwnd, UINT message, LPARAM) {
    if (message == PSCB_INITIALIZED && creating != nullptr) {
        creating->hwnd_ = hwnd;
        if (creating->closeOnly_) {
            ShowWindow(GetDlgItem(hwnd, IDOK), SW_HIDE);
            SetDlgItemTextA(hwnd, IDCANCEL, "&Close");
        }
    }
    return 0;
}

bool Sheet::DoModal(HWND parent) {
    std::vector<PROPSHEETPAGEA> pages(pages_.size());
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        PROPSHEETPAGEA& p = pages[i];
        p.dwSize = sizeof p;
        p.hInstance = Instance();
        p.pszTemplate = MAKEINTRESOURCEA(pages_[i]->TemplateId());
        p.pfnDlgProc = PropertyPage::PageProc;
        p.lParam = reinterpret_cast<LPARAM>(pages_[i]);
    }
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK;
    header.hwndParent = parent;
    header.hInstance = Instance();
    header.pszCaption = caption_.c_str();
    header.nPages = static_cast<UINT>(pages.size());
    header.nStartPage = static_cast<UINT>(startPage_);
    header.ppsp = pages.data();
    header.pfnCallback = SheetCallback;
    creating = this;
    const INT_PTR result = ::PropertySheetA(&header);
    creating = nullptr;
    hwnd_ = nullptr;
    return result > 0;
}

}  // namespace ui
