#include "options/ui/OptionsPropSheet.h"

namespace kv {

COptionsPropSheet::COptionsPropSheet(OptionsHost& host)
    : preferences_(host), systemTray_(host), columnSettings_(host), columnNames_(host), autoFill_(host) {
    for (ui::PropertyPage* page : std::initializer_list<ui::PropertyPage*>{&preferences_, &systemTray_, &columnSettings_,
                                                                           &columnNames_, &autoFill_}) {
        sheet_.AddPage(*page);
    }
}

bool COptionsPropSheet::DoModal(HWND parent) { return sheet_.DoModal(parent); }

}  // namespace kv
