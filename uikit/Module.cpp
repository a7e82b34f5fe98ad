#include "uikit/Module.h"

namespace ui {
namespace {

HINSTANCE instance = nullptr;

}  // namespace

HINSTANCE Instance() { return instance != nullptr ? instance : GetModuleHandleA(nullptr); }

void SetInstance(HINSTANCE module) { instance = module; }

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string file = path;
    return file.substr(0, file.find_last_of('\\') + 1);
}

std::string LoadText(UINT id) {
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW hands out the resource itself, of any length.
    const int length = LoadStringW(Instance(), id, reinterpret_cast<wchar_t*>(&text), 0);
    if (length <= 0 || text == nullptr) return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

HICON LoadIconAt(UINT id, int size) {
    return static_cast<HICON>(
        LoadImageA(Instance(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_SHARED));
}

}  // namespace ui
