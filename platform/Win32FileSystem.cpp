// The file system of Windows: files opened without sharing, replaced with
// MoveFileEx once the new contents are on the disk.
#include <windows.h>

#include "platform/FileSystem.h"
#include "platform/Win32Error.h"

namespace kv {
namespace {

class Win32OutputFile : public OutputFile {
public:
    explicit Win32OutputFile(HANDLE handle) : handle_(handle) {}
    ~Win32OutputFile() override {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }

    bool Write(const void* data, std::size_t size) override {
        const auto* bytes = static_cast<const unsigned char*>(data);
        while (size > 0) {
            const DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
            DWORD written = 0;
            if (!WriteFile(handle_, bytes, chunk, &written, nullptr) || written == 0) return false;
            bytes += written;
            size -= written;
        }
        return true;
    }

    bool FlushAndClose() override {
        const bool flushed = FlushFileBuffers(handle_) != 0;
        DWORD error = GetLastError();
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        if (!flushed) SetLastError(error);
        return flushed && closed;
    }

private:
    HANDLE handle_;
};

class Win32FileSystem : public FileSystem {
public:
    ReadResult ReadAll(const std::string& path, std::vector<unsigned char>& contents) override {
        contents.clear();
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (file == INVALID_HANDLE_VALUE) return ReadResult::OpenFailed;
        LARGE_INTEGER size{};
        bool ok = GetFileSizeEx(file, &size) != 0;
        if (ok && static_cast<unsigned long long>(size.QuadPart) > contents.max_size()) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            ok = false;
        }
        if (ok) {
            try {
                contents.resize(static_cast<std::size_t>(size.QuadPart));
            } catch (...) {
                // Too large for the memory: the caller reports it; the file is closed here.
                CloseHandle(file);
                throw;
            }
            std::size_t done = 0;
            while (ok && done < contents.size()) {
                const std::size_t left = contents.size() - done;
                const DWORD chunk = left > 0x10000000 ? 0x10000000 : static_cast<DWORD>(left);
                DWORD got = 0;
                ok = ReadFile(file, contents.data() + done, chunk, &got, nullptr) != 0;
                if (ok && got == 0) {
                    SetLastError(ERROR_HANDLE_EOF);
                    ok = false;
                }
                done += got;
            }
        }
        const DWORD error = GetLastError();
        CloseHandle(file);
        SetLastError(error);
        if (!ok) contents.clear();
        return ok ? ReadResult::Read : ReadResult::ReadFailed;
    }

    std::unique_ptr<OutputFile> Create(const std::string& path) override {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return nullptr;
        return std::make_unique<Win32OutputFile>(file);
    }

    bool Replace(const std::string& from, const std::string& to) override {
        return MoveFileExA(from.c_str(), to.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    }

    bool Remove(const std::string& path) override { return DeleteFileA(path.c_str()) != 0; }

    bool Exists(const std::string& path) override {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::string LastErrorText() override { return SystemErrorText(GetLastError()); }
};

}  // namespace

FileSystem& SystemFileSystem() {
    static Win32FileSystem fileSystem;
    return fileSystem;
}

}  // namespace kv
