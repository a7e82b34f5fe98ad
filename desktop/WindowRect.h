// The stored form of a window rectangle, "top,left,bottom,right", and where
// a restored window goes on the desktop.
#pragma once

#include <optional>
#include <string>

namespace kv {

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// "%u,%u,%u,%u" of top, left, bottom and right, each at least 0.
std::string FormatStoredRect(const ScreenRect& rect);

// Nothing when the text holds no usable rectangle: left equal to right, or a
// rectangle turned inside out. Missing numbers count as 0.
std::optional<ScreenRect> ParseStoredRect(const std::string& text);

// The rectangle pulled into the work area on the left and top and cut at the
// right and bottom; nothing when nothing of it would be left.
std::optional<ScreenRect> FitToWorkArea(const ScreenRect& stored, const ScreenRect& workArea);

}  // namespace kv
