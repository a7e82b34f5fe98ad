#include "uikit/MenuImages.h"

#include <algorithm>

#include "uikit/BitmapButton.h"

namespace ui {
namespace {

constexpr int kSize = 16;
// Room on each side of a picture, between it and the item's text.
constexpr int kMargin = 3;

}  // namespace

void MenuImages::Attach(HMENU menu, UINT stripId, const std::vector<UINT>& commands) {
    images_ = LoadMaskedImages(stripId, kSize);
    greyed_ = LoadGreyedImages(stripId, kSize);
    commands_ = commands;
    for (const UINT command : commands) {
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_BITMAP;
        item.hbmpItem = HBMMENU_CALLBACK;
        SetMenuItemInfoA(menu, command, FALSE, &item);
    }
}

int MenuImages::IndexOf(UINT type, UINT command) const {
    if (type != ODT_MENU || !images_) return -1;
    const auto found = std::find(commands_.begin(), commands_.end(), command);
    const int index = found == commands_.end() ? -1 : static_cast<int>(found - commands_.begin());
    return index < ImageList_GetImageCount(images_.get()) ? index : -1;
}

bool MenuImages::Measure(MEASUREITEMSTRUCT& item) const {
    if (IndexOf(item.CtlType, item.itemID) < 0) return false;
    item.itemWidth = kSize + 2 * kMargin;
    item.itemHeight = kSize;
    return true;
}

bool MenuImages::Draw(const DRAWITEMSTRUCT& item) const {
    const int index = IndexOf(item.CtlType, item.itemID);
    if (index < 0) return false;
    const bool greyed = (item.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const int x = item.rcItem.left + (item.rcItem.right - item.rcItem.left - kSize) / 2;
    const int y = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - kSize) / 2;
    ImageList_Draw(greyed && greyed_ ? greyed_.get() : images_.get(), index, item.hDC, x, y, ILD_TRANSPARENT);
    return true;
}

}  // namespace ui
