// Reading a pop-up menu while the code under test tracks it in this thread:
// another thread finds the shown menu, reads it and closes it again.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace kv::uitest {

// The texts of a menu's items ("" for a separator), and whether each is grayed or checked.
struct MenuItems {
    std::vector<std::string> texts;
    std::vector<bool> grayed;
    std::vector<bool> checked;
};

inline MenuItems ItemsOf(HMENU menu) {
    MenuItems items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        items.texts.push_back(text);
        items.grayed.push_back((state & MF_GRAYED) != 0);
        items.checked.push_back((state & MF_CHECKED) != 0);
    }
    return items;
}

inline BOOL CALLBACK FindShownMenu(HWND window, LPARAM found) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) || lstrcmpA(name, "#32768") != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// With KELVANDOR_HOLD_MENU_MS set (the screenshot script sets it), opens the
// menu's first submenu and keeps the menu that long, to be looked at.
inline void HoldForScreenshot(HWND menu) {
    char text[16] = {};
    if (GetEnvironmentVariableA("KELVANDOR_HOLD_MENU_MS", text, sizeof text) == 0) return;
    PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RIGHT, 0);
    Sleep(static_cast<DWORD>(atoi(text)));
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
}

// Runs `open`, which shows a menu in this thread, has `read` look at the
// menu from another thread and closes it; false when no menu showed.
inline bool ReadShownMenu(const std::function<void()>& open, const std::function<void(HMENU)>& read,
                          DWORD waitMs = 5000) {
    bool shown = false;
    std::thread reader([&] {
        HWND window = nullptr;
        for (DWORD start = GetTickCount(); window == nullptr && GetTickCount() - start < waitMs; Sleep(20)) {
            EnumWindows(FindShownMenu, reinterpret_cast<LPARAM>(&window));
        }
        if (window == nullptr) return;
        shown = true;
        read(reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0)));
        HoldForScreenshot(window);
        // One Escape closes one level of an open submenu: as many as it takes,
        // and none left over for the next menu of the thread.
        for (int level = 0; level < 3 && IsWindowVisible(window); ++level) {
            PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
            for (DWORD start = GetTickCount(); IsWindowVisible(window) && GetTickCount() - start < 1000;) Sleep(10);
        }
    });
    open();
    reader.join();
    return shown;
}

}  // namespace kv::uitest
