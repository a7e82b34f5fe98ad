#include "cli/SecretInput.h"

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cerrno>

#include "platform/SecureWipe.h"

namespace kv {
namespace {

// Up to `size` bytes: how many, 0 at the end of the input, -1 on an error.
long ReadSome(int fd, char* bytes, unsigned size) {
    for (;;) {
#ifdef _WIN32
        const long got = _read(fd, bytes, size);
#else
        const long got = static_cast<long>(read(fd, bytes, size));
#endif
        if (got < 0 && errno == EINTR) continue;
        return got;
    }
}

}  // namespace

bool ReadSecretLine(int fd, SecretString& line) {
    bool any = false;
    char c = 0;
    while (ReadSome(fd, &c, 1) == 1) {
        any = true;
        if (c == '\n') break;
        line.Append(c);
    }
    SecureWipe(&c, 1);
    if (!line.empty() && line.view().back() == '\r') line.Truncate(line.size() - 1);
    return any;
}

bool ReadSecretAll(int fd, SecretString& text) {
    char chunk[4096];
    long got = 0;
    while ((got = ReadSome(fd, chunk, sizeof chunk)) > 0) text.Append(std::string_view(chunk, static_cast<std::size_t>(got)));
    SecureWipe(chunk, sizeof chunk);
    return got == 0;
}

int OpenForReading(const std::string& path) {
#ifdef _WIN32
    return _open(path.c_str(), _O_RDONLY | _O_BINARY);
#else
    return open(path.c_str(), O_RDONLY | O_CLOEXEC);
#endif
}

void CloseDescriptor(int fd) {
#ifdef _WIN32
    _close(fd);
#else
    close(fd);
#endif
}

}  // namespace kv
