// The grid's tip: resting the mouse on a cell whose text is cut off shows
// the whole of the text the cell displays (a masked password stays masked).
#include "editor/RecordGrid.h"

#include <algorithm>

#include "uikit/Module.h"

namespace kv {
namespace {

constexpr UINT_PTR kCellTool = 1;
// The list leaves this much room around a cell's text.
constexpr int kCellTextPadding = 12;

}  // namespace

void CRecordGrid::CreateTip() {
    tip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, ui::Instance(),
                           nullptr);
    if (tip_ == nullptr) return;
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = hwnd();
    tool.uId = kCellTool;
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void CRecordGrid::TrackTip(const MSG& mouse) {
    if (tip_ == nullptr) return;
    if (mouse.message == WM_MOUSEMOVE) {
        const Cell cell = CellAt(POINT{static_cast<short>(LOWORD(mouse.lParam)), static_cast<short>(HIWORD(mouse.lParam))});
        if (cell.row != tipCell_.row || cell.column != tipCell_.column) {
            // Another cell: the tip covers that cell alone, and shows again after a rest.
            tipCell_ = cell;
            SendMessageA(tip_, TTM_POP, 0, 0);
            TOOLINFOA tool{};
            tool.cbSize = sizeof tool;
            tool.hwnd = hwnd();
            tool.uId = kCellTool;
            if (cell.row >= 0 && cell.column >= 0) tool.rect = CellRect(cell);
            SendMessageA(tip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    MSG relayed = mouse;
    SendMessageA(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void CRecordGrid::FillTipText(NMTTDISPINFOA& info) {
    tipText_.clear();
    const Record* record = nullptr;
    if (const Folder* folder = ShownFolder(); folder != nullptr && tipCell_.row >= 0) {
        const auto& records = folder->records;
        if (static_cast<std::size_t>(tipCell_.row) < records.size()) record = &records[static_cast<std::size_t>(tipCell_.row)];
    }
    const int field = FieldAt(tipCell_.column);
    if (record != nullptr && field >= 0 && !editing_) {
        const std::string text = DisplayedText(*record, field);
        RECT cell = CellRect(tipCell_);
        RECT client{};
        GetClientRect(hwnd(), &client);
        const int shown = std::min(cell.right, client.right) - cell.left;
        const int needed = static_cast<int>(Send(LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text.c_str())));
        if (needed + kCellTextPadding > shown) tipText_ = text;
    }
    info.lpszText = tipText_.data();
}

}  // namespace kv
