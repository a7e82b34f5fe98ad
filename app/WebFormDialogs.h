// The web-form dialogs as the tray window and the application object open
// them: the Add Web Form dialog, the AutoFill pop-up and the question asked
// before a record is filled into a page that is not plainly its own.
#pragma once

#include <windows.h>

#include <string>

#include "webforms/SiteAddress.h"

namespace kv {

// What a web-form dialog is opened for: a browser window, or a browser's
// authentication dialog (then `dialog` is set too), with the page's address.
struct WebFormTarget {
    HWND browser = nullptr;
    HWND dialog = nullptr;
    std::string address;
};

class WebFormDialogs {
public:
    virtual ~WebFormDialogs() = default;

    // Records a form of the target's page (or its authentication dialog)
    // into a new record; runs modally.
    virtual void OpenAddWebForm(const WebFormTarget& target) = 0;
    // Offers the records of the browser's site; `fromHelper` when the browser
    // helper asked (a page loaded or its menu), not the program's own menu.
    virtual void OpenAutoFillPopup(HWND browser, bool fromHelper) = 0;
    virtual bool IsAddWebFormOpen() const = 0;
    virtual bool IsAutoFillPopupOpen() const = 0;
    // Ends every open web-form dialog with result 0 (the program locks).
    virtual void CloseAll() = 0;
    // Asked before a fill that CheckFill does not pass outright; true fills
    // the page as it is ("Use this page").
    virtual bool ConfirmFillPage(FillCheck check, const std::string& recordAddress) = 0;
};

// The fill question in a message box: true to fill the page as it is.
bool AskToFillPage(FillCheck check, const std::string& recordAddress);

}  // namespace kv
