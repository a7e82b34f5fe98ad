// The "Column settings" page (template 227): one category at a time, its
// name and the columns of its grid, and the default category.
#pragma once

#include "options/ui/OptionsPage.h"
#include "uikit/MessageMap.h"

namespace kv {

class CColumnSettingsPage : public ui::Mapped<CColumnSettingsPage, OptionsPage> {
public:
    explicit CColumnSettingsPage(OptionsHost& host);

    static const ui::MessageMap<CColumnSettingsPage>& Messages();

protected:
    bool OnInitDialog() override;

private:
    void OnCategory(UINT id);
    void OnColumnBox(UINT id);
    void OnNameLeft();
    void OnRestoreDefaults();
    void OnDefaultCategory();
    // Shows the current category: its name, its columns and the captions.
    void ShowCategory();
    void ShowCategoryNames();

    int category_ = 1;
    HWND tips_ = nullptr;
};

}  // namespace kv
