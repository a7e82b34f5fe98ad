// A property sheet (Sheet) of dialog-template pages (PropertyPage).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "uikit/Dialog.h"

namespace ui {

class PropertyPage : public Dialog {
public:
    using Dialog::Dialog;

protected:
    // The sheet's OK or Apply: false keeps the sheet open on this page.
    virtual bool OnApply() { return true; }
    // The page is about to be shown.
    virtual void OnSetActive() {}

    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    friend class Sheet;
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

class Sheet {
public:
    explicit Sheet(std::string caption) : caption_(std::move(caption)) {}

    // Pages appear in the order added; the sheet does not own them.
    void AddPage(PropertyPage& page) { pages_.push_back(&page); }
    void SetStartPage(std::size_t index) { startPage_ = index; }
    // Hides OK and calls Cancel "&Close", for sheets that act at once.
    void UseCloseButtonOnly() { closeOnly_ = true; }

    // Runs the sheet modally; true when it was closed with OK.
    bool DoModal(HWND parent);

    HWND hwnd() const { return hwnd_; }

private:
    static int CALLBACK SheetCallback(HWND hwnd, UINT message, LPARAM lParam);

    std::string caption_;
    std::vector<PropertyPage*> pages_;
    std::size_t startPage_ = 0;
    bool closeOnly_ = false;
    HWND hwnd_ = nullptr;
};

}  // namespace ui
