// The named shared-memory block through which the browser helper reads the
// records of a site: a paging-file mapping of 8192 bytes and its guard mutex.
#pragma once

#include <windows.h>

#include <string>

namespace kv {

class SharedMemoryBlock {
public:
    SharedMemoryBlock() = default;
    ~SharedMemoryBlock() { Close(); }
    SharedMemoryBlock(const SharedMemoryBlock&) = delete;
    SharedMemoryBlock& operator=(const SharedMemoryBlock&) = delete;

    // Creates or opens the block; on failure everything made so far is closed.
    bool Create();
    // Closes the mutex, unmaps the view and closes the mapping.
    void Close();

    unsigned char* data() const { return view_; }
    bool created() const { return created_; }
    bool IsOpen() const { return view_ != nullptr; }

private:
    HANDLE mapping_ = nullptr;
    unsigned char* view_ = nullptr;
    HANDLE mutex_ = nullptr;
    bool created_ = false;
    std::string name_;
};

}  // namespace kv
