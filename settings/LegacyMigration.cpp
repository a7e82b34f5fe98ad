#include "settings/LegacyMigration.h"

#include <vector>

#include "platform/Win32Handles.h"

namespace kv {
namespace {

// Moves the values and subkeys of `source` into `target`, always taking the
// first remaining one; false when something could not be moved.
bool MoveContents(HKEY source, HKEY target) {
    DWORD maxName = 0;
    DWORD maxData = 0;
    DWORD maxSubkey = 0;
    if (RegQueryInfoKeyA(source, nullptr, nullptr, nullptr, nullptr, &maxSubkey, nullptr, nullptr, &maxName,
                         &maxData, nullptr, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    std::vector<char> name(std::max<DWORD>(maxName, maxSubkey) + 1, '\0');
    std::vector<BYTE> data(maxData + 1, 0);
    for (;;) {
        DWORD nameSize = static_cast<DWORD>(name.size());
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        const LONG found = RegEnumValueA(source, 0, name.data(), &nameSize, nullptr, &type, data.data(), &dataSize);
        if (found == ERROR_NO_MORE_ITEMS) break;
        if (found != ERROR_SUCCESS) return false;
        if (RegSetValueExA(target, name.data(), 0, type, data.data(), dataSize) != ERROR_SUCCESS ||
            RegDeleteValueA(source, name.data()) != ERROR_SUCCESS) {
            return false;
        }
    }
    for (;;) {
        DWORD nameSize = static_cast<DWORD>(name.size());
        const LONG found = RegEnumKeyExA(source, 0, name.data(), &nameSize, nullptr, nullptr, nullptr, nullptr);
        if (found == ERROR_NO_MORE_ITEMS) break;
        if (found != ERROR_SUCCESS) return false;
        bool moved = false;
        {
            RegistryKey from;
            RegistryKey to;
            if (RegOpenKeyExA(source, name.data(), 0, KEY_ALL_ACCESS, from.Receive()) != ERROR_SUCCESS) return false;
            moved = RegCreateKeyExA(target, name.data(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                    to.Receive(), nullptr) == ERROR_SUCCESS &&
                    MoveContents(from.get(), to.get());
        }
        // The subkey is deleted only once both handles to it are closed.
        if (!moved || RegDeleteKeyA(source, name.data()) != ERROR_SUCCESS) return false;
    }
    return true;
}

}  // namespace

void MigrateLegacySettings(const SettingsLocation& location) {
    bool moved = false;
    {
        RegistryKey legacy;
        RegistryKey target;
        if (RegOpenKeyExA(location.root, location.legacyKey.c_str(), 0, KEY_ALL_ACCESS, legacy.Receive()) !=
                ERROR_SUCCESS ||
            RegCreateKeyExA(location.root, location.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, target.Receive(), nullptr) != ERROR_SUCCESS) {
            return;
        }
        moved = MoveContents(legacy.get(), target.get());
    }
    if (moved) RegDeleteKeyA(location.root, location.legacyKey.c_str());
}

}  // namespace kv
