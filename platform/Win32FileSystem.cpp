// The file system of Windows: files opened without sharing; a save writes a
// new file of its own (CREATE_NEW) under an exclusively opened lock file and
// puts it in place with ReplaceFile, which keeps the old file's attributes
// and security, once the new contents are on the disk.
#include <windows.h>

#include "platform/FileSystem.h"
#include "platform/Win32Error.h"
#include "platform/Win32Handles.h"

namespace kv {
namespace {

// Asks `faults` about a step; a refused step leaves its error as the last error.
bool Allowed(FileFaults& faults, FileStep step, const std::string& path) {
    const int error = faults.Before(step, path);
    if (error != 0) SetLastError(static_cast<DWORD>(error));
    return error == 0;
}

class NoFaults : public FileFaults {
public:
    int Before(FileStep, const std::string&) override { return 0; }
};

class Win32OutputFile : public OutputFile {
public:
    Win32OutputFile(FileHandle handle, std::string path, FileFaults& faults)
        : handle_(std::move(handle)), path_(std::move(path)), faults_(faults) {}

    bool Write(const void* data, std::size_t size) override {
        if (!Allowed(faults_, FileStep::Write, path_)) return false;
        const auto* bytes = static_cast<const unsigned char*>(data);
        while (size > 0) {
            const DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
            DWORD written = 0;
            if (!WriteFile(handle_.get(), bytes, chunk, &written, nullptr) || written == 0) return false;
            bytes += written;
            size -= written;
        }
        return true;
    }

    bool FlushAndClose() override {
        DWORD error = 0;
        if (!Allowed(faults_, FileStep::Sync, path_) || !FlushFileBuffers(handle_.get())) error = GetLastError();
        if (!Allowed(faults_, FileStep::Close, path_) && error == 0) error = GetLastError();
        if (!CloseHandle(handle_.Release()) && error == 0) error = GetLastError();
        SetLastError(error);
        return error == 0;
    }

private:
    FileHandle handle_;
    std::string path_;
    FileFaults& faults_;
};

// An unshared handle on a lock file that goes with its last handle, also
// when the program that held it ends.
class Win32SaveLock : public SaveLock {
public:
    explicit Win32SaveLock(FileHandle handle) : handle_(std::move(handle)) {}

private:
    FileHandle handle_;
};

bool IsPlainFile(HANDLE file) { return GetFileType(file) == FILE_TYPE_DISK; }

// The path a link or junction leads to, without the "\\?\" prefix.
bool FinalPath(HANDLE file, std::string& path) {
    char buffer[MAX_PATH * 2];
    const DWORD length = GetFinalPathNameByHandleA(file, buffer, sizeof buffer, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0 || length >= sizeof buffer) return false;
    path.assign(buffer, length);
    if (path.rfind("\\\\?\\UNC\\", 0) == 0) {
        path = "\\\\" + path.substr(8);
    } else if (path.rfind("\\\\?\\", 0) == 0) {
        path = path.substr(4);
    }
    return true;
}

// A handle that only reads the attributes of a file or folder, in the way of no other opener.
HANDLE OpenForAttributes(const std::string& path) {
    return CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// The full path of an existing file as the system spells it, which
// ReplaceFile needs: under Wine it takes no Unix path ("/home/...").
bool SystemPath(const std::string& path, std::string& spelled) {
    const FileHandle file(OpenForAttributes(path));
    return file && FinalPath(file.get(), spelled);
}

class Win32FileSystem : public FileSystem {
public:
    explicit Win32FileSystem(FileFaults& faults) : faults_(faults) {}

    ReadResult ReadAll(const std::string& path, FileContents& contents) override {
        contents.clear();
        const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!file) return ReadResult::OpenFailed;
        if (!IsPlainFile(file.get())) return ReadResult::NotAFile;
        LARGE_INTEGER size{};
        bool ok = GetFileSizeEx(file.get(), &size) != 0;
        if (ok && static_cast<unsigned long long>(size.QuadPart) > contents.max_size()) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            ok = false;
        }
        if (ok) {
            // Too large for the memory, this throws for the caller to report; the owner closes the file.
            contents.resize(static_cast<std::size_t>(size.QuadPart));
            std::size_t done = 0;
            while (ok && done < contents.size()) {
                const std::size_t left = contents.size() - done;
                const DWORD chunk = left > 0x10000000 ? 0x10000000 : static_cast<DWORD>(left);
                DWORD got = 0;
                ok = ReadFile(file.get(), contents.data() + done, chunk, &got, nullptr) != 0;
                if (ok && got == 0) {
                    SetLastError(ERROR_HANDLE_EOF);
                    ok = false;
                }
                done += got;
            }
        }
        if (!ok) contents.clear();
        return ok ? ReadResult::Read : ReadResult::ReadFailed;
    }

    bool Inspect(const std::string& path, FileFacts& facts) override {
        facts = FileFacts{};
        facts.target = path;
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            const DWORD error = GetLastError();
            return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        }
        const FileHandle file(OpenForAttributes(path));
        if (!file) return false;
        BY_HANDLE_FILE_INFORMATION info{};
        bool ok = GetFileInformationByHandle(file.get(), &info) != 0;
        if (ok && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) ok = FinalPath(file.get(), facts.target);
        facts.exists = true;
        facts.regular = IsPlainFile(file.get()) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
        facts.readOnly = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
        facts.links = info.nNumberOfLinks;
        return ok;
    }

    std::unique_ptr<SaveLock> LockForSave(const std::string& target, bool& busy) override {
        busy = false;
        const std::string name = target + ".lock";
        if (!Allowed(faults_, FileStep::Lock, name)) return nullptr;
        FileHandle lock(CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (!lock) {
            busy = GetLastError() == ERROR_SHARING_VIOLATION;
            return nullptr;
        }
        return std::make_unique<Win32SaveLock>(std::move(lock));
    }

    std::unique_ptr<OutputFile> CreateBeside(const std::string& target, std::string& name) override {
        for (int attempt = 0; attempt < 100; ++attempt) {
            name = TemporaryNameBeside(target);
            if (!Allowed(faults_, FileStep::Open, name)) return nullptr;
            FileHandle file(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                        nullptr));
            if (file) return std::make_unique<Win32OutputFile>(std::move(file), name, faults_);
            const DWORD error = GetLastError();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return nullptr;
        }
        SetLastError(ERROR_FILE_EXISTS);
        return nullptr;
    }

    std::unique_ptr<OutputFile> Overwrite(const std::string& path) override {
        if (!Allowed(faults_, FileStep::Open, path)) return nullptr;
        FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                    nullptr));
        if (!file) return nullptr;
        if (!IsPlainFile(file.get())) {
            SetLastError(ERROR_INVALID_FUNCTION);
            return nullptr;
        }
        return std::make_unique<Win32OutputFile>(std::move(file), path, faults_);
    }

    bool Replace(const std::string& from, const std::string& to) override {
        if (!Allowed(faults_, FileStep::Rename, to)) return false;
        if (GetFileAttributesA(to.c_str()) != INVALID_FILE_ATTRIBUTES) {
            std::string replaced;
            std::string replacement;
            return SystemPath(to, replaced) && SystemPath(from, replacement) &&
                   ReplaceFileA(replaced.c_str(), replacement.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                nullptr, nullptr) != 0;
        }
        return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    }

    bool Remove(const std::string& path) override { return DeleteFileA(path.c_str()) != 0; }

    bool Exists(const std::string& path) override {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::string LastErrorText() override { return SystemErrorText(GetLastError()); }

private:
    FileFaults& faults_;
};

}  // namespace

FileSystem& SystemFileSystem() {
    static NoFaults none;
    static Win32FileSystem fileSystem(none);
    return fileSystem;
}

std::unique_ptr<FileSystem> MakeSystemFileSystem(FileFaults& faults) {
    return std::make_unique<Win32FileSystem>(faults);
}

}  // namespace kv
