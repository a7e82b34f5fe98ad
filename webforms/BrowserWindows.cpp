#include "webforms/BrowserWindows.h"

#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include "platform/Win32Handles.h"
#include "platform/Windows1252.h"

namespace kv {
namespace {

constexpr int kAddressBoxId = 59393;
constexpr int kTitleLength = 80;
constexpr int kAddressLength = 4096;

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// A search over windows: the first for which `matches` holds.
struct WindowSearch {
    std::function<bool(HWND)> matches;
    HWND found = nullptr;
};

BOOL CALLBACK TakeFirstMatch(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    if (!search.matches(window)) return TRUE;
    search.found = window;
    return FALSE;
}

HWND FindDescendant(HWND parent, std::function<bool(HWND)> matches) {
    WindowSearch search{std::move(matches)};
    EnumChildWindows(parent, TakeFirstMatch, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

bool HasMyIE2Title(HWND window) {
    char title[kTitleLength + 1] = {};
    GetWindowTextA(window, title, sizeof title);
    return std::strncmp(title, "MyIE2", 5) == 0;
}

std::optional<std::string> MyIE2Address(HWND frame) {
    const HWND box = FindDescendant(frame, [](HWND child) { return GetDlgCtrlID(child) == kAddressBoxId; });
    if (box == nullptr || !windows1252::EqualNoCase(ClassOf(box), "ComboBox")) return std::nullopt;
    std::vector<char> text(kAddressLength + 1, '\0');
    GetWindowTextA(GetWindow(box, GW_CHILD), text.data(), kAddressLength + 1);
    return std::string(text.data());
}

HWND FindDescendantOfClass(HWND parent, const char* className) {
    return FindDescendant(parent, [&](HWND child) { return ClassOf(child) == className; });
}

std::string ExecutablePathOf(DWORD processId) {
    using EnumModules = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, LPDWORD);
    using ModuleName = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);
    const LoadedLibrary psapi(LoadLibraryA("PSAPI.DLL"));
    if (!psapi) return {};
    const auto enumModules = reinterpret_cast<EnumModules>(
        reinterpret_cast<void*>(GetProcAddress(psapi.get(), "EnumProcessModules")));
    const auto moduleName = reinterpret_cast<ModuleName>(
        reinterpret_cast<void*>(GetProcAddress(psapi.get(), "GetModuleFileNameExA")));
    const KernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (enumModules == nullptr || moduleName == nullptr || !process) return {};
    HMODULE first = nullptr;
    DWORD needed = 0;
    if (!enumModules(process.get(), &first, sizeof first, &needed) || first == nullptr) return {};
    char path[MAX_PATH] = {};
    if (moduleName(process.get(), first, path, MAX_PATH) == 0) return {};
    return path;
}

HWND FindWindowOfExecutable(const std::string& executable) {
    WindowSearch search{[&](HWND window) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        return IsWindowVisible(window) && windows1252::EqualNoCase(ExecutablePathOf(process), executable);
    }};
    EnumWindows(TakeFirstMatch, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindVisibleWindowOfThread(DWORD threadId) {
    WindowSearch search{[](HWND window) { return IsWindowVisible(window) && GetParent(window) == nullptr; }};
    EnumThreadWindows(threadId, TakeFirstMatch, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace kv
