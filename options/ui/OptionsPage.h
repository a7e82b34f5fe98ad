// What the Options sheet's pages share: the program they edit, check boxes
// bound to settings (stored the moment they are clicked) and F1, which
// opens the user guide.
#pragma once

#include <cstdint>
#include <vector>

#include "options/ui/OptionsHost.h"
#include "uikit/PropertySheet.h"

namespace kv {

// A check box and the flag it shows.
struct FlagBox {
    int id;
    std::uint32_t AppSettings::*flag;
};

class OptionsPage : public ui::PropertyPage {
public:
    OptionsPage(UINT templateId, OptionsHost& host) : PropertyPage(templateId), host_(host) {}

protected:
    AppSettings& Settings() { return host_.EditedSettings(); }
    OptionsHost& Host() { return host_; }

    // Ticks the boxes as their flags stand.
    void ShowFlags(const std::vector<FlagBox>& boxes);
    // Stores the box `id` of `boxes` in its flag; false when it is none of them.
    bool StoreFlag(const std::vector<FlagBox>& boxes, UINT id);

    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    OptionsHost& host_;
};

}  // namespace kv
