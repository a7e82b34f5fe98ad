#include "uikit/Splitter.h"

#include <algorithm>

#include "uikit/MessageParams.h"

namespace ui {

void Splitter::Attach(HWND control, Direction direction, std::function<std::pair<int, int>()> range,
                      std::function<void(int delta)> moved) {
    Control::Attach(control);
    direction_ = direction;
    range_ = std::move(range);
    moved_ = std::move(moved);
    SetWindowSubclass(control, Procedure, 1, reinterpret_cast<DWORD_PTR>(this));
}

Splitter::~Splitter() {
    if (hwnd() != nullptr) RemoveWindowSubclass(hwnd(), Procedure, 1);
}

int Splitter::PositionInParent(LPARAM lParam) const {
    POINT point = PointOf(lParam);
    MapWindowPoints(hwnd(), GetParent(hwnd()), &point, 1);
    return direction_ == Direction::Vertical ? point.x : point.y;
}

LRESULT CALLBACK Splitter::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR data) {
    auto& self = *reinterpret_cast<Splitter*>(data);
    switch (message) {
        case WM_SETCURSOR:
            SetCursor(LoadCursor(nullptr, self.direction_ == Direction::Vertical ? IDC_SIZEWE : IDC_SIZENS));
            return TRUE;
        case WM_LBUTTONDOWN: {
            const RECT rect = self.Rect();
            const int edge = self.direction_ == Direction::Vertical ? rect.left : rect.top;
            self.grabOffset_ = self.PositionInParent(lParam) - edge;
            self.dragging_ = true;
            SetCapture(hwnd);
            return 0;
        }
        case WM_LBUTTONUP:
        case WM_MOUSEMOVE: {
            if (!self.dragging_) break;
            const RECT rect = self.Rect();
            const int edge = self.direction_ == Direction::Vertical ? rect.left : rect.top;
            const std::pair<int, int> range = self.range_();
            const int wanted = std::clamp(self.PositionInParent(lParam) - self.grabOffset_, range.first,
                                          std::max(range.first, range.second));
            if (wanted != edge) self.moved_(wanted - edge);
            if (message == WM_LBUTTONUP) {
                self.dragging_ = false;
                ReleaseCapture();
            }
            return 0;
        }
        case WM_CAPTURECHANGED:
            self.dragging_ = false;
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace ui
