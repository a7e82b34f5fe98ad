// "Tip of the Day" (template 107): one tip after another, with the choice to
// see them at start-up.
#pragma once

#include "settings/SettingsStore.h"
#include "uikit/Dialog.h"
#include "uikit/MessageMap.h"

namespace kv {

class CTipDlg : public ui::Mapped<CTipDlg, ui::Dialog> {
public:
    explicit CTipDlg(SettingsStorage& storage);
    // The index of the next tip is kept when the dialog goes.
    ~CTipDlg() override;

    // Whether tips are shown at start-up (`ShowTips`, on unless stored off).
    static bool ShowAtStartup(SettingsStorage& storage);

    static const ui::MessageMap<CTipDlg>& Messages();

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void ShowNextTip();

    SettingsStorage& storage_;
    int next_ = 0;
};

}  // namespace kv
