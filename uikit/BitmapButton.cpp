#include "uikit/BitmapButton.h"

#include <vector>

#include "uikit/Module.h"

namespace ui {

namespace {

// An image list of the pictures of `width` pixels in `bitmap`, magenta transparent.
HIMAGELIST ImagesOf(HBITMAP bitmap, int width) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    HIMAGELIST images = ImageList_Create(width, info.bmHeight, ILC_COLOR24 | ILC_MASK, info.bmWidth / width, 0);
    if (images != nullptr) ImageList_AddMasked(images, bitmap, kTransparentColor);
    return images;
}

HBITMAP LoadBitmapResource(UINT bitmapId) {
    return static_cast<HBITMAP>(
        LoadImageA(Instance(), MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// Turns every pixel but the transparent ones into a light grey of its brightness.
void Grey(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = info.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<RGBQUAD> pixels(static_cast<std::size_t>(info.bmWidth) * static_cast<std::size_t>(info.bmHeight));
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &format, DIB_RGB_COLORS);
    for (RGBQUAD& pixel : pixels) {
        if (RGB(pixel.rgbRed, pixel.rgbGreen, pixel.rgbBlue) == kTransparentColor) continue;
        const int brightness = (pixel.rgbRed * 30 + pixel.rgbGreen * 59 + pixel.rgbBlue * 11) / 100;
        const auto grey = static_cast<BYTE>(128 + brightness / 2);
        pixel.rgbRed = pixel.rgbGreen = pixel.rgbBlue = grey;
    }
    SetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
}

}  // namespace

HIMAGELIST LoadMaskedImages(UINT bitmapId, int width) {
    HBITMAP bitmap = LoadBitmapResource(bitmapId);
    if (bitmap == nullptr) return nullptr;
    HIMAGELIST images = ImagesOf(bitmap, width);
    DeleteObject(bitmap);
    return images;
}

HIMAGELIST LoadGreyedImages(UINT bitmapId, int width) {
    HBITMAP bitmap = LoadBitmapResource(bitmapId);
    if (bitmap == nullptr) return nullptr;
    Grey(bitmap);
    HIMAGELIST images = ImagesOf(bitmap, width);
    DeleteObject(bitmap);
    return images;
}

HIMAGELIST BuildImageList(const std::vector<UINT>& bitmapIds, int size) {
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, static_cast<int>(bitmapIds.size()), 0);
    for (const UINT bitmap : bitmapIds) {
        if (HIMAGELIST one = LoadMaskedImages(bitmap, size)) {
            HICON icon = ImageList_GetIcon(one, 0, ILD_TRANSPARENT);
            ImageList_AddIcon(list, icon);
            DestroyIcon(icon);
            ImageList_Destroy(one);
        }
    }
    return list;
}

namespace {

// The whole bitmap as one masked picture, by `load` (masked or greyed); null when missing.
HIMAGELIST LoadPicture(UINT bitmapId, HIMAGELIST (*load)(UINT, int) = LoadMaskedImages) {
    if (bitmapId == 0) return nullptr;
    BITMAP info{};
    HBITMAP probe = static_cast<HBITMAP>(LoadImageA(Instance(), MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, 0));
    if (probe != nullptr) {
        GetObjectA(probe, sizeof info, &info);
        DeleteObject(probe);
    }
    return info.bmWidth > 0 ? load(bitmapId, info.bmWidth) : nullptr;
}

void Release(HIMAGELIST& images) {
    if (images != nullptr) ImageList_Destroy(images);
    images = nullptr;
}

}  // namespace

BitmapButton::~BitmapButton() {
    Release(images_);
    Release(greyedImages_);
    Release(pressedImages_);
}

void BitmapButton::SetImage(UINT bitmapId) { SetImages(bitmapId, 0, false); }

void BitmapButton::SetImages(UINT bitmapId, UINT pressedId, bool flat) {
    Release(images_);
    Release(greyedImages_);
    Release(pressedImages_);
    images_ = LoadPicture(bitmapId);
    greyedImages_ = LoadPicture(bitmapId, LoadGreyedImages);
    pressedImages_ = LoadPicture(pressedId);
    flat_ = flat;
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void BitmapButton::PaintParentBackground(HDC dc) const {
    POINT origin{0, 0};
    MapWindowPoints(hwnd(), GetParent(hwnd()), &origin, 1);
    POINT previous{};
    SetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
    SendMessageA(GetParent(hwnd()), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_ERASEBKGND | PRF_CLIENT);
    SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

void BitmapButton::Draw(const DRAWITEMSTRUCT& item) const {
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    if (flat_) {
        PaintParentBackground(item.hDC);
    } else {
        RECT frame = item.rcItem;
        DrawFrameControl(item.hDC, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    }
    HIMAGELIST images = disabled                                 ? greyedImages_
                        : pressed && pressedImages_ != nullptr ? pressedImages_
                                                               : images_;
    if (images != nullptr) {
        int width = 0;
        int height = 0;
        ImageList_GetIconSize(images, &width, &height);
        const int shift = pressed && images == images_ ? 1 : 0;
        const int x = item.rcItem.left + (item.rcItem.right - item.rcItem.left - width) / 2 + shift;
        const int y = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - height) / 2 + shift;
        ImageList_Draw(images, 0, item.hDC, x, y, ILD_TRANSPARENT);
    }
    if ((item.itemState & ODS_FOCUS) != 0) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(item.hDC, &focus);
    }
}

}  // namespace ui
