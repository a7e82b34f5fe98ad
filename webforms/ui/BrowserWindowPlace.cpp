#include "webforms/ui/BrowserWindowPlace.h"

#include "desktop/WindowBeside.h"
#include "desktop/WindowPlacement.h"

namespace kv {
namespace {

constexpr char kPositionValue[] = "FormDlgPos";

}  // namespace

void PlaceOverBrowser(SettingsStorage& storage, HWND window, HWND browser) {
    if (!RestoreWindowRect(storage, window, kPositionValue, true)) {
        POINT corner{0, 0};
        ClientToScreen(browser, &corner);
        SetWindowPos(window, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void PlaceBesideAuthDialog(HWND window, HWND dialog) {
    const ScreenRect uncovered = ScreenRectOf(dialog);
    const ScreenRect own = ScreenRectOf(window);
    const ScreenPoint at = PlaceBeside(uncovered, own.right - own.left, own.bottom - own.top,
                                       WorkAreaAt(POINT{uncovered.left, uncovered.top}));
    SetWindowPos(window, HWND_TOPMOST, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void RememberBrowserWindowPlace(SettingsStorage& storage, HWND window) {
    SaveWindowRect(storage, window, kPositionValue);
}

}  // namespace kv
