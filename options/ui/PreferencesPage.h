// The "Preferences" page (template 222): clipboard clearing, the lock
// options and hot key, masking, the skin, the grid's habits and the default
// expiration days.
#pragma once

#include "options/ui/OptionsPage.h"
#include "uikit/InputControls.h"
#include "uikit/MessageMap.h"

namespace kv {

class CPreferencesPage : public ui::Mapped<CPreferencesPage, OptionsPage> {
public:
    explicit CPreferencesPage(OptionsHost& host);

    // The hot key as the page left it (read when the page closes); the
    // stored one when the page never opened.
    const HotKey& ChosenHotKey() const { return hotKey_; }

    static const ui::MessageMap<CPreferencesPage>& Messages();

protected:
    bool OnInitDialog() override;
    // The icon may have gone on another page meanwhile.
    void OnSetActive() override { EnableLockOptions(); }

private:
    void OnFlag(UINT id);
    void OnClearClipboard();
    void OnSecondsChanged();
    void OnLockByHotKey() { EnableLockOptions(); }
    void OnSkin();
    void OnDaysTyped();
    void OnDaysChosen();
    void OnDestroy();
    void EnableLockOptions();

    ui::HotKeyControl hotKeyControl_;
    HotKey hotKey_;
    bool ready_ = false;
};

}  // namespace kv
