// What the Options sheet's pages need of the program: the settings they
// edit in place, and the effects they apply the moment a box changes.
#pragma once

#include "settings/AppSettings.h"
#include "settings/Settings.h"

namespace kv {

class OptionsHost {
public:
    virtual ~OptionsHost() = default;

    virtual AppSettings& EditedSettings() = 0;
    // The lock hot key as stored.
    virtual HotKey StoredHotKey() = 0;
    // The lock options need a master password (and the icon).
    virtual bool HasMasterPassword() const = 0;
    // Windows 95 has no screen-saver lock.
    virtual bool IsWin95() const { return false; }
    // Whether windows can be made transparent here.
    virtual bool CanMakeTransparent() const = 0;

    // Effects the pages apply at once.
    virtual void ShowTrayIcon(bool show) = 0;
    virtual void ApplyClipboardTimer() = 0;
    virtual void ApplySkin() = 0;
    virtual void ApplyTransparency() = 0;
    virtual void ApplyIntegration() = 0;
    virtual void ApplyColumns() = 0;
};

}  // namespace kv
