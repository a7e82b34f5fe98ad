#include "uikit/AnsiText.h"

#include <string>

namespace ui {

bool HoldsAnsiText(HWND control) {
    const int length = GetWindowTextLengthW(control);
    if (length <= 0) return true;
    // The text may be a password: both copies are wiped.
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    const int read = GetWindowTextW(control, wide.data(), length + 1);
    if (read <= 0) return true;
    std::string ansi(static_cast<std::size_t>(read) * 2 + 1, '\0');
    BOOL usedDefault = FALSE;
    const int converted = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), read, ansi.data(),
                                              static_cast<int>(ansi.size()), nullptr, &usedDefault);
    SecureZeroMemory(wide.data(), wide.size() * sizeof(wchar_t));
    SecureZeroMemory(ansi.data(), ansi.size());
    return converted > 0 && usedDefault == FALSE;
}

}  // namespace ui
