#include "app/BrowserWindows.h"

#include "db/Database.h"
#include "platform/Windows1252.h"
#include "webforms/BrowserWindows.h"

namespace kv {
namespace {

const char kInternetExplorer[] = "iexplore.exe";

}  // namespace

HWND WindowOfField(std::uint64_t field) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(field & 0xFFFFFFFFu)));
}

bool IsBrowserProcessWindow(HWND window, const std::string& otherBrowser) {
    if (window == nullptr || !IsWindow(window)) return false;
    DWORD processId = 0;
    if (GetWindowThreadProcessId(window, &processId) == 0 || processId == GetCurrentProcessId()) return false;
    const std::string program = FileNameOf(ExecutablePathOf(processId));
    return !program.empty() &&
           (windows1252::EqualNoCase(program, kInternetExplorer) || windows1252::EqualNoCase(program, otherBrowser));
}

}  // namespace kv
