// The file operations the portable code needs, answered by the platform:
// whole-file reads, and the steps of a save that replaces a file only once
// its new contents are complete on the disk.
#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace kv {

// A file opened for writing; closed on destruction.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    virtual bool Write(const void* data, std::size_t size) = 0;
    // Flushes the data to the disk and closes the file.
    virtual bool FlushAndClose() = 0;
};

// Held while one save of a file runs; released on destruction.
class SaveLock {
public:
    virtual ~SaveLock() = default;
};

enum class ReadResult { Read, OpenFailed, ReadFailed, NotAFile };

// Memory for a whole file's bytes. Large buffers come straight from the
// system, where it can, in large pages: a file read into them is then not
// slowed by a fault for every small page it fills.
constexpr std::size_t kLargeFileBuffer = std::size_t{1} << 20;
void* AllocateFileBuffer(std::size_t size);
void FreeFileBuffer(void* buffer, std::size_t size) noexcept;

// Gives file buffers their memory, and leaves the bytes as they are when a
// buffer grows, so that a buffer about to be filled by a read is not written twice.
template <class T>
struct FileBufferAllocator {
    using value_type = T;
    template <class U>
    struct rebind {
        using other = FileBufferAllocator<U>;
    };
    FileBufferAllocator() = default;
    template <class U>
    FileBufferAllocator(const FileBufferAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) {
        if (count > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
        return static_cast<T*>(AllocateFileBuffer(count * sizeof(T)));
    }
    void deallocate(T* buffer, std::size_t count) noexcept { FreeFileBuffer(buffer, count * sizeof(T)); }

    template <class U>
    void construct(U* place) noexcept {
        ::new (static_cast<void*>(place)) U;
    }
    template <class U, class... Args>
    void construct(U* place, Args&&... args) {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }

    template <class U>
    friend bool operator==(const FileBufferAllocator&, const FileBufferAllocator<U>&) noexcept {
        return true;
    }
    template <class U>
    friend bool operator!=(const FileBufferAllocator&, const FileBufferAllocator<U>&) noexcept {
        return false;
    }
};

// The bytes of a whole file.
using FileContents = std::vector<unsigned char, FileBufferAllocator<unsigned char>>;

// What a save needs to know of the file it writes, found without opening it.
struct FileFacts {
    bool exists = false;
    bool regular = false;   // a plain file, not a folder, pipe or device
    bool readOnly = false;
    unsigned links = 0;     // the names the file has (more than one: hard links)
    std::string target;     // the file a symbolic link names, else the path itself
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Reads the whole file, opened exclusively, straight into `contents`.
    // Anything but a plain file is refused (NotAFile) without waiting on it.
    // On failure LastErrorText describes why.
    virtual ReadResult ReadAll(const std::string& path, FileContents& contents) = 0;

    // False when the path cannot be examined (a missing file is no failure).
    virtual bool Inspect(const std::string& path, FileFacts& facts) = 0;

    // Locks `target` against other saves; null when that fails, with `busy`
    // set when another save (of this or another program) holds the lock.
    // A lock of a program that ended does not block.
    virtual std::unique_ptr<SaveLock> LockForSave(const std::string& target, bool& busy) = 0;

    // Creates a new file under a name of its own in the folder of `target`,
    // never opening or following anything that exists; it gets the
    // permissions of `target` when that exists. `name` receives its path.
    virtual std::unique_ptr<OutputFile> CreateBeside(const std::string& target, std::string& name) = 0;

    // Opens the existing plain file `path` to rewrite it in place (emptied first).
    virtual std::unique_ptr<OutputFile> Overwrite(const std::string& path) = 0;

    // Moves `from` over `to`, replacing `to` as one step and keeping its
    // permissions, and makes the move itself durable.
    virtual bool Replace(const std::string& from, const std::string& to) = 0;

    virtual bool Remove(const std::string& path) = 0;
    virtual bool Exists(const std::string& path) = 0;

    // The system's message text for the last failed operation.
    virtual std::string LastErrorText() = 0;
};

// The file system of the platform the program runs on.
FileSystem& SystemFileSystem();

// The steps of a save in which the system's file system can be made to fail.
enum class FileStep { Lock, Open, Write, Sync, Close, Rename };

// Asked before each step; a nonzero system error code makes the step fail with it.
class FileFaults {
public:
    virtual ~FileFaults() = default;
    virtual int Before(FileStep step, const std::string& path) = 0;
};

// The platform's file system with every step put to `faults` first (for tests).
std::unique_ptr<FileSystem> MakeSystemFileSystem(FileFaults& faults);

// A name for a new file beside `target` that differs from call to call.
std::string TemporaryNameBeside(const std::string& target);

}  // namespace kv
