#include "webforms/SharedMemoryBlock.h"

#include "protocol/SharedBlock.h"

namespace kv {

using protocol::kSharedBlockMutexName;
using protocol::kSharedBlockName;
using protocol::kSharedBlockSize;

bool SharedMemoryBlock::Create() {
    Close();
    mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                  static_cast<DWORD>(kSharedBlockSize), kSharedBlockName);
    if (mapping_ == nullptr) return false;
    created_ = GetLastError() != ERROR_ALREADY_EXISTS;
    view_ = static_cast<unsigned char*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (view_ != nullptr) mutex_ = CreateMutexA(nullptr, TRUE, kSharedBlockMutexName);
    if (view_ == nullptr || mutex_ == nullptr) {
        Close();
        return false;
    }
    name_ = kSharedBlockName;
    ReleaseMutex(mutex_);
    return true;
}

void SharedMemoryBlock::Close() {
    if (mutex_ != nullptr) CloseHandle(mutex_);
    if (view_ != nullptr) UnmapViewOfFile(view_);
    if (mapping_ != nullptr) CloseHandle(mapping_);
    mutex_ = nullptr;
    view_ = nullptr;
    mapping_ = nullptr;
    created_ = false;
    name_.clear();
}

}  // namespace kv
