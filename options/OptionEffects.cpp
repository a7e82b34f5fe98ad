#include "options/OptionEffects.h"

#include <tuple>

namespace kv {
namespace {

auto ClipboardSettings(const AppSettings& s) { return std::tie(s.ClearClipboard, s.ClearSeconds); }
auto IntegrationSettings(const AppSettings& s) { return std::tie(s.StartWithWindows, s.AddLink, s.CheckFormPasswords); }
auto ColumnSettings(const AppSettings& s) {
    return std::tie(s.ColumnSets, s.CategoryNames, s.ColumnNames, s.DefaultCategory, s.Mask, s.AutosizeCol,
                    s.ExpirationDays, s.AutoComplete);
}
auto TrayTreeSettings(const AppSettings& s) { return std::tie(s.ColumnNames, s.ColumnIcons, s.Mask); }

bool SameHotKey(const HotKey& a, const HotKey& b) {
    return a.enabled == b.enabled && (!a.enabled || (a.modifiers == b.modifiers && a.virtualKey == b.virtualKey));
}

}  // namespace

OptionEffects ClosingEffects(const OptionsState& opened, const OptionsState& edited, bool kept) {
    const OptionsState& after = kept ? edited : opened;
    const AppSettings& was = opened.settings;
    const AppSettings& live = edited.settings;
    const AppSettings& now = after.settings;
    OptionEffects effects;
    // What the pages applied at once differs from what holds only after Cancel.
    effects.icon = live.SysTrayIcon != now.SysTrayIcon;
    effects.transparency = live.Transparency != now.Transparency;
    effects.skin = live.SkinDialog != now.SkinDialog;
    effects.clipboardTimer = ClipboardSettings(live) != ClipboardSettings(now);
    effects.integration = IntegrationSettings(live) != IntegrationSettings(now) ||
                          IntegrationSettings(was) != IntegrationSettings(now);
    // The rest waits for OK, and only what changed is redone.
    effects.hotKey = kept && (!SameHotKey(opened.hotKey, edited.hotKey) || was.SysTrayIcon != now.SysTrayIcon);
    effects.screenSaverTimer = was.CheckScreenSaver != now.CheckScreenSaver || was.SysTrayIcon != now.SysTrayIcon ||
                               effects.icon;
    // The browser's menu entry is written on every OK, so that it follows the
    // setting even where no start has written it.
    effects.browserMenu = kept;
    effects.columns = ColumnSettings(live) != ColumnSettings(now) || ColumnSettings(was) != ColumnSettings(now);
    effects.trayImages = TrayTreeSettings(live) != TrayTreeSettings(now) || TrayTreeSettings(was) != TrayTreeSettings(now);
    return effects;
}

}  // namespace kv
