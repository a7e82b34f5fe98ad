// This thread's input attached to that of another window's thread for as
// long as the object lives, so that this thread may take the foreground
// from it and its keys reach the right window.
#pragma once

#include <windows.h>

namespace ui {

class AttachedThreadInput {
public:
    explicit AttachedThreadInput(HWND window)
        : ours_(GetCurrentThreadId()), theirs_(window != nullptr ? GetWindowThreadProcessId(window, nullptr) : 0) {
        attached_ = theirs_ != 0 && theirs_ != ours_ && AttachThreadInput(ours_, theirs_, TRUE) != FALSE;
    }
    ~AttachedThreadInput() {
        if (attached_) AttachThreadInput(ours_, theirs_, FALSE);
    }
    AttachedThreadInput(const AttachedThreadInput&) = delete;
    AttachedThreadInput& operator=(const AttachedThreadInput&) = delete;

    bool attached() const { return attached_; }

private:
    DWORD ours_;
    DWORD theirs_;
    bool attached_ = false;
};

}  // namespace ui
