// Where the tray dialog opens: beside the taskbar, on whichever screen edge
// the taskbar sits.
#pragma once

#include "desktop/WindowRect.h"

namespace kv {

enum class TaskbarEdge { Left, Top, Right, Bottom };

// The edge of a taskbar from its rectangle: left or top when it starts at the
// screen's corner (taller than wide, or wider than tall), otherwise bottom
// when its left is smaller than its top, else right.
TaskbarEdge EdgeOfTaskbar(const ScreenRect& taskbar);

// The top-left corner of a dialog of `width` by `height` beside the taskbar,
// in the corner of the work area next to the notification area.
ScreenPoint PlaceBesideTaskbar(const ScreenRect& taskbar, const ScreenRect& workArea, int width, int height);

}  // namespace kv
