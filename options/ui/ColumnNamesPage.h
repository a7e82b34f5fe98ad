// The "Column names" page (template 295): the name and the icon of each
// column, the icon chosen from a picture list beside its button.
#pragma once

#include <array>

#include "options/OptionRules.h"
#include "options/ui/OptionsPage.h"
#include "uikit/BitmapButton.h"
#include "uikit/InputControls.h"
#include "uikit/MessageMap.h"

namespace kv {

class CColumnNamesPage : public ui::Mapped<CColumnNamesPage, OptionsPage> {
public:
    explicit CColumnNamesPage(OptionsHost& host);

    static const ui::MessageMap<CColumnNamesPage>& Messages();

protected:
    bool OnInitDialog() override;

private:
    void OnNameChanged(UINT id);
    void OnIconButton(UINT id);
    void OnIconChosen();
    void OnPickerLeft() { picker_.Show(false); }
    void OnRestoreDefaults();
    bool OnDrawItem(UINT id, const DRAWITEMSTRUCT& item);
    void ShowColumns();

    std::array<ui::BitmapButton, kColumnBoxes> buttons_;
    ui::ImageComboBox picker_;
    ui::ImageList pictures_;
    int pickingColumn_ = -1;
    bool ready_ = false;
};

}  // namespace kv
