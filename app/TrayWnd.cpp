#include "app/TrayWnd.h"

#include "app/PasswordApp.h"
#include "app/RegisteredMessages.h"
#include "resources/resource.h"
#include "uikit/Module.h"

namespace kv {
namespace {

constexpr UINT kIconId = 1;

}  // namespace

CTrayWnd::CTrayWnd() : icon_(kIconId, messages::Taskbar) {}

const ui::MessageMap<CTrayWnd>& CTrayWnd::Messages() {
    static const auto map = ui::MessageMap<CTrayWnd>()
                                .Registered(&messages::ShowDlg, &CTrayWnd::OnShowDlg)
                                .Registered(&messages::Shutdown, &CTrayWnd::OnShutdown)
                                .Registered(&messages::IePopup, &CTrayWnd::OnIePopup)
                                .Registered(&messages::Taskbar, &CTrayWnd::OnTaskbar)
                                .Message(WM_DESTROY, &CTrayWnd::OnDestroy);
    return map;
}

bool CTrayWnd::Create() {
    if (!RegisterClass(kClassName)) return false;
    return ui::Window::Create(kClassName, "Kelvandor", 0, WS_EX_TOOLWINDOW, RECT{0, 0, 0, 0}, nullptr);
}

bool CTrayWnd::AddIcon() {
    HICON icon = ui::LoadIconAt(App().Locked ? IDI_LOCKED : IDI_KELVANDOR, 16);
    iconShown_ = true;
    iconAddedAt_ = GetTickCount();
    return icon_.Add(hwnd(), icon, "Kelvandor");
}

void CTrayWnd::UpdateIcon() {
    if (iconShown_) icon_.Modify(hwnd(), ui::LoadIconAt(App().Locked ? IDI_LOCKED : IDI_KELVANDOR, 16));
}

void CTrayWnd::RemoveIcon() {
    iconShown_ = false;
    icon_.Remove(hwnd());
}

LRESULT CTrayWnd::OnShowDlg(WPARAM, LPARAM) {
    App().ShowEditor();
    return 1;
}

LRESULT CTrayWnd::OnShutdown(WPARAM, LPARAM) {
    App().Exit(true);
    return 0;
}

LRESULT CTrayWnd::OnIePopup(WPARAM, LPARAM) {
    // The web-form menu comes with the browser integration.
    return 1;
}

LRESULT CTrayWnd::OnTaskbar(WPARAM, LPARAM lParam) {
    // Until the tray dialog exists, the icon opens the editor.
    if (lParam == WM_LBUTTONUP) App().ShowEditor();
    return 0;
}

LRESULT CTrayWnd::OnDestroy(WPARAM, LPARAM) {
    if (iconShown_) RemoveIcon();
    return 0;
}

}  // namespace kv
