#include "uikit/BitmapButton.h"

#include <vector>

#include "platform/Win32Handles.h"
#include "uikit/Drawing.h"
#include "uikit/Module.h"

namespace ui {

namespace {

// An image list of the pictures of `width` pixels in `bitmap`, magenta transparent.
ImageList ImagesOf(HBITMAP bitmap, int width) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    ImageList images(ImageList_Create(width, info.bmHeight, ILC_COLOR24 | ILC_MASK, info.bmWidth / width, 0));
    if (images) ImageList_AddMasked(images.get(), bitmap, kTransparentColor);
    return images;
}

kv::GdiObject<HBITMAP> LoadDibSection(UINT bitmapId) {
    return kv::GdiObject<HBITMAP>(static_cast<HBITMAP>(
        LoadImageA(Instance(), MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
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
    const kv::WindowDc screen(nullptr);
    GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &format, DIB_RGB_COLORS);
    for (RGBQUAD& pixel : pixels) {
        if (RGB(pixel.rgbRed, pixel.rgbGreen, pixel.rgbBlue) == kTransparentColor) continue;
        const int brightness = (pixel.rgbRed * 30 + pixel.rgbGreen * 59 + pixel.rgbBlue * 11) / 100;
        const auto grey = static_cast<BYTE>(128 + brightness / 2);
        pixel.rgbRed = pixel.rgbGreen = pixel.rgbBlue = grey;
    }
    SetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &format, DIB_RGB_COLORS);
}

}  // namespace

ImageList LoadMaskedImages(UINT bitmapId, int width) {
    const kv::GdiObject<HBITMAP> bitmap = LoadDibSection(bitmapId);
    return bitmap ? ImagesOf(bitmap.get(), width) : ImageList();
}

ImageList LoadGreyedImages(UINT bitmapId, int width) {
    const kv::GdiObject<HBITMAP> bitmap = LoadDibSection(bitmapId);
    if (!bitmap) return ImageList();
    Grey(bitmap.get());
    return ImagesOf(bitmap.get(), width);
}

ImageList BuildImageList(const std::vector<UINT>& bitmapIds, int size) {
    ImageList list(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, static_cast<int>(bitmapIds.size()), 0));
    for (const UINT bitmap : bitmapIds) {
        if (const ImageList one = LoadMaskedImages(bitmap, size)) {
            const kv::IconHandle icon(ImageList_GetIcon(one.get(), 0, ILD_TRANSPARENT));
            ImageList_AddIcon(list.get(), icon.get());
        }
    }
    return list;
}

namespace {

// The whole bitmap as one masked picture, by `load` (masked or greyed); null when missing.
ImageList LoadPicture(UINT bitmapId, ImageList (*load)(UINT, int) = LoadMaskedImages) {
    if (bitmapId == 0) return ImageList();
    const kv::GdiObject<HBITMAP> probe(LoadBitmapResource(bitmapId));
    const SIZE size = BitmapSize(probe.get());
    return size.cx > 0 ? load(bitmapId, size.cx) : ImageList();
}

}  // namespace

void BitmapButton::SetImage(UINT bitmapId) { SetImages(bitmapId, 0, false); }

void BitmapButton::SetImages(UINT bitmapId, UINT pressedId, bool flat) {
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
    HIMAGELIST images = disabled                  ? greyedImages_.get()
                        : pressed && pressedImages_ ? pressedImages_.get()
                                                    : images_.get();
    if (images != nullptr) {
        int width = 0;
        int height = 0;
        ImageList_GetIconSize(images, &width, &height);
        const int shift = pressed && images == images_.get() ? 1 : 0;
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
