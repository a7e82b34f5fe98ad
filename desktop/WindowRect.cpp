#include "desktop/WindowRect.h"

#include <algorithm>
#include <cstdlib>

namespace kv {
namespace {

int ParseCoordinate(const std::string& text, std::size_t& pos) {
    if (pos >= text.size()) return 0;
    const long value = std::strtol(text.c_str() + pos, nullptr, 10);
    const std::size_t comma = text.find(',', pos);
    pos = comma == std::string::npos ? text.size() : comma + 1;
    return static_cast<int>(std::clamp(value, -1000000L, 1000000L));
}

}  // namespace

std::string FormatStoredRect(const ScreenRect& rect) {
    const auto coordinate = [](int value) { return std::to_string(value < 0 ? 0 : value); };
    return coordinate(rect.top) + "," + coordinate(rect.left) + "," + coordinate(rect.bottom) + "," +
           coordinate(rect.right);
}

std::optional<ScreenRect> ParseStoredRect(const std::string& text) {
    std::size_t pos = 0;
    ScreenRect rect;
    rect.top = ParseCoordinate(text, pos);
    rect.left = ParseCoordinate(text, pos);
    rect.bottom = ParseCoordinate(text, pos);
    rect.right = ParseCoordinate(text, pos);
    if (rect.right <= rect.left || rect.bottom < rect.top) return std::nullopt;
    return rect;
}

std::optional<ScreenRect> FitToWorkArea(const ScreenRect& stored, const ScreenRect& workArea) {
    ScreenRect rect;
    rect.left = std::max(stored.left, workArea.left);
    rect.top = std::max(stored.top, workArea.top);
    rect.right = std::min(stored.right, workArea.right);
    rect.bottom = std::min(stored.bottom, workArea.bottom);
    if (rect.right <= rect.left || rect.bottom <= rect.top) return std::nullopt;
    return rect;
}

}  // namespace kv
