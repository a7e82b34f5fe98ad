// Reading what window messages carry in their parameters. Any process can
// send our windows messages, so the pointer of a WM_NOTIFY is read only when
// it points at our own readable memory and names a window of this thread.
#pragma once

#include <windows.h>

namespace ui {

// The point packed into a message's lParam, sign-extended for monitors left
// of or above the primary one.
inline POINT PointOf(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// The header of a WM_NOTIFY, or null when it cannot be trusted.
NMHDR* TrustedNotifyHeader(LPARAM lParam);

}  // namespace ui
