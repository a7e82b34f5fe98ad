// A dialog from a dialog template, modal or modeless.
#pragma once

#include "uikit/Window.h"

namespace ui {

class Dialog : public Window {
public:
    explicit Dialog(UINT templateId) : templateId_(templateId) {}

    // Runs the dialog modally; returns the value passed to EndDialog, or -1
    // when the dialog could not be created.
    INT_PTR DoModal(HWND parent);

    // Creates the dialog without waiting for it; it stays until destroyed.
    bool CreateModeless(HWND parent);

    // Ends a modal dialog with `result`; a modeless one is hidden.
    void EndDialog(INT_PTR result);

    bool IsModal() const { return modal_; }
    UINT TemplateId() const { return templateId_; }

    // A child control of the dialog.
    HWND Item(int id) const { return GetDlgItem(hwnd(), id); }
    std::string ItemText(int id) const;
    void SetItemText(int id, const std::string& text) const { SetDlgItemTextA(hwnd(), id, text.c_str()); }
    void EnableItem(int id, bool enable) const { EnableWindow(Item(id), enable ? TRUE : FALSE); }
    bool IsChecked(int id) const { return IsDlgButtonChecked(hwnd(), id) == BST_CHECKED; }
    void Check(int id, bool checked) const { CheckDlgButton(hwnd(), id, checked ? BST_CHECKED : BST_UNCHECKED); }

protected:
    // Called when the controls exist; true lets the system set the focus.
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // The dialog procedure's answer to a handled message.
    static INT_PTR Answer(HWND hwnd, UINT message, LRESULT result);

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    UINT templateId_;
    bool modal_ = false;
};

}  // namespace ui
