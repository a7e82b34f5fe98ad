#include "desktop/WindowBeside.h"

#include <algorithm>
#include <array>

namespace kv {

ScreenRect KeepOnWorkArea(const ScreenRect& rect, const ScreenRect& workArea) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int left = std::max(workArea.left, std::min(rect.left, workArea.right - width));
    const int top = std::max(workArea.top, std::min(rect.top, workArea.bottom - height));
    return {left, top, left + width, top + height};
}

ScreenPoint PlaceBeside(const ScreenRect& uncovered, int width, int height, const ScreenRect& workArea) {
    struct Side {
        int room;    // pixels of work area on that side of the rectangle
        int needed;  // the window's width or height
        ScreenPoint at;
    };
    const std::array<Side, 4> sides = {{
        {workArea.right - uncovered.right, width, {uncovered.right, uncovered.top}},
        {uncovered.left - workArea.left, width, {uncovered.left - width, uncovered.top}},
        {workArea.bottom - uncovered.bottom, height, {uncovered.left, uncovered.bottom}},
        {uncovered.top - workArea.top, height, {uncovered.left, uncovered.top - height}},
    }};
    const auto roomLeft = [](const Side& side) { return side.room - side.needed; };
    const auto fits = std::find_if(sides.begin(), sides.end(), [&](const Side& side) { return roomLeft(side) >= 0; });
    const auto roomier = [&](const Side& a, const Side& b) { return roomLeft(a) < roomLeft(b); };
    const Side& chosen = fits != sides.end() ? *fits : *std::max_element(sides.begin(), sides.end(), roomier);
    const ScreenRect beside{chosen.at.x, chosen.at.y, chosen.at.x + width, chosen.at.y + height};
    const ScreenRect placed = KeepOnWorkArea(beside, workArea);
    return {placed.left, placed.top};
}

}  // namespace kv
