// The Options sheet opened from the editor and driven through its real
// controls: what each page stores and applies at once, and what OK and
// Cancel do with it (the icon, the hot key, the shortcuts, the columns).
#include <gtest/gtest.h>

#include <filesystem>

#include "editor/EditorDlg.h"
#include "resources/ColumnBitmaps.h"
#include "resources/resource.h"
#include "tests/ui/support/EditorFixture.h"
#include "tests/ui/support/UiHarness.h"

namespace kv {
namespace {

using namespace uitest;

enum Page { kPreferences, kSystemTray, kColumnSettings, kColumnNames, kAutoFill };

// The sheet's Apply button, which this sheet goes without.
constexpr int kApplyButton = 0x3021;

constexpr char kExtensionKey[] =
    "Software\\Microsoft\\Internet Explorer\\Extensions\\{4FCCA77A-FABF-44aa-9B3A-AF5D075144A7}";

void Click(HWND page, int id) {
    SendDlgItemMessageA(page, id, BM_CLICK, 0, 0);
    Pump(20);
}

bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }
bool Ticked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }

// Chooses entry `index` of a combo box as a click in its list does.
void ChooseEntry(HWND page, int id, int index) {
    HWND combo = GetDlgItem(page, id);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    Pump(20);
}

// Types characters into a window that has the focus.
void TypeInto(HWND window, const std::string& text) {
    SetFocus(window);
    for (const char c : text) SendMessageA(window, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
    Pump(20);
}

// Moves the transparency slider as dragging its thumb does.
void Slide(HWND page, int position) {
    HWND slider = GetDlgItem(page, IDC_TRANSPARENCY);
    SendMessageA(slider, TBM_SETPOS, TRUE, position);
    SendMessageA(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(slider));
    Pump(20);
}

class OptionsSheetTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        places_ = TestIntegrationPlaces();
    }

    CEditorDlg& Start(const std::string& password = "") {
        WriteFile(PathOf("Options.kv"), password, {"Web"});
        if (!password.empty()) unlock_.Expect("Enter password - Options.kv", IDOK, Typing(password));
        return StartEditorOn(PathOf("Options.kv"));
    }

    // Opens the sheet from the editor, runs `drive` on it and closes it with `button`.
    void RunSheet(CEditorDlg& editor, int button, const std::function<void(HWND sheet)>& drive) {
        DialogAnswerer answerer;
        answerer.Expect("Options", button, drive);
        editor.Send(WM_COMMAND, MAKEWPARAM(ID_OPTIONS, 0));
        EXPECT_TRUE(answerer.AllAnswered());
        Pump(50);
    }

    static HWND ShowPage(HWND sheet, Page page) {
        SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(page), 0);
        Pump(20);
        return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }

    std::optional<std::uint32_t> StoredNumber(const char* name) {
        const std::unique_ptr<SettingsStore> store = app_->Storage().OpenExisting();
        return store ? store->ReadNumber(name) : std::nullopt;
    }

    std::string StartupLink() const { return places_.startupFolder + "Kelvandor.lnk"; }

    std::string GridHeading(CEditorDlg& editor, int column) {
        char text[64] = {};
        LVCOLUMNA info{};
        info.mask = LVCF_TEXT;
        info.pszText = text;
        info.cchTextMax = sizeof text;
        SendMessageA(editor.view().grid().hwnd(), LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
        return text;
    }

    DialogAnswerer unlock_;
    IntegrationPlaces places_;
};

TEST_F(OptionsSheetTest, PreferencesStoreTheirBoxesAndTheDaysKeepOnlyDigits) {
    CEditorDlg& editor = Start();
    RunSheet(editor, IDOK, [&](HWND sheet) {
        EXPECT_EQ(TextOf(sheet), "Options");
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(sheet, kApplyButton)));
        HWND page = ShowPage(sheet, kPreferences);
        // Without a master password there is nothing to lock.
        EXPECT_FALSE(Enabled(page, IDC_LOCK_ON_SCREEN_SAVER));
        EXPECT_FALSE(Enabled(page, IDC_LOCK_BY_HOTKEY));
        EXPECT_FALSE(Enabled(page, IDC_LOCK_HOTKEY));

        EXPECT_FALSE(Enabled(page, IDC_CLEAR_SECONDS));
        Click(page, IDC_CLEAR_CLIPBOARD);
        EXPECT_TRUE(Enabled(page, IDC_CLEAR_SECONDS));
        EXPECT_EQ(app_->Settings.ClearClipboard, 1u);
        SetItemText(page, IDC_CLEAR_SECONDS, "45");
        EXPECT_EQ(app_->Settings.ClearSeconds, 45u);
        // Typed beyond the up-down's range: the nearest end of it.
        SetItemText(page, IDC_CLEAR_SECONDS, "2");
        EXPECT_EQ(app_->Settings.ClearSeconds, 5u);
        SetItemText(page, IDC_CLEAR_SECONDS, "4500");
        EXPECT_EQ(app_->Settings.ClearSeconds, 300u);
        SetItemText(page, IDC_CLEAR_SECONDS, "45");
        Click(page, IDC_MASK_PASSWORDS);
        EXPECT_EQ(app_->Settings.Mask, 0u);

        HWND daysEdit = GetWindow(GetDlgItem(page, IDC_EXPIRATION_DAYS), GW_CHILD);
        SetWindowTextA(daysEdit, "");
        TypeInto(daysEdit, "30");
        EXPECT_EQ(app_->Settings.ExpirationDays, 30u);
        // A letter typed between the digits goes again, and the text is selected.
        SendMessageA(daysEdit, EM_SETSEL, 1, 1);
        TypeInto(daysEdit, "a");
        EXPECT_EQ(TextOf(daysEdit), "30");
        EXPECT_EQ(app_->Settings.ExpirationDays, 30u);
        DWORD start = 0, end = 0;
        SendMessageA(daysEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, 2u);
        ChooseEntry(page, IDC_EXPIRATION_DAYS, 5);
        EXPECT_EQ(app_->Settings.ExpirationDays, 365u);
        ChooseEntry(page, IDC_EXPIRATION_DAYS, 0);
        EXPECT_EQ(app_->Settings.ExpirationDays, 0u);
    });
    EXPECT_EQ(StoredNumber("ClearClipboard"), 1u);
    EXPECT_EQ(StoredNumber("ClearSeconds"), 45u);
    EXPECT_EQ(StoredNumber("Mask"), 0u);
    EXPECT_EQ(StoredNumber("ExpirationDays"), 0u);
    EXPECT_TRUE(shown_.empty());
}

TEST_F(OptionsSheetTest, TheHotKeyRefusesABareKeyAndIsRegisteredAndSavedOnOk) {
    CEditorDlg& editor = Start("pw");
    ASSERT_TRUE(unlock_.AllAnswered());
    RunSheet(editor, IDOK, [&](HWND sheet) {
        HWND page = ShowPage(sheet, kPreferences);
        EXPECT_TRUE(Enabled(page, IDC_LOCK_ON_SCREEN_SAVER));
        EXPECT_TRUE(Enabled(page, IDC_LOCK_BY_HOTKEY));
        EXPECT_FALSE(Enabled(page, IDC_LOCK_HOTKEY));
        HWND hotKey = GetDlgItem(page, IDC_LOCK_HOTKEY);
        // No key chosen yet: Shift+Control+Alt+P is offered.
        EXPECT_EQ(LOWORD(SendMessageA(hotKey, HKM_GETHOTKEY, 0, 0)),
                  MAKEWORD('P', HOTKEYF_SHIFT | HOTKEYF_CONTROL | HOTKEYF_ALT));
        Click(page, IDC_LOCK_BY_HOTKEY);
        ASSERT_TRUE(Enabled(page, IDC_LOCK_HOTKEY));
        SetFocus(hotKey);
        SendMessageA(hotKey, WM_KEYDOWN, 'K', 0x00250001);
        SendMessageA(hotKey, WM_KEYUP, 'K', 0xC0250001);
        Pump(20);
        EXPECT_EQ(LOWORD(SendMessageA(hotKey, HKM_GETHOTKEY, 0, 0)), MAKEWORD('K', HOTKEYF_ALT));
    });
    const HotKey stored = LoadHotKey(app_->Storage());
    EXPECT_TRUE(stored.enabled);
    EXPECT_EQ(stored.modifiers, static_cast<std::uint32_t>(HOTKEYF_ALT));
    EXPECT_EQ(stored.virtualKey, static_cast<std::uint32_t>('K'));
    // The program holds the key now: nobody else gets it.
    const bool free = RegisterHotKey(nullptr, 1, MOD_ALT, 'K') != FALSE;
    if (free) UnregisterHotKey(nullptr, 1);
    EXPECT_FALSE(free);
    EXPECT_TRUE(shown_.empty());
}

TEST_F(OptionsSheetTest, AHotKeyTheSystemRefusesIsReportedAndThePreviousOneStays) {
    SaveHotKey(app_->Storage(), HotKey{true, HOTKEYF_CONTROL | HOTKEYF_ALT, 'L'});
    CEditorDlg& editor = Start("pw");
    ASSERT_TRUE(RegisterHotKey(nullptr, 7, MOD_ALT, 'J'));
    RunSheet(editor, IDOK, [&](HWND sheet) {
        HWND page = ShowPage(sheet, kPreferences);
        EXPECT_TRUE(Ticked(page, IDC_LOCK_BY_HOTKEY));
        SendDlgItemMessageA(page, IDC_LOCK_HOTKEY, HKM_SETHOTKEY, MAKEWORD('J', HOTKEYF_ALT), 0);
    });
    UnregisterHotKey(nullptr, 7);
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text, "Unable to register hotkey.  The key sequence may be in use by another application.");
    const HotKey stored = LoadHotKey(app_->Storage());
    EXPECT_EQ(stored.virtualKey, static_cast<std::uint32_t>('L'));
    EXPECT_EQ(stored.modifiers, static_cast<std::uint32_t>(HOTKEYF_CONTROL | HOTKEYF_ALT));
    const bool free = RegisterHotKey(nullptr, 8, MOD_CONTROL | MOD_ALT, 'L') != FALSE;
    if (free) UnregisterHotKey(nullptr, 8);
    EXPECT_FALSE(free);
}

TEST_F(OptionsSheetTest, TrayPageAppliesAtOnceAndCancelPutsEverythingBack) {
    CEditorDlg& editor = Start();
    ASSERT_TRUE(app_->TrayIconShown());
    ASSERT_TRUE(std::filesystem::exists(StartupLink()));
    RunSheet(editor, IDCANCEL, [&](HWND sheet) {
        HWND page = ShowPage(sheet, kSystemTray);
        EXPECT_EQ(ItemText(page, IDC_TRANSPARENCY_LABEL), "0%");
        Slide(page, 127);
        EXPECT_EQ(ItemText(page, IDC_TRANSPARENCY_LABEL), "50%");
        EXPECT_EQ(app_->Settings.Transparency, 128u);
        Slide(page, 0);
        EXPECT_EQ(ItemText(page, IDC_TRANSPARENCY_LABEL), "0%");
        Slide(page, 64);

        Click(page, IDC_SHOW_TRAY_ICON);
        EXPECT_FALSE(app_->TrayIconShown());
        Click(page, IDC_START_WITH_WINDOWS);
        EXPECT_FALSE(std::filesystem::exists(StartupLink()));
        EXPECT_FALSE(Ticked(page, IDC_START_WITH_WINDOWS));
        Click(page, IDC_SEND_TAB);
        EXPECT_EQ(app_->Settings.SendTab, 0u);
    });
    // Cancel: the settings as they were, and what the page did at once undone.
    EXPECT_EQ(app_->Settings.Transparency, 255u);
    EXPECT_EQ(app_->Settings.SendTab, 1u);
    EXPECT_TRUE(app_->TrayIconShown());
    EXPECT_TRUE(std::filesystem::exists(StartupLink()));
    EXPECT_EQ(app_->Settings.StartWithWindows, 1u);

    RunSheet(editor, IDOK, [&](HWND sheet) { Click(ShowPage(sheet, kSystemTray), IDC_START_WITH_WINDOWS); });
    EXPECT_FALSE(std::filesystem::exists(StartupLink()));
    EXPECT_EQ(StoredNumber("StartWithWindows"), 0u);
}

TEST_F(OptionsSheetTest, WithoutTheIconThereIsNoLockHotKey) {
    SaveHotKey(app_->Storage(), HotKey{true, HOTKEYF_CONTROL | HOTKEYF_ALT, 'U'});
    CEditorDlg& editor = Start("pw");
    ASSERT_FALSE(RegisterHotKey(nullptr, 9, MOD_CONTROL | MOD_ALT, 'U'));
    RunSheet(editor, IDOK, [&](HWND sheet) {
        Click(ShowPage(sheet, kSystemTray), IDC_SHOW_TRAY_ICON);
        // The lock options follow the icon.
        HWND page = ShowPage(sheet, kPreferences);
        EXPECT_FALSE(Enabled(page, IDC_LOCK_BY_HOTKEY));
    });
    EXPECT_FALSE(app_->TrayIconShown());
    EXPECT_EQ(StoredNumber("SysTrayIcon"), 0u);
    const bool free = RegisterHotKey(nullptr, 9, MOD_CONTROL | MOD_ALT, 'U') != FALSE;
    if (free) UnregisterHotKey(nullptr, 9);
    EXPECT_TRUE(free);
}

TEST_F(OptionsSheetTest, ColumnSettingsKeepOneColumnAndCancelBringsTheOldNameBack) {
    CEditorDlg& editor = Start();
    const ColumnList internet = app_->Settings.ColumnSets[1];
    RunSheet(editor, IDCANCEL, [&](HWND sheet) {
        HWND page = ShowPage(sheet, kColumnSettings);
        EXPECT_TRUE(Ticked(page, IDC_CATEGORY_DEFAULT));
        Click(page, IDC_CATEGORY_INTERNET);
        EXPECT_EQ(ItemText(page, IDC_CATEGORY_NAME), "Internet");
        EXPECT_EQ(ItemText(page, IDC_COLUMNS_GROUP), "Internet columns");
        SetFocus(GetDlgItem(page, IDC_CATEGORY_NAME));
        SetItemText(page, IDC_CATEGORY_NAME, "Web & mail");
        SetFocus(GetDlgItem(page, IDC_CATEGORY_INTERNET));
        Pump(20);
        EXPECT_EQ(ItemText(page, IDC_CATEGORY_INTERNET), "Web && mail");
        EXPECT_EQ(ItemText(page, IDC_COLUMNS_GROUP), "Web && mail columns");
        EXPECT_EQ(app_->Settings.CategoryNames[1], "Web & mail");

        // Internet shows columns 0, 1 and 2: the last of them cannot go.
        Click(page, IDC_COLUMN_FIRST + 0);
        Click(page, IDC_COLUMN_FIRST + 1);
        EXPECT_TRUE(shown_.empty());
        Click(page, IDC_COLUMN_FIRST + 2);
        ASSERT_EQ(shown_.size(), 1u);
        EXPECT_EQ(shown_[0].text, "You must select at least one column");
        EXPECT_TRUE(Ticked(page, IDC_COLUMN_FIRST + 2));
        const ColumnList onlyPassword = {2, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
        EXPECT_EQ(app_->Settings.ColumnSets[1], onlyPassword);
    });
    EXPECT_EQ(app_->Settings.CategoryNames[1], "Internet");
    EXPECT_EQ(app_->Settings.ColumnSets[1], internet);

    RunSheet(editor, IDOK, [&](HWND sheet) {
        HWND page = ShowPage(sheet, kColumnSettings);
        Click(page, IDC_CATEGORY_SOFTWARE);
        Click(page, IDC_COLUMN_FIRST + 8);
        ChooseEntry(page, IDC_DEFAULT_CATEGORY, 3);
        Click(page, IDC_RESTORE_COLUMNS);
        EXPECT_FALSE(Ticked(page, IDC_COLUMN_FIRST + 8));
        Click(page, IDC_COLUMN_FIRST + 7);
    });
    const ColumnList software = {3, 4, 7, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    EXPECT_EQ(app_->Settings.ColumnSets[3], software);
    EXPECT_EQ(StoredNumber("DefaultCategory"), 4u);
}

TEST_F(OptionsSheetTest, ColumnNamesRenameTheGridAndIconsArePickedBesideTheirButton) {
    CEditorDlg& editor = Start();
    ASSERT_EQ(GridHeading(editor, 0), "Description");
    RunSheet(editor, IDOK, [&](HWND sheet) {
        HWND page = ShowPage(sheet, kColumnNames);
        EXPECT_EQ(ItemText(page, IDC_COLUMN_FIRST + 0), "Description");
        SetItemText(page, IDC_COLUMN_FIRST + 0, "Site");
        EXPECT_EQ(app_->Settings.ColumnNames[0], "Site");

        HWND picker = GetDlgItem(page, IDC_ICON_COMBO);
        Click(page, IDC_COLUMN_ICON_FIRST + 2);
        EXPECT_EQ(ItemText(page, IDC_NAMES_MESSAGE), "You cannot change the icon for passwords");
        EXPECT_FALSE(IsWindowVisible(picker));
        Click(page, IDC_COLUMN_ICON_FIRST + 10);
        EXPECT_EQ(ItemText(page, IDC_NAMES_MESSAGE), "");
        EXPECT_EQ(ItemText(page, IDC_NAMES_DATE_MESSAGE), "You cannot change the icon for dates");

        Click(page, IDC_COLUMN_ICON_FIRST + 1);
        EXPECT_EQ(ItemText(page, IDC_NAMES_DATE_MESSAGE), "");
        ASSERT_TRUE(IsWindowVisible(picker));
        RECT button{}, shown{};
        GetWindowRect(GetDlgItem(page, IDC_COLUMN_ICON_FIRST + 1), &button);
        GetWindowRect(picker, &shown);
        EXPECT_EQ(shown.left, button.right + 2);
        EXPECT_EQ(shown.top, button.top);
        EXPECT_EQ(SendMessageA(picker, CB_GETCURSEL, 0, 0), 1);
        ChooseEntry(page, IDC_ICON_COMBO, 5);
        EXPECT_EQ(app_->Settings.ColumnIcons[1], static_cast<int>(kColumnBitmaps[5]));
        SendMessageA(picker, CB_SHOWDROPDOWN, FALSE, 0);
        SetFocus(GetDlgItem(page, IDC_COLUMN_FIRST + 3));
        Pump(20);
        EXPECT_FALSE(IsWindowVisible(picker));
    });
    EXPECT_EQ(GridHeading(editor, 0), "Site");
    EXPECT_EQ(app_->Settings.ColumnIcons[1], static_cast<int>(kColumnBitmaps[5]));

    RunSheet(editor, IDOK, [&](HWND sheet) { Click(ShowPage(sheet, kColumnNames), IDC_RESTORE_NAMES); });
    EXPECT_EQ(GridHeading(editor, 0), "Description");
    EXPECT_EQ(app_->Settings.ColumnIcons[1], static_cast<int>(kColumnBitmaps[1]));
}

TEST_F(OptionsSheetTest, AutoFillPageChoosesABrowserAndKeepsTheToolsMenuEntry) {
    CEditorDlg& editor = Start();
    const std::string extension = places_.user.prefix + kExtensionKey;
    std::vector<std::string> asked;
    app_->SetBrowserChooser([&](HWND, const ui::FileDialogOptions& options) -> std::optional<std::string> {
        asked.push_back(options.title + "|" + options.filter);
        return std::string("C:\\Browsers\\other.exe");
    });
    RunSheet(editor, IDOK, [&](HWND sheet) {
        HWND page = ShowPage(sheet, kAutoFill);
        EXPECT_TRUE(Ticked(page, IDC_IE_MENU));
        EXPECT_FALSE(Ticked(page, IDC_OTHER_BROWSER));
        EXPECT_FALSE(Enabled(page, IDC_BROWSER_PATH));
        EXPECT_FALSE(Enabled(page, IDC_BROWSE));
        Click(page, IDC_OTHER_BROWSER);
        EXPECT_TRUE(Enabled(page, IDC_BROWSE));
        EXPECT_EQ(app_->Settings.UseIE, 0u);
        Click(page, IDC_BROWSE);
        EXPECT_EQ(ItemText(page, IDC_BROWSER_PATH), "C:\\Browsers\\other.exe");
        Click(page, IDC_IE_MENU);
        Click(page, IDC_REUSE_WINDOW);
    });
    EXPECT_EQ(asked, (std::vector<std::string>{"Select browser|Executables files (*.exe)|*.exe|All Files (*.*)|*.*||"}));
    EXPECT_EQ(app_->Settings.Browser, "C:\\Browsers\\other.exe");
    EXPECT_EQ(StoredNumber("UseIE"), 0u);
    EXPECT_EQ(StoredNumber("ReuseWindow"), 1u);
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExA(places_.user.root, extension.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);

    RunSheet(editor, IDOK, [&](HWND sheet) { Click(ShowPage(sheet, kAutoFill), IDC_IE_MENU); });
    ASSERT_EQ(RegOpenKeyExA(places_.user.root, extension.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    RegDeleteTreeA(places_.user.root, extension.c_str());
}

}  // namespace
}  // namespace kv
