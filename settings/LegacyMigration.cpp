#include "settings/LegacyMigration.h"

#include <vector>

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
        HKEY from = nullptr;
        HKEY to = nullptr;
        if (RegOpenKeyExA(source, name.data(), 0, KEY_ALL_ACCESS, &from) != ERROR_SUCCESS) return false;
        bool moved = RegCreateKeyExA(target, name.data(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                     nullptr, &to, nullptr) == ERROR_SUCCESS;
        moved = moved && MoveContents(from, to);
        if (to != nullptr) RegCloseKey(to);
        RegCloseKey(from);
        if (!moved || RegDeleteKeyA(source, name.data()) != ERROR_SUCCESS) return false;
    }
    return true;
}

}  // namespace

void MigrateLegacySettings(const SettingsLocation& location) {
    HKEY legacy = nullptr;
    if (RegOpenKeyExA(location.root, location.legacyKey.c_str(), 0, KEY_ALL_ACCESS, &legacy) != ERROR_SUCCESS) {
        return;
    }
    HKEY target = nullptr;
    if (RegCreateKeyExA(location.root, location.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &target, nullptr) != ERROR_SUCCESS) {
        RegCloseKey(legacy);
        return;
    }
    const bool moved = MoveContents(legacy, target);
    RegCloseKey(target);
    RegCloseKey(legacy);
    if (moved) RegDeleteKeyA(location.root, location.legacyKey.c_str());
}

}  // namespace kv
