#include "app/NotesPopup.h"

#include <commctrl.h>

#include "desktop/WindowBeside.h"
#include "desktop/WindowPlacement.h"
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
                                .Message(WM_SIZE, &CNotesPopup::FitText)
                                .ColorStatic(&CNotesPopup::OnColor);
    return map;
}

bool CNotesPopup::Open(HWND owner, const char* text, POINT at) {
    if (!RegisterClass(kClassName)) return false;
    // Opened near a screen edge, the window moves back onto the work area.
    const ScreenRect placed = KeepOnWorkArea({at.x, at.y, at.x + kWidth, at.y + kHeight}, WorkAreaAt(at));
    const RECT rect{placed.left, placed.top, placed.right, placed.bottom};
    if (!Create(kClassName, "Notes", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
                rect, owner)) {
        return false;
    }
    text_ = CreateWindowExA(0, "EDIT", text, WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY,
                            0, 0, 0, 0, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextId)), ui::Instance(),
                            nullptr);
    SendMessageA(text_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SetWindowSubclass(text_, TextProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
    FitText();
    Show(SW_SHOW);
    SetFocus(text_);
    return true;
}

CNotesPopup::~CNotesPopup() {
    if (text_ != nullptr && IsWindow(text_)) RemoveWindowSubclass(text_, TextProcedure, 1);
}

LRESULT CALLBACK CNotesPopup::TextProcedure(HWND text, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR data) {
    // Escape closes the window, as it would a dialog.
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
        PostMessageA(reinterpret_cast<CNotesPopup*>(data)->hwnd(), WM_CLOSE, 0, 0);
        return 0;
    }
    return DefSubclassProc(text, message, wParam, lParam);
}

void CNotesPopup::FitText() {
    RECT client{};
    GetClientRect(hwnd(), &client);
    MoveWindow(text_, 0, 0, client.right, client.bottom, TRUE);
}

HBRUSH CNotesPopup::OnColor(HDC dc, HWND) {
    // Read-only text on a window background, like a note.
    SetBkColor(dc, GetSysColor(COLOR_INFOBK));
    return GetSysColorBrush(COLOR_INFOBK);
}

}  // namespace kv
