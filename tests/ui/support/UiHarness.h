// Helpers for tests that drive real windows under Windows (or Wine): wait
// for a condition while messages flow, find windows, press buttons, read and
// set text, and answer modal dialogs and message boxes.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "tests/ui/support/ChildProcess.h"

namespace kv::uitest {

// Handles this thread's messages until `condition` holds or `timeoutMs`
// passes; returns whether it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// Handles this thread's messages for a while.
void Pump(DWORD milliseconds = 50);

struct WindowQuery {
    DWORD processId = 0;    // 0: any process
    std::string title;      // empty: any title
    std::string className;  // empty: any class
    bool visibleOnly = false;
};

// Top-level windows that match, in Z order.
std::vector<HWND> FindWindows(const WindowQuery& query);
HWND FindWindowMatching(const WindowQuery& query);
HWND WaitForWindow(const WindowQuery& query, DWORD timeoutMs = 5000);

std::string TextOf(HWND window);
std::string ClassOf(HWND window);

// Starts the build's auth-dialog-host (at `program`) with these edit texts
// in `host`, as a browser's authentication dialog in a process of its own,
// and finds its dialog once it shows; null when it did not.
HWND StartAuthenticationHost(ChildProcess& host, const std::string& program, const std::string& arguments);
std::string ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);

// Presses a button of a dialog as a click would (the dialog gets BN_CLICKED).
void PressButton(HWND dialog, int id);

// A click on the program's notification icon, as the shell reports it to
// its tray window.
void ClickNotificationIcon(HWND trayWindow);

// Expands `item` of a tree view (of any process; a tree that fills itself as
// items open gets its children then) and gives its first child.
HTREEITEM ExpandedChild(HWND tree, HTREEITEM item);

// The text of a message box (its static text control).
std::string MessageBoxText(HWND box);

// What the screen shows at a point of `window`'s client area.
COLORREF ScreenPixel(HWND window, POINT client);

// Answers the dialogs that this thread opens, in the order expected: each
// answer waits for a visible dialog with the given caption, records its
// message text and presses the button. Works inside modal loops, from a
// timer of this thread.
class DialogAnswerer {
public:
    struct Seen {
        std::string caption;
        std::string text;
    };

    DialogAnswerer();
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // Presses `button` in the next dialog captioned `caption`; `prepare`
    // runs on the dialog first (to type into it, say).
    void Expect(const std::string& caption, int button, std::function<void(HWND)> prepare = nullptr);

    bool AllAnswered() const { return pending_.empty(); }
    const std::vector<Seen>& seen() const { return seen_; }

private:
    struct Pending {
        std::string caption;
        int button;
        std::function<void(HWND)> prepare;
    };
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Answer();

    UINT_PTR timer_ = 0;
    std::deque<Pending> pending_;
    std::vector<Seen> seen_;
};

}  // namespace kv::uitest
