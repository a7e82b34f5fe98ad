#include "uikit/ThreadWindows.h"

namespace ui {
namespace {

BOOL CALLBACK CollectVisible(HWND window, LPARAM list) {
    if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> VisibleThreadWindows() {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool IsOwnedBy(HWND window, HWND owner) {
    if (owner == nullptr) return false;
    for (HWND above = GetWindow(window, GW_OWNER); above != nullptr; above = GetWindow(above, GW_OWNER)) {
        if (above == owner) return true;
    }
    return false;
}

FocusKeeper::FocusKeeper() : active_(GetActiveWindow()), focus_(GetFocus()) {}

FocusKeeper::~FocusKeeper() {
    if (active_ == nullptr || !IsWindow(active_) || !IsWindowVisible(active_) || !IsWindowEnabled(active_)) return;
    SetActiveWindow(active_);
    if (focus_ != nullptr && IsWindow(focus_) && IsWindowVisible(focus_)) SetFocus(focus_);
}

}  // namespace ui
