// One icon in the notification area, owned by a window.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

class NotifyIcon {
public:
    NotifyIcon(UINT id, UINT callbackMessage) : id_(id), callbackMessage_(callbackMessage) {}

    bool Add(HWND owner, HICON icon, const std::string& tip);
    bool Modify(HWND owner, HICON icon) const;
    bool Remove(HWND owner) const;

private:
    UINT id_;
    UINT callbackMessage_;
};

}  // namespace ui
