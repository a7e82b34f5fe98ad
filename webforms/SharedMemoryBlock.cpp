#include "webforms/SharedMemoryBlock.h"

#include "protocol/SharedBlock.h"

namespace kv {

using protocol::kSharedBlockMutexName;
using protocol::kSharedBlockName;
using protocol::kSharedBlockSize;

bool SharedMemoryBlock::Create() {
    Close();
    mapping_.Reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      static_cast<DWORD>(kSharedBlockSize), kSharedBlockName));
    if (!mapping_) return false;
    created_ = GetLastError() != ERROR_ALREADY_EXISTS;
    view_.Reset(MapViewOfFile(mapping_.get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (view_) mutex_.Reset(CreateMutexA(nullptr, TRUE, kSharedBlockMutexName));
    if (!view_ || !mutex_) {
        Close();
        return false;
    }
    name_ = kSharedBlockName;
    ReleaseMutex(mutex_.get());
    return true;
}

void SharedMemoryBlock::Close() {
    mutex_.Reset();
    view_.Reset();
    mapping_.Reset();
    created_ = false;
    name_.clear();
}

}  // namespace kv
