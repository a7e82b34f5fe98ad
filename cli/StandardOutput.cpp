#include "cli/StandardOutput.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cerrno>

namespace kv {

bool WriteToStandardOutput(std::string_view bytes) {
    constexpr int kStandardOutput = 1;
    while (!bytes.empty()) {
        // Pieces of at most 1 MB fit the count of every platform's write.
        const unsigned size = bytes.size() > (1u << 20) ? (1u << 20) : static_cast<unsigned>(bytes.size());
#ifdef _WIN32
        const long written = _write(kStandardOutput, bytes.data(), size);
#else
        const long written = static_cast<long>(write(kStandardOutput, bytes.data(), size));
#endif
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace kv
