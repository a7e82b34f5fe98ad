#include "uikit/ToolTips.h"

#include <commctrl.h>

#include "uikit/Module.h"

namespace ui {

HWND AddToolTips(HWND dialog, std::initializer_list<int> controlIds) {
    HWND tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, Instance(), nullptr);
    if (tips == nullptr) return nullptr;
    for (const int id : controlIds) {
        const std::string text = LoadText(static_cast<UINT>(id));
        SetToolTip(tips, dialog, GetDlgItem(dialog, id), text.substr(0, text.find('\n')));
    }
    return tips;
}

void SetToolTip(HWND tips, HWND dialog, HWND control, const std::string& text) {
    if (tips == nullptr || control == nullptr) return;
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    SendMessageA(tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    if (text.empty()) return;
    std::string shown = text;
    tool.lpszText = shown.data();
    SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace ui
