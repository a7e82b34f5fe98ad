#include "uikit/BitmapButton.h"

#include "uikit/Module.h"

namespace ui {

HIMAGELIST LoadMaskedImages(UINT bitmapId, int width) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(Instance(), MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap == nullptr) return nullptr;
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    HIMAGELIST images = ImageList_Create(width, info.bmHeight, ILC_COLOR24 | ILC_MASK, info.bmWidth / width, 0);
    if (images != nullptr) ImageList_AddMasked(images, bitmap, kTransparentColor);
    DeleteObject(bitmap);
    return images;
}

BitmapButton::~BitmapButton() {
    if (images_ != nullptr) ImageList_Destroy(images_);
}

void BitmapButton::SetImage(UINT bitmapId) {
    if (images_ != nullptr) ImageList_Destroy(images_);
    BITMAP info{};
    HBITMAP probe = static_cast<HBITMAP>(LoadImageA(Instance(), MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, 0));
    if (probe != nullptr) {
        GetObjectA(probe, sizeof info, &info);
        DeleteObject(probe);
    }
    images_ = info.bmWidth > 0 ? LoadMaskedImages(bitmapId, info.bmWidth) : nullptr;
    imageId_ = bitmapId;
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void BitmapButton::Draw(const DRAWITEMSTRUCT& item) const {
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    RECT frame = item.rcItem;
    DrawFrameControl(item.hDC, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    if (images_ != nullptr) {
        int width = 0;
        int height = 0;
        ImageList_GetIconSize(images_, &width, &height);
        const int shift = pressed ? 1 : 0;
        const int x = item.rcItem.left + (item.rcItem.right - item.rcItem.left - width) / 2 + shift;
        const int y = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - height) / 2 + shift;
        if (disabled) {
            HICON icon = ImageList_GetIcon(images_, 0, ILD_TRANSPARENT);
            DrawStateA(item.hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, width, height,
                       DST_ICON | DSS_DISABLED);
            DestroyIcon(icon);
        } else {
            ImageList_Draw(images_, 0, item.hDC, x, y, ILD_TRANSPARENT);
        }
    }
    if ((item.itemState & ODS_FOCUS) != 0) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(item.hDC, &focus);
    }
}

}  // namespace ui
