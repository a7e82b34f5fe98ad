#include "uikit/Drawing.h"

#include "platform/Win32Handles.h"
#include "uikit/Module.h"

namespace ui {

HBITMAP LoadBitmapResource(UINT bitmapId) {
    return static_cast<HBITMAP>(LoadImageA(Instance(), MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, 0));
}

void DrawBitmap(HDC target, HBITMAP bitmap, int x, int y, int width, int height) {
    const kv::MemoryDc source(CreateCompatibleDC(target));
    if (!source) return;
    const kv::SelectedObject selected(source.get(), bitmap);
    BitBlt(target, x, y, width, height, source.get(), 0, 0, SRCCOPY);
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) == 0) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

}  // namespace ui
