// The named shared-memory block through which the browser helper reads the
// records of a site: a paging-file mapping of 8192 bytes and its guard mutex,
// both open to the current user only.
#pragma once

#include <windows.h>

#include <string>

#include "platform/Win32Handles.h"

namespace kv {

class SharedMemoryBlock {
public:
    SharedMemoryBlock() = default;
    ~SharedMemoryBlock() { Close(); }

    // Creates the block, empty; on failure everything made so far is closed.
    // A block that exists already is used only when this program made it (an
    // earlier run, whose block a browser helper still holds open); one that
    // another process made is not used: squatted().
    bool Create();
    // Zeroes the whole block.
    void Clear();
    // Closes the mutex, unmaps the view and closes the mapping.
    void Close();

    unsigned char* data() const { return static_cast<unsigned char*>(view_.get()); }
    bool created() const { return created_; }
    bool squatted() const { return squatted_; }
    bool IsOpen() const { return static_cast<bool>(view_); }

private:
    KernelHandle mapping_;
    MappedView view_;
    KernelHandle mutex_;
    bool created_ = false;
    bool squatted_ = false;
    std::string name_;
};

}  // namespace kv
