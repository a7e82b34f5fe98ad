#include "uikit/NotifyIcon.h"

#include <shellapi.h>

#include <cstring>

namespace ui {
namespace {

// The first form of the notification data (88 bytes in 32-bit builds),
// understood by every version of the shell.
NOTIFYICONDATAA Data(HWND owner, UINT id) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = owner;
    data.uID = id;
    return data;
}

}  // namespace

bool NotifyIcon::Add(HWND owner, HICON icon, const std::string& tip) {
    NOTIFYICONDATAA data = Data(owner, id_);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon;
    std::strncpy(data.szTip, tip.c_str(), 63);
    return Shell_NotifyIconA(NIM_ADD, &data) != FALSE;
}

bool NotifyIcon::Modify(HWND owner, HICON icon) const {
    NOTIFYICONDATAA data = Data(owner, id_);
    data.uFlags = NIF_ICON;
    data.hIcon = icon;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool NotifyIcon::Remove(HWND owner) const {
    NOTIFYICONDATAA data = Data(owner, id_);
    return Shell_NotifyIconA(NIM_DELETE, &data) != FALSE;
}

}  // namespace ui
