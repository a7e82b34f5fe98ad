// The file operations the portable code needs, answered by the platform:
// whole-file reads, and writes that replace a file only once they completed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
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

enum class ReadResult { Read, OpenFailed, ReadFailed };

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Reads the whole file, opened exclusively. On failure LastErrorText
    // describes why.
    virtual ReadResult ReadAll(const std::string& path, std::vector<unsigned char>& contents) = 0;

    // Creates (or truncates) a file opened exclusively for writing; null on failure.
    virtual std::unique_ptr<OutputFile> Create(const std::string& path) = 0;

    // Moves `from` over `to`, replacing `to` if it exists, as one step.
    virtual bool Replace(const std::string& from, const std::string& to) = 0;

    virtual bool Remove(const std::string& path) = 0;
    virtual bool Exists(const std::string& path) = 0;

    // The system's message text for the last failed operation.
    virtual std::string LastErrorText() = 0;
};

// The file system of the platform the program runs on.
FileSystem& SystemFileSystem();

}  // namespace kv
