// File buffers on Windows: a large one is committed on its own, so that its
// memory goes back to the system as soon as it is freed instead of staying
// in the heap.
#include <windows.h>

#include <new>

#include "platform/FileSystem.h"

namespace kv {

void* AllocateFileBuffer(std::size_t size) {
    if (size < kLargeFileBuffer) return ::operator new(size);
    void* buffer = VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (buffer == nullptr) throw std::bad_alloc();
    return buffer;
}

void FreeFileBuffer(void* buffer, std::size_t size) noexcept {
    if (buffer == nullptr) return;
    if (size < kLargeFileBuffer) {
        ::operator delete(buffer);
    } else {
        VirtualFree(buffer, 0, MEM_RELEASE);
    }
}

}  // namespace kv
