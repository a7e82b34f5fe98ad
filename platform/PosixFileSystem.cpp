// The file system of POSIX systems, for the native build of the portable code.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/FileSystem.h"

namespace kv {
namespace {

class PosixOutputFile : public OutputFile {
public:
    explicit PosixOutputFile(int fd) : fd_(fd) {}
    ~PosixOutputFile() override {
        if (fd_ >= 0) close(fd_);
    }

    bool Write(const void* data, std::size_t size) override {
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
        const bool synced = fsync(fd_) == 0;
        const bool closed = close(fd_) == 0;
        fd_ = -1;
        return synced && closed;
    }

private:
    int fd_;
};

class PosixFileSystem : public FileSystem {
public:
    ReadResult ReadAll(const std::string& path, std::vector<unsigned char>& contents) override {
        contents.clear();
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return ReadResult::OpenFailed;
        struct stat info {};
        bool ok = fstat(fd, &info) == 0;
        if (ok && !S_ISREG(info.st_mode)) {
            ok = false;
            errno = EISDIR;
        }
        if (ok) {
            try {
                contents.resize(static_cast<std::size_t>(info.st_size));
            } catch (...) {
                // Too large for the memory: the caller reports it; the file is closed here.
                close(fd);
                throw;
            }
            std::size_t done = 0;
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
        }
        const int savedErrno = errno;
        close(fd);
        errno = savedErrno;
        if (!ok) contents.clear();
        return ok ? ReadResult::Read : ReadResult::ReadFailed;
    }

    std::unique_ptr<OutputFile> Create(const std::string& path) override {
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0) return nullptr;
        return std::make_unique<PosixOutputFile>(fd);
    }

    bool Replace(const std::string& from, const std::string& to) override {
        return std::rename(from.c_str(), to.c_str()) == 0;
    }

    bool Remove(const std::string& path) override { return unlink(path.c_str()) == 0; }

    bool Exists(const std::string& path) override {
        struct stat info {};
        return stat(path.c_str(), &info) == 0;
    }

    std::string LastErrorText() override { return std::strerror(errno); }
};

}  // namespace

FileSystem& SystemFileSystem() {
    static PosixFileSystem fileSystem;
    return fileSystem;
}

}  // namespace kv
