// What closing the Options sheet applies: after OK what waits for it, after
// Cancel the undoing of what the pages applied at once.
#include <gtest/gtest.h>

#include "options/OptionEffects.h"

namespace kv {
namespace {

OptionsState Stored() {
    OptionsState state;
    state.hotKey = {true, 6, 'L'};
    return state;
}

bool Any(const OptionEffects& e) {
    return e.icon || e.hotKey || e.screenSaverTimer || e.clipboardTimer || e.skin || e.transparency || e.integration ||
           e.columns || e.trayImages;
}

TEST(OptionEffectsTest, UnchangedSettingsNeedOnlyTheBrowserMenuAfterOk) {
    const OptionsState opened = Stored();
    const OptionEffects ok = ClosingEffects(opened, opened, true);
    EXPECT_FALSE(Any(ok));
    // The browser's menu entry is written on every OK, so that it follows the
    // setting even where no start has written it yet.
    EXPECT_TRUE(ok.browserMenu);
    const OptionEffects cancel = ClosingEffects(opened, opened, false);
    EXPECT_FALSE(Any(cancel));
    EXPECT_FALSE(cancel.browserMenu);
}

TEST(OptionEffectsTest, CancelUndoesWhatThePagesAppliedAtOnce) {
    const OptionsState opened = Stored();
    OptionsState edited = opened;
    edited.settings.SysTrayIcon = 0;
    edited.settings.Transparency = 140;
    edited.settings.SkinDialog = 0;
    edited.settings.ClearSeconds = 60;
    edited.settings.StartWithWindows = 0;
    const OptionEffects cancel = ClosingEffects(opened, edited, false);
    EXPECT_TRUE(cancel.icon);
    EXPECT_TRUE(cancel.transparency);
    EXPECT_TRUE(cancel.skin);
    EXPECT_TRUE(cancel.clipboardTimer);
    EXPECT_TRUE(cancel.integration);
    EXPECT_TRUE(cancel.screenSaverTimer);
    EXPECT_FALSE(cancel.hotKey);
    // After OK they are in place already; what follows from them is not.
    const OptionEffects ok = ClosingEffects(opened, edited, true);
    EXPECT_FALSE(ok.icon);
    EXPECT_FALSE(ok.transparency);
    EXPECT_FALSE(ok.skin);
    EXPECT_FALSE(ok.clipboardTimer);
    EXPECT_TRUE(ok.integration);
    EXPECT_TRUE(ok.screenSaverTimer);
    EXPECT_TRUE(ok.hotKey);
}

TEST(OptionEffectsTest, HotKeyOnlyAfterOkAndOnlyWhenChanged) {
    const OptionsState opened = Stored();
    OptionsState edited = opened;
    edited.hotKey.virtualKey = 'K';
    EXPECT_TRUE(ClosingEffects(opened, edited, true).hotKey);
    EXPECT_FALSE(ClosingEffects(opened, edited, false).hotKey);
    // A disabled key is the same whatever the control shows.
    OptionsState off = opened;
    off.hotKey = {false, 1, 'A'};
    OptionsState offOther = off;
    offOther.hotKey = {false, 7, 'P'};
    EXPECT_FALSE(ClosingEffects(off, offOther, true).hotKey);
}

TEST(OptionEffectsTest, ColumnsAndTrayPictures) {
    const OptionsState opened = Stored();
    OptionsState names = opened;
    names.settings.ColumnNames[3] = "Film";
    const OptionEffects renamed = ClosingEffects(opened, names, true);
    EXPECT_TRUE(renamed.columns);
    EXPECT_TRUE(renamed.trayImages);
    // Cancel after typing a name: the editor shows the old names again.
    EXPECT_TRUE(ClosingEffects(opened, names, false).columns);

    OptionsState icons = opened;
    icons.settings.ColumnIcons[0] = 238;
    const OptionEffects repictured = ClosingEffects(opened, icons, true);
    EXPECT_TRUE(repictured.trayImages);
    EXPECT_FALSE(repictured.columns);

    OptionsState lists = opened;
    lists.settings.ColumnSets[1][0] = 5;
    lists.settings.DefaultCategory = 3;
    const OptionEffects relisted = ClosingEffects(opened, lists, true);
    EXPECT_TRUE(relisted.columns);
    EXPECT_FALSE(relisted.trayImages);
    EXPECT_FALSE(relisted.integration);
}

TEST(OptionEffectsTest, IntegrationFollowsItsOwnSettings) {
    const OptionsState opened = Stored();
    for (std::uint32_t AppSettings::*flag :
         {&AppSettings::StartWithWindows, &AppSettings::AddLink, &AppSettings::CheckFormPasswords}) {
        OptionsState edited = opened;
        edited.settings.*flag = 0;
        EXPECT_TRUE(ClosingEffects(opened, edited, true).integration);
        EXPECT_TRUE(ClosingEffects(opened, edited, false).integration);
    }
    OptionsState other = opened;
    other.settings.ReuseWindow = 1;
    EXPECT_FALSE(ClosingEffects(opened, other, true).integration);
}

}  // namespace
}  // namespace kv
