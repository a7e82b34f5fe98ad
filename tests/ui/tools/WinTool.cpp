// kelvandor-wintool: looks at and drives the windows of a Wine desktop for
// the screenshot script.
//   wintool list                 every top-level window: handle, visibility, rectangle, class, title
//   wintool foreground           the title of the foreground window
//   wintool tray                 clicks the program's notification icon (opens the tray dialog)
//   wintool rect TITLE           "left top width height" of the visible window with that title
//   wintool press TITLE ID       presses button ID of the visible window with that title
//   wintool settext TITLE ID TEXT  sets the text of control ID of that window
//   wintool command TITLE ID     sends that window the menu command ID
//   wintool expand TITLE ID      expands every item of tree view ID of that window
//   wintool wait TITLE [MS]      waits until a visible window with that title exists
//   wintool key TITLE ID VK...   posts key presses (virtual-key codes) to control ID among the
//                                window's descendants (0: the window itself)
//   wintool hover TITLE ID X Y   rests the mouse on point (X, Y) of control ID among the descendants
//   wintool syscommand TITLE SC [LPARAM]  posts WM_SYSCOMMAND (61488 maximises, 61728 restores,
//                                61696 with a letter's code opens that menu of the menu bar)
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/ui/support/UiHarness.h"

namespace {

using kv::uitest::FindWindowMatching;

int Usage() {
    std::fprintf(stderr, "usage: wintool list | foreground | tray | rect TITLE | press TITLE ID | settext TITLE ID TEXT | command TITLE ID | expand TITLE ID | wait TITLE [MS] | key TITLE ID VK... | hover TITLE ID X Y | syscommand TITLE SC [LPARAM] | menu LETTER\n");
    return 2;
}

BOOL CALLBACK PrintWindow(HWND window, LPARAM) {
    RECT r{};
    GetWindowRect(window, &r);
    std::printf("%p %s %ld,%ld,%ld,%ld <%s> [%s]\n", static_cast<void*>(window),
                IsWindowVisible(window) ? "visible" : "hidden ", r.left, r.top, r.right, r.bottom,
                kv::uitest::ClassOf(window).c_str(), kv::uitest::TextOf(window).c_str());
    return TRUE;
}

// Expands `item`, its siblings after it and everything below them (a tree
// that fills itself as items open gets its children on the way).
void ExpandAll(HWND tree, HTREEITEM item) {
    for (; item != nullptr;
         item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
        ExpandAll(tree, kv::uitest::ExpandedChild(tree, item));
    }
}

HWND Visible(const std::string& title) { return FindWindowMatching({0, title, "", true}); }

struct DescendantSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchId(HWND child, LPARAM lParam) {
    auto& search = *reinterpret_cast<DescendantSearch*>(lParam);
    if (GetDlgCtrlID(child) != search.id) return TRUE;
    search.found = child;
    return FALSE;
}

// The first descendant of `window` with control identifier `id`; the window itself for 0.
HWND Descendant(HWND window, int id) {
    if (id == 0) return window;
    DescendantSearch search{id, nullptr};
    EnumChildWindows(window, MatchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string command = argv[1];
    if (command == "list") {
        EnumWindows(PrintWindow, 0);
        return 0;
    }
    if (command == "menu" && argc > 2) {
        // Chooses the item of the open pop-up menu whose mnemonic is LETTER.
        HWND menu = FindWindowA("#32768", nullptr);
        if (menu == nullptr || !IsWindowVisible(menu)) return 1;
        PostMessageA(menu, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(argv[2][0])), 1);
        return 0;
    }
    if (command == "foreground") {
        std::printf("%s\n", kv::uitest::TextOf(GetForegroundWindow()).c_str());
        return 0;
    }
    if (command == "tray") {
        HWND tray = FindWindowMatching({0, "Kelvandor", "Kelvandor", false});
        if (tray == nullptr) {
            std::fprintf(stderr, "wintool: Kelvandor does not run\n");
            return 1;
        }
        kv::uitest::ClickNotificationIcon(tray);
        return 0;
    }
    if (argc < 3) return Usage();
    const std::string title = argv[2];
    if (command == "wait") {
        const DWORD timeout = argc > 3 ? static_cast<DWORD>(std::atoi(argv[3])) : 10000;
        return kv::uitest::WaitForWindow({0, title, "", true}, timeout) != nullptr ? 0 : 1;
    }
    HWND window = Visible(title);
    if (window == nullptr) {
        std::fprintf(stderr, "wintool: no visible window \"%s\"\n", title.c_str());
        return 1;
    }
    if (command == "rect") {
        RECT r{};
        GetWindowRect(window, &r);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (command == "command" && argc > 3) {
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(std::atoi(argv[3]), 0), 0);
        return 0;
    }
    if (command == "settext" && argc > 4) {
        kv::uitest::SetItemText(window, std::atoi(argv[3]), argv[4]);
        return 0;
    }
    if (command == "expand" && argc > 3) {
        HWND tree = GetDlgItem(window, std::atoi(argv[3]));
        ExpandAll(tree, reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)));
        return 0;
    }
    if (command == "key" && argc > 4) {
        HWND target = Descendant(window, std::atoi(argv[3]));
        for (int i = 4; i < argc && target != nullptr; ++i) {
            PostMessageA(target, WM_KEYDOWN, static_cast<WPARAM>(std::atoi(argv[i])), 1);
            PostMessageA(target, WM_KEYUP, static_cast<WPARAM>(std::atoi(argv[i])), 0xC0000001);
        }
        return target != nullptr ? 0 : 1;
    }
    if (command == "hover" && argc > 5) {
        HWND target = Descendant(window, std::atoi(argv[3]));
        if (target == nullptr) return 1;
        POINT point{std::atoi(argv[4]), std::atoi(argv[5])};
        POINT screen = point;
        ClientToScreen(target, &screen);
        SetCursorPos(screen.x, screen.y);
        PostMessageA(target, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        return 0;
    }
    if (command == "syscommand" && argc > 3) {
        PostMessageA(window, WM_SYSCOMMAND, static_cast<WPARAM>(std::atoi(argv[3])), argc > 4 ? std::atoi(argv[4]) : 0);
        return 0;
    }
    if (command == "press" && argc > 3) {
        kv::uitest::PressButton(window, std::atoi(argv[3]));
        return 0;
    }
    return Usage();
}
