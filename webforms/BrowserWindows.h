// What the program finds out about a browser from its windows alone: the
// MyIE2 tabbed browser's title and address box, the pane that shows the
// page, and the windows of a browser's process.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace kv {

// Whether the window's title begins with "MyIE2" (case-sensitive).
bool HasMyIE2Title(HWND window);

// The text of MyIE2's address box below `frame` (the combo box with control
// identifier 59393); nothing when there is no such combo box.
std::optional<std::string> MyIE2Address(HWND frame);

// The first window below `parent` whose class is exactly `className`.
HWND FindDescendantOfClass(HWND parent, const char* className);

// The full path of the process's executable, empty when it cannot be had.
std::string ExecutablePathOf(DWORD processId);

// The first visible top-level window whose process runs `executable`
// (compared without case), null when there is none.
HWND FindWindowOfExecutable(const std::string& executable);

// A visible top-level window of the thread, null when there is none.
HWND FindVisibleWindowOfThread(DWORD threadId);

}  // namespace kv
