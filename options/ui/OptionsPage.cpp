#include "options/ui/OptionsPage.h"

#include "desktop/UserGuide.h"

namespace kv {

void OptionsPage::ShowFlags(const std::vector<FlagBox>& boxes) {
    for (const FlagBox& box : boxes) Check(box.id, Settings().*box.flag != 0);
}

bool OptionsPage::StoreFlag(const std::vector<FlagBox>& boxes, UINT id) {
    for (const FlagBox& box : boxes) {
        if (box.id != static_cast<int>(id)) continue;
        Settings().*box.flag = IsChecked(box.id) ? 1 : 0;
        return true;
    }
    return false;
}

bool OptionsPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_HELP) {
        OpenUserGuide();
        result = TRUE;
        return true;
    }
    return PropertyPage::HandleMessage(message, wParam, lParam, result);
}

}  // namespace kv
