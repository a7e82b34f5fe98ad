#include "app/NotesPopup.h"

#include "uikit/Module.h"

namespace kv {
namespace {

constexpr char kClassName[] = "KelvandorNotes";
constexpr int kWidth = 280;
constexpr int kHeight = 180;
constexpr int kTextId = 100;

}  // namespace

const ui::MessageMap<CNotesPopup>& CNotesPopup::Messages() {
    static const auto map = ui::MessageMap<CNotesPopup>()
                                .Message(WM_SIZE, &CNotesPopup::OnSize)
                                .Message(WM_CTLCOLORSTATIC, &CNotesPopup::OnColor);
    return map;
}

bool CNotesPopup::Open(HWND owner, const std::string& text, POINT at) {
    if (!RegisterClass(kClassName)) return false;
    const RECT rect{at.x, at.y, at.x + kWidth, at.y + kHeight};
    if (!Create(kClassName, "Notes", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
                rect, owner)) {
        return false;
    }
    text_ = CreateWindowExA(0, "EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY,
                            0, 0, 0, 0, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextId)), ui::Instance(),
                            nullptr);
    SendMessageA(text_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    OnSize(0, 0);
    Show(SW_SHOW);
    return true;
}

LRESULT CNotesPopup::OnSize(WPARAM, LPARAM) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    MoveWindow(text_, 0, 0, client.right, client.bottom, TRUE);
    return 0;
}

LRESULT CNotesPopup::OnColor(WPARAM wParam, LPARAM) {
    // Read-only text on a window background, like a note.
    SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_INFOBK));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INFOBK));
}

}  // namespace kv
