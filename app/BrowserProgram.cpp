#include "app/BrowserProgram.h"

#include "db/Database.h"
#include "platform/Windows1252.h"

namespace kv {

std::string BrowserProgramName(const std::string& commandLine) {
    std::string path = commandLine;
    if (!path.empty() && path.front() == '"') {
        const std::size_t close = path.find('"', 1);
        path = path.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    } else {
        std::string upper = path;
        for (char& c : upper) c = static_cast<char>(windows1252::ToUpper(static_cast<unsigned char>(c)));
        const std::size_t exe = upper.find(".EXE");
        if (exe != std::string::npos) path.resize(exe + 4);
    }
    return FileNameOf(path);
}

}  // namespace kv
