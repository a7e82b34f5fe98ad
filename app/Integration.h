// Keeps the desktop and Internet Explorer in line with the settings: the
// Startup and Links shortcuts, the browser helper's registration and the
// keys that make the browser load it, and the browser's Tools-menu entry.
#pragma once

#include <windows.h>

#include <string>

namespace kv {

// A registry root and the path that the keys go below: empty for the
// system's own places (tests give a key of their own).
struct RegistryPlace {
    HKEY root;
    std::string prefix;
};

// Where the integration writes.
struct IntegrationPlaces {
    std::string startupFolder;    // ends in '\'
    std::string favoritesFolder;  // ends in '\'
    std::string program;          // this program's file
    std::string helper;           // the browser helper's library
    RegistryPlace machine{HKEY_LOCAL_MACHINE, ""};
    RegistryPlace user{HKEY_CURRENT_USER, ""};
};

// The places of this user and this program ("SidloweNT.dll" as the helper
// on the NT family, else "Sidlowe.dll").
IntegrationPlaces SystemIntegrationPlaces(bool isNT);

enum class ShortcutFolder { Startup, Links };

// Creates ("Unable to add startup shortcut entry." when that fails) or
// deletes one shortcut; one that is created replaces whatever was there.
// Without the browser's Links folder there is no Links shortcut to keep.
// False when a shortcut could not be saved.
bool SyncShortcut(const IntegrationPlaces& places, ShortcutFolder folder, bool create);

// Has the helper library register or unregister itself, when it is there.
void SyncHelperLibrary(const IntegrationPlaces& places, bool registered);
// Writes or removes the keys that make the browser load the helper; the
// first failure's error code, ERROR_SUCCESS when there was none.
LONG SyncHelperKeys(const IntegrationPlaces& places, bool registered);
// What the user is told when the helper's keys could not be changed.
std::string HelperKeysMessage(bool registered, LONG error);

// Writes or removes the browser's Tools-menu and toolbar entry.
void SyncBrowserMenu(const IntegrationPlaces& places, bool create);

}  // namespace kv
