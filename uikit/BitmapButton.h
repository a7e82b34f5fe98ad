// An owner-drawn push button that shows a picture whose magenta pixels are
// transparent, greyed out while disabled.
#pragma once

#include <vector>

#include "uikit/Controls.h"
#include "uikit/ImageList.h"

namespace ui {

// The transparent colour of the program's pictures.
constexpr COLORREF kTransparentColor = RGB(255, 0, 255);

// An image list of one or more pictures of `width` pixels cut from a bitmap
// resource, with magenta as the transparent colour; null when missing.
ImageList LoadMaskedImages(UINT bitmapId, int width);
// The same pictures greyed, as a disabled control shows them.
ImageList LoadGreyedImages(UINT bitmapId, int width);

// An image list of `size` by `size` pictures, the first picture of each
// bitmap in order (a missing bitmap leaves its place out).
ImageList BuildImageList(const std::vector<UINT>& bitmapIds, int size);

class BitmapButton : public Button {
public:
    BitmapButton() = default;
    BitmapButton(const BitmapButton&) = delete;
    BitmapButton& operator=(const BitmapButton&) = delete;

    // Shows the picture of bitmap resource `bitmapId`.
    void SetImage(UINT bitmapId);
    // Shows `bitmapId`, and `pressedId` while pressed. A flat button draws no
    // frame: its parent paints what lies behind the picture (it answers
    // WM_PRINTCLIENT).
    void SetImages(UINT bitmapId, UINT pressedId, bool flat);
    // Draws the button; call it from the parent's WM_DRAWITEM for this control.
    void Draw(const DRAWITEMSTRUCT& item) const;

private:
    void PaintParentBackground(HDC dc) const;

    ImageList images_;
    ImageList greyedImages_;
    ImageList pressedImages_;
    bool flat_ = false;
};

}  // namespace ui
