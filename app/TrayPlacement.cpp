#include "app/TrayPlacement.h"

namespace kv {

TaskbarEdge EdgeOfTaskbar(const ScreenRect& taskbar) {
    const int width = taskbar.right - taskbar.left;
    const int height = taskbar.bottom - taskbar.top;
    if (taskbar.left == taskbar.top && height > width) return TaskbarEdge::Left;
    if (taskbar.left == taskbar.top && width > height) return TaskbarEdge::Top;
    return taskbar.left < taskbar.top ? TaskbarEdge::Bottom : TaskbarEdge::Right;
}

ScreenPoint PlaceBesideTaskbar(const ScreenRect& taskbar, const ScreenRect& workArea, int width, int height) {
    switch (EdgeOfTaskbar(taskbar)) {
        case TaskbarEdge::Left:
            return {taskbar.right, workArea.bottom - height};
        case TaskbarEdge::Top:
            return {workArea.right - width, taskbar.bottom};
        case TaskbarEdge::Right:
            return {taskbar.left - width, workArea.bottom - height};
        case TaskbarEdge::Bottom:
            break;
    }
    return {workArea.right - width, taskbar.top - height};
}

}  // namespace kv
