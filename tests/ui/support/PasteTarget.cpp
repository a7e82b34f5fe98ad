#include "tests/ui/support/PasteTarget.h"

#include <commctrl.h>

#include "tests/ui/support/UiHarness.h"

namespace kv::uitest {

PasteTarget::PasteTarget() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "KelvandorPasteTarget";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, wc.lpszClassName, "Paste target", WS_OVERLAPPEDWINDOW, 40, 40, 300, 150, nullptr,
                              nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    first_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 200, 22, window_, nullptr,
                             wc.hInstance, nullptr);
    second_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 40, 200, 22, window_, nullptr,
                              wc.hInstance, nullptr);
    focus_ = first_;
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetFocus(first_);
    Pump(50);
}

PasteTarget::~PasteTarget() { DestroyWindow(window_); }

void PasteTarget::HandleTabs() { SetWindowSubclass(first_, TabProc, 0, reinterpret_cast<DWORD_PTR>(this)); }

std::string PasteTarget::FirstText() const { return TextOf(first_); }

// Like a dialog, the window gives the focus back to the field that had it
// when it is activated again.
LRESULT CALLBACK PasteTarget::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* target = reinterpret_cast<PasteTarget*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (target != nullptr && message == WM_ACTIVATE) {
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus == target->first_ || focus == target->second_) target->focus_ = focus;
        } else {
            SetFocus(target->focus_);
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK PasteTarget::TabProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR self) {
    auto& target = *reinterpret_cast<PasteTarget*>(self);
    if (message == WM_KEYDOWN && wParam == VK_TAB) {
        target.tabbedOn_ = true;
        SetFocus(target.second_);
        return 0;
    }
    if (message == WM_CHAR && wParam == '\t') return 0;
    return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace kv::uitest
