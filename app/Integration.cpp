#include "app/Integration.h"

#include <shlobj.h>

#include "desktop/MessageBox.h"
#include "desktop/ShellLink.h"
#include "platform/Win32Error.h"
#include "platform/Win32Handles.h"

namespace kv {
namespace {

constexpr char kHelperClass[] = "{EC732582-7C24-4301-87F4-724E0DB3FDD4}";
constexpr char kHelpersKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
constexpr char kApprovedKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";
constexpr char kHelperName[] = "Kelvandor";
constexpr char kExtensionKey[] =
    "Software\\Microsoft\\Internet Explorer\\Extensions\\{4FCCA77A-FABF-44aa-9B3A-AF5D075144A7}";
constexpr char kRunProgramExtension[] = "{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}";
constexpr unsigned kHotIcon = 348;
constexpr unsigned kIcon = 349;
constexpr char kShortcutName[] = "Kelvandor";
constexpr char kStartupArguments[] = "Systray";
constexpr char kSaveFailed[] = "Unable to add startup shortcut entry.";

// Initialises COM for one call on this thread.
class ComForCall {
public:
    ComForCall() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComForCall() {
        if (initialised_) CoUninitialize();
    }
    ComForCall(const ComForCall&) = delete;
    ComForCall& operator=(const ComForCall&) = delete;

private:
    bool initialised_;
};

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

std::string ShellFolder(int csidl) {
    char path[MAX_PATH + 1] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return WithSeparator(path);
}

std::string ShortPath(const std::string& path) {
    char shortened[MAX_PATH + 1] = {};
    const DWORD length = GetShortPathNameA(path.c_str(), shortened, MAX_PATH);
    return length > 0 && length <= MAX_PATH ? std::string(shortened, length) : path;
}

std::string FolderOf(const std::string& file) { return file.substr(0, file.find_last_of('\\') + 1); }

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string ShortcutFile(const std::string& folder) { return folder + kShortcutName + std::string(".lnk"); }

// The Links folder of the browser's favourites; empty when the browser has none.
std::string LinksFolder(const IntegrationPlaces& places) {
    CreateDirectoryA(places.favoritesFolder.c_str(), nullptr);
    const std::string links = places.favoritesFolder + "Links\\";
    return IsFolder(links) ? links : std::string();
}

RegistryKey CreateKey(const RegistryPlace& place, const std::string& path, LONG& error) {
    HKEY key = nullptr;
    error = RegCreateKeyExA(place.root, (place.prefix + path).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                            nullptr);
    return RegistryKey(error == ERROR_SUCCESS ? key : nullptr);
}

LONG WriteText(HKEY key, const char* name, const std::string& text) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
}

// The first failure of a sequence; a missing key or value is none when removing.
void Keep(LONG& first, LONG result, bool removing) {
    if (removing && result == ERROR_FILE_NOT_FOUND) return;
    if (first == ERROR_SUCCESS) first = result;
}

}  // namespace

IntegrationPlaces SystemIntegrationPlaces(bool isNT) {
    IntegrationPlaces places;
    places.startupFolder = ShellFolder(CSIDL_STARTUP);
    places.favoritesFolder = ShellFolder(CSIDL_FAVORITES);
    char program[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    places.program = program;
    places.helper = FolderOf(places.program) + (isNT ? "SidloweNT.dll" : "Sidlowe.dll");
    return places;
}

bool SyncShortcut(const IntegrationPlaces& places, ShortcutFolder folder, bool create) {
    const bool startup = folder == ShortcutFolder::Startup;
    const std::string where = startup ? places.startupFolder : LinksFolder(places);
    if (where.empty()) return !startup;
    const std::string file = ShortcutFile(where);
    if (!create) {
        DeleteFileA(file.c_str());
        return true;
    }
    const ComForCall com;
    const std::string target = ShortPath(places.program);
    if (SaveShellLink(file, {target, startup ? kStartupArguments : "", kShortcutName, places.program, 0})) return true;
    ShowMessage(kSaveFailed, MB_OK | MB_ICONSTOP);
    return false;
}

void SyncHelperLibrary(const IntegrationPlaces& places, bool registered) {
    const LoadedLibrary library(LoadLibraryA(places.helper.c_str()));
    if (!library) return;
    using Entry = HRESULT(WINAPI*)();
    const auto entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(
        GetProcAddress(library.get(), registered ? "DllRegisterServer" : "DllUnregisterServer")));
    if (entry != nullptr) entry();
}

LONG SyncHelperKeys(const IntegrationPlaces& places, bool registered) {
    LONG first = ERROR_SUCCESS;
    const RegistryPlace& machine = places.machine;
    if (registered) {
        LONG error = ERROR_SUCCESS;
        if (const RegistryKey helper = CreateKey(machine, std::string(kHelpersKey) + "\\" + kHelperClass, error)) {
            error = WriteText(helper.get(), nullptr, kHelperName);
        }
        Keep(first, error, false);
        if (const RegistryKey approved = CreateKey(machine, kApprovedKey, error)) {
            error = WriteText(approved.get(), kHelperClass, kHelperName);
        }
        Keep(first, error, false);
        return first;
    }
    Keep(first, RegDeleteKeyA(machine.root, (machine.prefix + kHelpersKey + "\\" + kHelperClass).c_str()), true);
    HKEY approved = nullptr;
    LONG error = RegOpenKeyExA(machine.root, (machine.prefix + kApprovedKey).c_str(), 0, KEY_SET_VALUE, &approved);
    const RegistryKey owned(error == ERROR_SUCCESS ? approved : nullptr);
    if (owned) error = RegDeleteValueA(owned.get(), kHelperClass);
    Keep(first, error, true);
    return first;
}

std::string HelperKeysMessage(bool registered, LONG error) {
    return std::string("Kelvandor could not ") + (registered ? "register" : "remove") +
           " its helper for Internet Explorer, because the browser's list of helpers "
           "(HKEY_LOCAL_MACHINE\\" + kHelpersKey + ") cannot be changed by this user:\n" +
           SystemErrorText(static_cast<DWORD>(error)) +
           "\n\nStart Kelvandor once with \"Run as administrator\" to change it for every user of this computer.";
}

void SyncBrowserMenu(const IntegrationPlaces& places, bool create) {
    const RegistryPlace& user = places.user;
    if (!create) {
        RegDeleteTreeA(user.root, (user.prefix + kExtensionKey).c_str());
        RegDeleteKeyA(user.root, (user.prefix + kExtensionKey).c_str());
        return;
    }
    LONG error = ERROR_SUCCESS;
    const RegistryKey key = CreateKey(user, kExtensionKey, error);
    if (!key) return;
    const std::string exec = FolderOf(places.program) + "Kelvandor.exe";
    WriteText(key.get(), "CLSID", kRunProgramExtension);
    WriteText(key.get(), "MenuText", "&Kelvandor");
    WriteText(key.get(), "Exec", exec);
    WriteText(key.get(), "Default Visible", "Yes");
    WriteText(key.get(), "ButtonText", "Kelvandor");
    WriteText(key.get(), "HotIcon", exec + "," + std::to_string(kHotIcon));
    WriteText(key.get(), "Icon", exec + "," + std::to_string(kIcon));
}

}  // namespace kv
