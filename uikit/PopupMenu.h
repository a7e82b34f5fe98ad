// The first popup of a menu resource, for a context menu; the loaded menu is
// destroyed with the object.
#pragma once

#include <windows.h>

#include "platform/Win32Handles.h"
#include "uikit/Module.h"

namespace ui {

class PopupMenu {
public:
    explicit PopupMenu(UINT resourceId) : menus_(LoadMenuA(Instance(), MAKEINTRESOURCEA(resourceId))) {}
    // Null when the resource is missing.
    HMENU get() const { return menus_ ? GetSubMenu(menus_.get(), 0) : nullptr; }

private:
    kv::MenuHandle menus_;
};

}  // namespace ui
