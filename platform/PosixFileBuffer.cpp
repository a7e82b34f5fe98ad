// File buffers on POSIX systems: a large one is mapped on its own and asked
// for transparent huge pages, so that filling it faults once per 2 MB and not
// once per 4 KB; its memory goes back to the system when it is freed.
#include <sys/mman.h>

#include <new>

#include "platform/FileSystem.h"

namespace kv {

void* AllocateFileBuffer(std::size_t size) {
    if (size < kLargeFileBuffer) return ::operator new(size);
    void* buffer = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (buffer == MAP_FAILED) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    madvise(buffer, size, MADV_HUGEPAGE);  // only advice: without huge pages the buffer works the same
#endif
    return buffer;
}

void FreeFileBuffer(void* buffer, std::size_t size) noexcept {
    if (buffer == nullptr) return;
    if (size < kLargeFileBuffer) {
        ::operator delete(buffer);
    } else {
        munmap(buffer, size);
    }
}

}  // namespace kv
