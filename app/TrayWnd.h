// The hidden top-level window of class "Kelvandor": the target of the
// requests of other instances and of the browser helper, and the owner of
// the notification icon.
#pragma once

#include "uikit/MessageMap.h"
#include "uikit/NotifyIcon.h"
#include "uikit/Window.h"

namespace kv {

class CTrayWnd : public ui::Mapped<CTrayWnd, ui::Window> {
public:
    static constexpr char kClassName[] = "Kelvandor";

    CTrayWnd();

    bool Create();

    // The notification icon: 128, or 296 while the database is locked.
    bool AddIcon();
    void UpdateIcon();
    void RemoveIcon();
    bool IconShown() const { return iconShown_; }
    DWORD IconAddedAt() const { return iconAddedAt_; }

    static const ui::MessageMap<CTrayWnd>& Messages();

private:
    LRESULT OnShowDlg(WPARAM, LPARAM);
    LRESULT OnShutdown(WPARAM, LPARAM);
    LRESULT OnIePopup(WPARAM, LPARAM);
    LRESULT OnTaskbar(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);

    ui::NotifyIcon icon_;
    bool iconShown_ = false;
    DWORD iconAddedAt_ = 0;
};

}  // namespace kv
