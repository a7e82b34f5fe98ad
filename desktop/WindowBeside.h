// Where a window goes so that it stays on the work area and, for a window
// opened from another, leaves a part of that one uncovered.
#pragma once

#include "desktop/WindowRect.h"

namespace kv {

// The rectangle moved, without changing its size, so that it lies on the
// work area; its left and top stay on it when it is larger.
ScreenRect KeepOnWorkArea(const ScreenRect& rect, const ScreenRect& workArea);

// The top-left corner of a window of `width` by `height` that must not cover
// `uncovered`: to its right, else to its left, else below, else above it,
// the first side where the window fits on the work area (level with the
// rectangle's top or left); when none has room, the side with the most room,
// moved onto the work area.
ScreenPoint PlaceBeside(const ScreenRect& uncovered, int width, int height, const ScreenRect& workArea);

}  // namespace kv
