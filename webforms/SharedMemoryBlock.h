// The named shared-memory block through which the browser helper reads the
// records of a site: a paging-file mapping of 8192 bytes and its guard mutex.
#pragma once

#include <windows.h>

#include <string>

#include "platform/Win32Handles.h"

namespace kv {

class SharedMemoryBlock {
public:
    SharedMemoryBlock() = default;
    ~SharedMemoryBlock() { Close(); }

    // Creates or opens the block; on failure everything made so far is closed.
    bool Create();
    // Closes the mutex, unmaps the view and closes the mapping.
    void Close();

    unsigned char* data() const { return static_cast<unsigned char*>(view_.get()); }
    bool created() const { return created_; }
    bool IsOpen() const { return static_cast<bool>(view_); }

private:
    KernelHandle mapping_;
    MappedView view_;
    KernelHandle mutex_;
    bool created_ = false;
    std::string name_;
};

}  // namespace kv
