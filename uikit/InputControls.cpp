#include "uikit/InputControls.h"

namespace ui {

void HotKeyControl::SetValue(const HotKeyValue& value) const {
    Send(HKM_SETHOTKEY, MAKEWORD(static_cast<BYTE>(value.virtualKey), static_cast<BYTE>(value.modifiers)));
}

HotKeyValue HotKeyControl::Value() const {
    const WORD word = LOWORD(Send(HKM_GETHOTKEY));
    return {HIBYTE(word), LOBYTE(word)};
}

void UpDown::SetAcceleration(UINT afterSeconds, UINT step) const {
    UDACCEL acceleration{afterSeconds, step};
    Send(UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&acceleration));
}

void ImageComboBox::ShowImages(HIMAGELIST images, int count) const {
    Send(CB_RESETCONTENT);
    Send(CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    for (int i = 0; i < count; ++i) {
        COMBOBOXEXITEMA item{};
        item.mask = CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_TEXT;
        item.iItem = i;
        item.iImage = i;
        item.iSelectedImage = i;
        item.pszText = const_cast<char*>("");
        Send(CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

}  // namespace ui
