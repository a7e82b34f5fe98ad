// Pictures beside menu items, cut from a strip of 16 by 16 pictures whose
// magenta pixels are transparent. The menu leaves each picture to its owner
// window (HBMMENU_CALLBACK), which draws it over the item's own background,
// plain or highlighted, and greyed while the item is disabled.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "uikit/ImageList.h"

namespace ui {

class MenuImages {
public:
    MenuImages() = default;
    MenuImages(const MenuImages&) = delete;
    MenuImages& operator=(const MenuImages&) = delete;

    // Shows picture i of the strip beside the item of `menu` (or of one of its
    // submenus) with command commands[i].
    void Attach(HMENU menu, UINT stripId, const std::vector<UINT>& commands);

    // From the owner window's WM_MEASUREITEM and WM_DRAWITEM: whether the
    // item was one of these pictures, now measured or drawn.
    bool Measure(MEASUREITEMSTRUCT& item) const;
    bool Draw(const DRAWITEMSTRUCT& item) const;

private:
    int IndexOf(UINT type, UINT command) const;

    ImageList images_;
    ImageList greyed_;
    std::vector<UINT> commands_;
};

}  // namespace ui
