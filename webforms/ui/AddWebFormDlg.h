// "Add Web Form" (CAddWebFormDlg): a small tool window over a browser that
// records the page's form into a new record when the user submits it (or
// presses OK), or, for a browser's authentication dialog, saves the user
// name and password the hook library took from it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "db/Record.h"
#include "resources/resource.h"
#include "uikit/Dialog.h"
#include "uikit/MessageMap.h"
#include "webforms/BrowserConnection.h"
#include "webforms/ui/WebFormHost.h"

namespace kv {

class CAddWebFormDlg : public ui::Mapped<CAddWebFormDlg, ui::Dialog> {
public:
    explicit CAddWebFormDlg(WebFormHost& host);
    ~CAddWebFormDlg() override;

    // Opens the dialog over the browser that owns `browser`, watching its
    // page; false when it closed at once (no browser, the file could not be
    // loaded or unlocked, or there is no folder).
    bool Open(HWND browser);
    // The same, run modally; returns when the dialog ended.
    bool RunModal(HWND browser);
    // Opens it for a browser's authentication dialog `dialog` at `address`
    // ("Press OK to save"), watching the dialog: when the user closes it, the
    // user name and password read from it are saved.
    bool OpenForAuthDialog(HWND dialog, const std::string& address);
    // Ends the dialog without saving (the program locks or exits).
    void Close();
    bool IsOpen() const { return hwnd() != nullptr; }

    static const ui::MessageMap<CAddWebFormDlg>& Messages();

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override { Finish(); }

private:
    // The checks before the window opens: the browser, the file, a folder.
    bool Prepare(HWND browser);
    void FillFolders();
    void TakeNameFromTitle();
    void OnTimer(UINT_PTR id);
    LRESULT OnSubmitted(WPARAM form, LPARAM);
    void OnToggleIgnore() { Toggle(ID_IGNORE_THIS_SITE); }
    void OnToggleAutoSubmit() { Toggle(ID_ALWAYS_AUTO_SUBMIT); }
    // The user name and password that the watch of the authentication dialog read.
    void TakeAuthDialogValues();
    void Toggle(UINT item);
    bool IsMenuChecked(UINT item) const;
    // Builds the record and stores it; false when the user kept the old one.
    bool Save();
    // Puts the site on the ignored list when asked, keeps the position and
    // ends the dialog.
    void Finish();

    WebFormHost& host_;
    std::unique_ptr<CBrowserConnection> connection_;  // made anew for each opening
    HWND target_ = nullptr;  // the browser, or the authentication dialog
    bool authDialog_ = false;
    std::string address_;
    std::vector<FormField> captured_;
    // The folders offered, by path: the folder array may change while the
    // dialog is open.
    std::vector<std::string> folderPaths_;
};

}  // namespace kv
