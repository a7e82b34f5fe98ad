#include "app/BrowserWindows.h"

#include "platform/Win32Handles.h"
#include "platform/Windows1252.h"

namespace kv {
namespace {

const char kInternetExplorer[] = "iexplore.exe";

std::string FileNamePart(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ProgramOfProcess(DWORD processId) {
    KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return {};
    char path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!QueryFullProcessImageNameA(process.get(), 0, path, &size)) return {};
    return FileNamePart(std::string(path, size));
}

}  // namespace

HWND WindowOfField(std::uint64_t field) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(field & 0xFFFFFFFFu)));
}

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
    return FileNamePart(path);
}

bool IsBrowserProcessWindow(HWND window, const std::string& otherBrowser) {
    if (window == nullptr || !IsWindow(window)) return false;
    DWORD processId = 0;
    if (GetWindowThreadProcessId(window, &processId) == 0 || processId == GetCurrentProcessId()) return false;
    const std::string program = ProgramOfProcess(processId);
    return !program.empty() &&
           (windows1252::EqualNoCase(program, kInternetExplorer) || windows1252::EqualNoCase(program, otherBrowser));
}

}  // namespace kv
