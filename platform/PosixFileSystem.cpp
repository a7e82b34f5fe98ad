// The file system of POSIX systems, for the native build of the portable code.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/FileSystem.h"

namespace kv {
namespace {

// Asks `faults` about a step; a refused step leaves its error in errno.
bool Allowed(FileFaults& faults, FileStep step, const std::string& path) {
    const int error = faults.Before(step, path);
    if (error != 0) errno = error;
    return error == 0;
}

// Closes `fd` without losing the errno of the failure that made us close it.
void CloseKeepingError(int fd) {
    const int saved = errno;
    close(fd);
    errno = saved;
}

class NoFaults : public FileFaults {
public:
    int Before(FileStep, const std::string&) override { return 0; }
};

class PosixOutputFile : public OutputFile {
public:
    PosixOutputFile(int fd, std::string path, FileFaults& faults)
        : fd_(fd), path_(std::move(path)), faults_(faults) {}
    ~PosixOutputFile() override {
        if (fd_ >= 0) close(fd_);
    }

    bool Write(const void* data, std::size_t size) override {
        if (!Allowed(faults_, FileStep::Write, path_)) return false;
        const auto* bytes = static_cast<const unsigned char*>(data);
        while (size > 0) {
            const ssize_t written = write(fd_, bytes, size);
            if (written < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            bytes += written;
            size -= static_cast<std::size_t>(written);
        }
        return true;
    }

    bool FlushAndClose() override {
        int error = 0;
        if (!Allowed(faults_, FileStep::Sync, path_) || fsync(fd_) != 0) error = errno;
        const bool closeAllowed = Allowed(faults_, FileStep::Close, path_);
        if (!closeAllowed && error == 0) error = errno;
        if (close(fd_) != 0 && error == 0) error = errno;
        fd_ = -1;
        errno = error;
        return error == 0;
    }

private:
    int fd_;
    std::string path_;
    FileFaults& faults_;
};

// A lock file beside the saved file, locked with flock: the system drops the
// lock of a program that ends, so a lock file left behind blocks nobody.
class PosixSaveLock : public SaveLock {
public:
    PosixSaveLock(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~PosixSaveLock() override {
        // Removed while still locked, so a waiting save locks a new file.
        unlink(path_.c_str());
        close(fd_);
    }

private:
    int fd_;
    std::string path_;
};

std::string ParentFolder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

class PosixFileSystem : public FileSystem {
public:
    explicit PosixFileSystem(FileFaults& faults) : faults_(faults) {}

    ReadResult ReadAll(const std::string& path, FileContents& contents) override {
        contents.clear();
        // Not blocking in open() on a pipe; plain files ignore the flag.
        const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return ReadResult::OpenFailed;
        struct stat info {};
        if (fstat(fd, &info) != 0) {
            CloseKeepingError(fd);
            return ReadResult::ReadFailed;
        }
        if (!S_ISREG(info.st_mode)) {
            close(fd);
            return ReadResult::NotAFile;
        }
        try {
            contents.resize(static_cast<std::size_t>(info.st_size));
        } catch (...) {
            // Too large for the memory: the caller reports it; the file is closed here.
            close(fd);
            throw;
        }
        std::size_t done = 0;
        bool ok = true;
        while (ok && done < contents.size()) {
            const ssize_t got = read(fd, contents.data() + done, contents.size() - done);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) {
                ok = false;
                if (got == 0) errno = EIO;  // the file shrank while being read
            } else {
                done += static_cast<std::size_t>(got);
            }
        }
        CloseKeepingError(fd);
        if (!ok) contents.clear();
        return ok ? ReadResult::Read : ReadResult::ReadFailed;
    }

    bool Inspect(const std::string& path, FileFacts& facts) override {
        facts = FileFacts{};
        facts.target = path;
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0) return errno == ENOENT;
        if (S_ISLNK(info.st_mode)) {
            char* real = realpath(path.c_str(), nullptr);
            if (real == nullptr) return false;
            facts.target = real;
            std::free(real);
            if (stat(facts.target.c_str(), &info) != 0) return false;
        }
        facts.exists = true;
        facts.regular = S_ISREG(info.st_mode);
        facts.links = static_cast<unsigned>(info.st_nlink);
        // No write permission for anyone counts even for an all-powerful user.
        facts.readOnly = (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
                         (access(facts.target.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS));
        return true;
    }

    std::unique_ptr<SaveLock> LockForSave(const std::string& target, bool& busy) override {
        busy = false;
        const std::string name = target + ".lock";
        for (int attempt = 0; attempt < 100; ++attempt) {
            if (!Allowed(faults_, FileStep::Lock, name)) return nullptr;
            const int fd = open(name.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
            if (fd < 0) return nullptr;
            struct stat locked {};
            if (fstat(fd, &locked) != 0 || flock(fd, LOCK_EX | LOCK_NB) != 0) {
                busy = errno == EWOULDBLOCK;
                CloseKeepingError(fd);
                return nullptr;
            }
            // The save before us may have removed the file between our open and our lock.
            struct stat named {};
            if (stat(name.c_str(), &named) == 0 && named.st_dev == locked.st_dev && named.st_ino == locked.st_ino) {
                return std::make_unique<PosixSaveLock>(fd, name);
            }
            close(fd);
        }
        busy = true;
        errno = EWOULDBLOCK;
        return nullptr;
    }

    std::unique_ptr<OutputFile> CreateBeside(const std::string& target, std::string& name) override {
        struct stat old {};
        const bool keepMode = stat(target.c_str(), &old) == 0;
        for (int attempt = 0; attempt < 100; ++attempt) {
            name = TemporaryNameBeside(target);
            if (!Allowed(faults_, FileStep::Open, name)) return nullptr;
            const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (fd < 0) {
                if (errno == EEXIST) continue;  // someone else's name: take another
                return nullptr;
            }
            if (keepMode) {
                // The owner can only be kept by a privileged user; the mode always.
                if (fchown(fd, old.st_uid, old.st_gid) != 0) errno = 0;
                if (fchmod(fd, old.st_mode & 07777) != 0) {
                    CloseKeepingError(fd);
                    unlink(name.c_str());
                    return nullptr;
                }
            }
            return std::make_unique<PosixOutputFile>(fd, name, faults_);
        }
        errno = EEXIST;
        return nullptr;
    }

    std::unique_ptr<OutputFile> Overwrite(const std::string& path) override {
        if (!Allowed(faults_, FileStep::Open, path)) return nullptr;
        const int fd = open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return nullptr;
        struct stat info {};
        bool ok = fstat(fd, &info) == 0;
        if (ok && !S_ISREG(info.st_mode)) {
            ok = false;
            errno = EINVAL;
        }
        if (!ok || ftruncate(fd, 0) != 0) {
            CloseKeepingError(fd);
            return nullptr;
        }
        return std::make_unique<PosixOutputFile>(fd, path, faults_);
    }

    bool Replace(const std::string& from, const std::string& to) override {
        if (!Allowed(faults_, FileStep::Rename, to) || std::rename(from.c_str(), to.c_str()) != 0) return false;
        return SyncFolder(ParentFolder(to));
    }

    bool Remove(const std::string& path) override { return unlink(path.c_str()) == 0; }

    bool Exists(const std::string& path) override {
        struct stat info {};
        return stat(path.c_str(), &info) == 0;
    }

    std::string LastErrorText() override { return std::strerror(errno); }

private:
    // Makes a rename in `folder` durable.
    bool SyncFolder(const std::string& folder) {
        if (!Allowed(faults_, FileStep::Sync, folder)) return false;
        const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return false;
        // Some file systems cannot sync a folder and say so with EINVAL.
        const bool synced = fsync(fd) == 0 || errno == EINVAL;
        CloseKeepingError(fd);
        return synced;
    }

    FileFaults& faults_;
};

}  // namespace

FileSystem& SystemFileSystem() {
    static NoFaults none;
    static PosixFileSystem fileSystem(none);
    return fileSystem;
}

std::unique_ptr<FileSystem> MakeSystemFileSystem(FileFaults& faults) {
    return std::make_unique<PosixFileSystem>(faults);
}

}  // namespace kv
