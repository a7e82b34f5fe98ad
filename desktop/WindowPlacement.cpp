#include "desktop/WindowPlacement.h"

#include "desktop/WindowRect.h"
#include "settings/Settings.h"

namespace kv {

void SaveWindowRect(SettingsStorage& storage, HWND window, const char* valueName) {
    if (IsIconic(window)) return;
    RECT rect{};
    GetWindowRect(window, &rect);
    std::unique_ptr<SettingsStore> store = storage.OpenOrCreate();
    if (store) store->WriteText(valueName, FormatStoredRect(ScreenRect{rect.left, rect.top, rect.right, rect.bottom}));
}

bool RestoreWindowRect(SettingsStorage& storage, HWND window, const char* valueName, bool positionOnly) {
    std::unique_ptr<SettingsStore> store = storage.OpenExisting();
    if (!store) return false;
    const std::optional<std::string> text = store->ReadText(valueName, kPathTextSize);
    if (!text) return false;
    const std::optional<ScreenRect> stored = ParseStoredRect(*text);
    if (!stored) return false;
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const std::optional<ScreenRect> fitted = FitToWorkArea(*stored, ScreenRect{work.left, work.top, work.right, work.bottom});
    if (!fitted) return false;
    if (positionOnly) {
        SetWindowPos(window, nullptr, fitted->left, fitted->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        MoveWindow(window, fitted->left, fitted->top, fitted->right - fitted->left, fitted->bottom - fitted->top, FALSE);
    }
    return true;
}

ScreenRect WorkAreaAt(POINT point) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &monitor);
    return {monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right, monitor.rcWork.bottom};
}

ScreenRect ScreenRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace kv
