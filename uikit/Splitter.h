// A thin static control that the user drags to move a boundary between
// panes; the owner moves the panes.
#pragma once

#include <functional>

#include "uikit/Controls.h"

namespace ui {

class Splitter : public Control {
public:
    enum class Direction { Vertical, Horizontal };  // a vertical bar moves left and right

    // Takes over the static control; `range` gives the lowest and highest
    // position of the bar's leading edge, `moved` gets the distance moved.
    void Attach(HWND control, Direction direction, std::function<std::pair<int, int>()> range,
                std::function<void(int delta)> moved);
    ~Splitter();

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR data);
    int PositionInParent(LPARAM lParam) const;

    Direction direction_ = Direction::Vertical;
    std::function<std::pair<int, int>()> range_;
    std::function<void(int)> moved_;
    int grabOffset_ = 0;
    bool dragging_ = false;
};

}  // namespace ui
