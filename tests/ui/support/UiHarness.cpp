#include "tests/ui/support/UiHarness.h"

#include <map>

namespace kv::uitest {
namespace {

std::map<UINT_PTR, DialogAnswerer*>& Answerers() {
    static std::map<UINT_PTR, DialogAnswerer*> answerers;
    return answerers;
}

struct Search {
    const WindowQuery* query;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<Search*>(lParam);
    const WindowQuery& q = *search.query;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (q.processId != 0 && pid != q.processId) return TRUE;
    if (q.visibleOnly && !IsWindowVisible(window)) return TRUE;
    if (!q.title.empty() && TextOf(window) != q.title) return TRUE;
    if (!q.className.empty() && ClassOf(window) != q.className) return TRUE;
    search.found.push_back(window);
    return TRUE;
}

struct ThreadDialog {
    const std::string* caption;
    HWND found = nullptr;
};

BOOL CALLBACK FindThreadDialog(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<ThreadDialog*>(lParam);
    if (ClassOf(window) == "#32770" && IsWindowVisible(window) && IsWindowEnabled(window) &&
        TextOf(window) == *search.caption) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindStatic(HWND child, LPARAM lParam) {
    // The message of a box is its static control with identifier 0xFFFF.
    if (ClassOf(child) == "Static" && GetDlgCtrlID(child) == 0xFFFF) {
        *reinterpret_cast<std::string*>(lParam) = TextOf(child);
        return FALSE;
    }
    return TRUE;
}

}  // namespace

void Pump(DWORD milliseconds) {
    WaitUntil([] { return false; }, milliseconds);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message{};
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                break;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::vector<HWND> FindWindows(const WindowQuery& query) {
    Search search{&query, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindWindowMatching(const WindowQuery& query) {
    const std::vector<HWND> found = FindWindows(query);
    return found.empty() ? nullptr : found.front();
}

HWND WaitForWindow(const WindowQuery& query, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindowMatching(query)) != nullptr; }, timeoutMs);
    return found;
}

std::string TextOf(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

HWND StartAuthenticationHost(ChildProcess& host, const std::string& program, const std::string& arguments) {
    if (!host.Start(program, arguments)) return nullptr;
    HWND dialog = nullptr;
    WaitUntil([&] {
        dialog = FindWindowA("#32770", "Authentication host");
        return dialog != nullptr && IsWindowVisible(dialog);
    });
    return dialog;
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string ItemText(HWND dialog, int id) { return TextOf(GetDlgItem(dialog, id)); }

void SetItemText(HWND dialog, int id, const std::string& text) { SetDlgItemTextA(dialog, id, text.c_str()); }

void PressButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void ClickNotificationIcon(HWND trayWindow) {
    PostMessageA(trayWindow, RegisterWindowMessageA("PASSWORDTaskbarMsg"), 0, WM_LBUTTONUP);
}

HTREEITEM ExpandedChild(HWND tree, HTREEITEM item) {
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
}

std::string MessageBoxText(HWND box) {
    std::string text;
    EnumChildWindows(box, FindStatic, reinterpret_cast<LPARAM>(&text));
    return text;
}

DialogAnswerer::DialogAnswerer() {
    timer_ = SetTimer(nullptr, 0, 30, OnTimer);
    Answerers()[timer_] = this;
}

DialogAnswerer::~DialogAnswerer() {
    KillTimer(nullptr, timer_);
    Answerers().erase(timer_);
}

void DialogAnswerer::Expect(const std::string& caption, int button, std::function<void(HWND)> prepare) {
    pending_.push_back(Pending{caption, button, std::move(prepare)});
}

void CALLBACK DialogAnswerer::OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    const auto found = Answerers().find(id);
    if (found != Answerers().end()) found->second->Answer();
}

void DialogAnswerer::Answer() {
    if (pending_.empty()) return;
    ThreadDialog search{&pending_.front().caption};
    EnumThreadWindows(GetCurrentThreadId(), FindThreadDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) return;
    Pending answer = pending_.front();
    pending_.pop_front();
    seen_.push_back(Seen{answer.caption, MessageBoxText(search.found)});
    if (answer.prepare) answer.prepare(search.found);
    PressButton(search.found, answer.button);
}

COLORREF ScreenPixel(HWND window, POINT client) {
    ClientToScreen(window, &client);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, client.x, client.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

}  // namespace kv::uitest
