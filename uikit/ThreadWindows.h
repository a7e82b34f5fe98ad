// The top-level windows of the calling thread: which are shown, who owns
// whom, and the active window and focus kept across a box that takes them.
#pragma once

#include <windows.h>

#include <vector>

namespace ui {

// The visible top-level windows of this thread, modal dialogs included.
std::vector<HWND> VisibleThreadWindows();

// Whether `owner` stands in the owner chain of `window`.
bool IsOwnedBy(HWND window, HWND owner);

// Notes the active window and the focus of this thread; gives both back
// when it ends, if they still exist (a message box leaves none active).
class FocusKeeper {
public:
    FocusKeeper();
    ~FocusKeeper();
    FocusKeeper(const FocusKeeper&) = delete;
    FocusKeeper& operator=(const FocusKeeper&) = delete;

private:
    HWND active_;
    HWND focus_;
};

}  // namespace ui
