// Small drawing helpers over device contexts.
#pragma once

#include <windows.h>

namespace ui {

// The bitmap resource `bitmapId`, for the caller to delete; null when missing.
HBITMAP LoadBitmapResource(UINT bitmapId);

// Copies `width` by `height` pixels of `bitmap` from its top left to (x, y) of `target`.
void DrawBitmap(HDC target, HBITMAP bitmap, int x, int y, int width, int height);

// The size of a bitmap; zero for none.
SIZE BitmapSize(HBITMAP bitmap);

}  // namespace ui
