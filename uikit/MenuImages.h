// Pictures beside menu items, cut from a strip of 16 by 16 pictures whose
// magenta pixels are transparent.
#pragma once

#include <windows.h>

#include <vector>

namespace ui {

// The pictures of a strip as 32-bit bitmaps with transparency, for menus;
// the caller deletes them.
std::vector<HBITMAP> LoadMenuImages(UINT stripId, int size = 16);

// Shows picture i beside the item with command commands[i].
void SetMenuImages(HMENU menu, const std::vector<UINT>& commands, const std::vector<HBITMAP>& images);

}  // namespace ui
