// Wrappers of the common controls that pick a value: the hot-key control,
// the track bar, the up-down control and the image combo box.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "uikit/Controls.h"

namespace ui {

// Modifiers as the hot-key control gives them: 1 Shift, 2 Control, 4 Alt.
struct HotKeyValue {
    std::uint32_t modifiers = 0;
    std::uint32_t virtualKey = 0;
};

class HotKeyControl : public Control {
public:
    using Control::Control;
    // A key without a modifier, or with Shift alone, would be taken from
    // every program: the control puts Alt in their place.
    void RefuseBareKeys() const { Send(HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_ALT, 0)); }
    void SetValue(const HotKeyValue& value) const;
    HotKeyValue Value() const;
};

class TrackBar : public Control {
public:
    using Control::Control;
    void SetRange(int low, int high) const { Send(TBM_SETRANGE, TRUE, MAKELPARAM(low, high)); }
    int Position() const { return static_cast<int>(Send(TBM_GETPOS)); }
    void SetPosition(int position) const { Send(TBM_SETPOS, TRUE, position); }
};

class UpDown : public Control {
public:
    using Control::Control;
    void SetRange(int low, int high) const { Send(UDM_SETRANGE32, static_cast<WPARAM>(low), high); }
    // Steps of `step` once the arrow is held for `afterSeconds`.
    void SetAcceleration(UINT afterSeconds, UINT step) const;
};

// A drop-down list of pictures (ComboBoxEx) whose entries are the images of
// its image list in order.
class ImageComboBox : public Control {
public:
    using Control::Control;
    // Fills the list with one entry per image of `images`.
    void ShowImages(HIMAGELIST images, int count) const;
    int Selection() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    void Select(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    void DropDown(bool show) const { Send(CB_SHOWDROPDOWN, show ? TRUE : FALSE); }
};

}  // namespace ui
