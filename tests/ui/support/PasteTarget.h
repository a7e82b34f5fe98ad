// A window of another "application" for typing into: a title and two edit
// fields, the first with the focus.
#pragma once

#include <windows.h>

#include <string>

namespace kv::uitest {

class PasteTarget {
public:
    PasteTarget();
    ~PasteTarget();
    PasteTarget(const PasteTarget&) = delete;
    PasteTarget& operator=(const PasteTarget&) = delete;

    // Tab moves on to the second field, as in a dialog.
    void HandleTabs();

    HWND hwnd() const { return window_; }
    std::string FirstText() const;
    bool TabbedOn() const { return tabbedOn_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK TabProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);

    HWND window_ = nullptr;
    HWND first_ = nullptr;
    HWND second_ = nullptr;
    HWND focus_ = nullptr;
    bool tabbedOn_ = false;
};

}  // namespace kv::uitest
