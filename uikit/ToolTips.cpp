#include "uikit/ToolTips.h"

#include <commctrl.h>

#include <string>

#include "uikit/Module.h"

namespace ui {

HWND AddToolTips(HWND dialog, std::initializer_list<int> controlIds) {
    HWND tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, Instance(), nullptr);
    if (tips == nullptr) return nullptr;
    for (const int id : controlIds) {
        std::string text = LoadText(static_cast<UINT>(id));
        text = text.substr(0, text.find('\n'));
        if (text.empty()) continue;
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = dialog;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, id));
        tool.lpszText = text.data();
        SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return tips;
}

}  // namespace ui
