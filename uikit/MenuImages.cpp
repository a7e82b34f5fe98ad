#include "uikit/MenuImages.h"

#include "uikit/Module.h"

namespace ui {

std::vector<HBITMAP> LoadMenuImages(UINT stripId, int size) {
    std::vector<HBITMAP> images;
    HBITMAP strip = static_cast<HBITMAP>(
        LoadImageA(Instance(), MAKEINTRESOURCEA(stripId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (strip == nullptr) return images;
    BITMAP info{};
    GetObjectA(strip, sizeof info, &info);
    // Read the strip as top-down 32-bit pixels.
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = -info.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<std::size_t>(info.bmWidth) * static_cast<std::size_t>(info.bmHeight));
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, strip, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &format, DIB_RGB_COLORS);
    DeleteObject(strip);
    for (int first = 0; first + size <= info.bmWidth; first += size) {
        BITMAPINFO one = format;
        one.bmiHeader.biWidth = size;
        one.bmiHeader.biHeight = -size;
        void* bits = nullptr;
        HBITMAP image = CreateDIBSection(screen, &one, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (image == nullptr) continue;
        auto* out = static_cast<DWORD*>(bits);
        for (int y = 0; y < size && y < info.bmHeight; ++y) {
            for (int x = 0; x < size; ++x) {
                const DWORD pixel = pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(info.bmWidth) +
                                           static_cast<std::size_t>(first + x)] & 0x00FFFFFF;
                // Magenta is transparent; everything else opaque.
                out[y * size + x] = pixel == 0x00FF00FF ? 0 : (pixel | 0xFF000000);
            }
        }
        images.push_back(image);
    }
    ReleaseDC(nullptr, screen);
    return images;
}

void SetMenuImages(HMENU menu, const std::vector<UINT>& commands, const std::vector<HBITMAP>& images) {
    for (std::size_t i = 0; i < commands.size() && i < images.size(); ++i) {
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_BITMAP;
        item.hbmpItem = images[i];
        SetMenuItemInfoA(menu, commands[i], FALSE, &item);
    }
}

}  // namespace ui
