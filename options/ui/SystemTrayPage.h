// The "System tray" page (template 225): the notification icon, Start with
// Windows, the paste habits and the tray dialog's transparency.
#pragma once

#include "options/ui/OptionsPage.h"
#include "uikit/InputControls.h"
#include "uikit/MessageMap.h"

namespace kv {

class CSystemTrayPage : public ui::Mapped<CSystemTrayPage, OptionsPage> {
public:
    explicit CSystemTrayPage(OptionsHost& host);

    static const ui::MessageMap<CSystemTrayPage>& Messages();

protected:
    bool OnInitDialog() override;

private:
    void OnFlag(UINT id);
    void OnShowIcon();
    void OnStartWithWindows();
    LRESULT OnScroll(WPARAM, LPARAM);
    void ShowTransparency();

    ui::TrackBar slider_;
};

}  // namespace kv
