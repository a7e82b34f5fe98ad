// The tray dialog, the icon menu's AutoFill layout, locking and clipboard
// clearing on the real program object.
#include <gtest/gtest.h>

#include "app/TrayDlg.h"
#include "app/TrayWnd.h"
#include "db/FileMessages.h"
#include "desktop/Clipboard.h"
#include "desktop/RegisteredMessages.h"
#include "tests/support/Records.h"
#include "tests/ui/support/EditorFixture.h"
#include "tests/ui/support/PasteTarget.h"
#include "uikit/Controls.h"
#include "views/SearchMatch.h"

namespace kv {
namespace {

using namespace uitest;

class TrayTest : public EditorFixture {
protected:
    // Starts the program for the tray only on a file holding `db`.
    void StartOn(PasswordDatabase db, const std::string& password = "") {
        WriteDatabase(PathOf("Tray.kv"), password, std::move(db));
        RememberFile(PathOf("Tray.kv"));
        ASSERT_TRUE(app_->InitInstance("systray"));
    }

    // Every item's text in tree order, after expanding everything.
    static std::vector<std::string> Texts(CTrayDlg& dialog) {
        CTrayTreeView& tree = dialog.tree();
        tree.ExpandAll();
        std::vector<std::string> texts;
        for (HTREEITEM item = tree.Root(); item != nullptr; item = tree.NextInPreOrder(item)) {
            texts.push_back(tree.ItemText(item));
        }
        return texts;
    }

    static HTREEITEM ItemWithText(CTrayDlg& dialog, const std::string& text, int occurrence = 0) {
        CTrayTreeView& tree = dialog.tree();
        for (HTREEITEM item = tree.Root(); item != nullptr; item = tree.NextInPreOrder(item)) {
            if (tree.ItemText(item) == text && occurrence-- == 0) return item;
        }
        return nullptr;
    }

    static PasswordDatabase InternetFile(std::vector<Record> records) {
        PasswordDatabase db;
        const int folder = AddFolder(db, "Internet", kInternetCategory);
        db.Folders[static_cast<std::size_t>(folder)].records.write() = std::move(records);
        return db;
    }
};

TEST_F(TrayTest, RecordWhoseFirstValueIsThePasswordShowsItMaskedAndCopiesTheRealOne) {
    StartOn(InternetFile({test::LoginRecord("", "", "s3cret"), test::LoginRecord("Mail", "ann", "pw")}));
    CTrayDlg& dialog = OpenTray();
    EXPECT_TRUE(dialog.IsVisible());
    EXPECT_EQ(Texts(dialog), (std::vector<std::string>{"Internet", "*****", "Mail", "ann", "*****"}));

    CTrayTreeView& tree = dialog.tree();
    tree.Select(ItemWithText(dialog, "*****"));
    dialog.CopySelection();
    EXPECT_EQ(ClipboardText(), "s3cret");
    tree.Select(ItemWithText(dialog, "*****", 1));
    dialog.CopySelection();
    EXPECT_EQ(ClipboardText(), "pw");
    // The password is the record's item: the other values hang below it.
    EXPECT_EQ(tree.Child(ItemWithText(dialog, "*****")), nullptr);
    EXPECT_NE(tree.Child(ItemWithText(dialog, "Mail")), nullptr);
}

TEST_F(TrayTest, PasteTypesTheRealValueAndTabIntoTheWindowBelow) {
    StartOn(InternetFile({test::LoginRecord("Mail", "ann", "s3cret")}));
    CTrayDlg& dialog = OpenTray();
    Texts(dialog);
    PasteTarget target;
    target.HandleTabs();
    dialog.tree().Select(ItemWithText(dialog, "*****"));
    dialog.PasteToApplication();
    EXPECT_TRUE(WaitUntil([&] { return target.FirstText() == "s3cret" && target.TabbedOn(); }, 3000))
        << "typed: " << target.FirstText();
    EXPECT_FALSE(dialog.Pasting());
}

TEST_F(TrayTest, SearchFindsAValueInsideAClosedFolderAndWraps) {
    StartOn(InternetFile({test::LoginRecord("Bank one", "", ""), test::LoginRecord("Shop", "bank clerk", "")}));
    CTrayDlg& dialog = OpenTray();
    app_->Settings.SearchOptions = kSearchAnywhere | kSearchIgnoreCase;
    dialog.FindText("bank");
    EXPECT_EQ(dialog.tree().ItemText(dialog.tree().Selection()), "Bank one");
    dialog.FindText("bank");
    EXPECT_EQ(dialog.tree().ItemText(dialog.tree().Selection()), "bank clerk");
    dialog.FindText("bank");
    EXPECT_EQ(dialog.tree().ItemText(dialog.tree().Selection()), "Bank one");
    EXPECT_TRUE(shown_.empty());
    dialog.FindText("nowhere");
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text, "Search item was not found.");
    EXPECT_FALSE(app_->Database.Modified);
}

// The columns of the icon menu's "All sites" popup for `records` records with form data.
std::vector<int> AllSitesColumns(CTrayDlg& dialog) {
    HMENU menus = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAY_MENU));
    HMENU autoFill = GetSubMenu(GetSubMenu(menus, 0), 6);
    FillAutoFillMenu(autoFill, BuildAutoFillMenu(dialog.tree().model()));
    HMENU allSites = GetSubMenu(autoFill, 0);
    std::vector<int> columns{0};
    for (int i = 0; i < GetMenuItemCount(allSites); ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID;
        GetMenuItemInfoA(allSites, static_cast<UINT>(i), TRUE, &info);
        if ((info.fType & MFT_MENUBARBREAK) != 0) columns.push_back(0);
        ++columns.back();
    }
    DestroyMenu(menus);
    return columns;
}

TEST_F(TrayTest, AllSitesSplitsThirtyRecordsIntoColumnsAndKeepsTwentyInOne) {
    std::vector<Record> records;
    for (int i = 0; i < 30; ++i) {
        Record record = test::LoginRecord("Site " + std::to_string(i), "user", "");
        record.formData.push_back(FormField{});
        records.push_back(record);
    }
    StartOn(InternetFile(records));
    CTrayDlg& dialog = OpenTray();
    EXPECT_EQ(AllSitesColumns(dialog), (std::vector<int>{14, 14, 2}));

    app_->Database.Folders[0].records.write().resize(20);
    dialog.Rebuild();
    EXPECT_EQ(AllSitesColumns(dialog), (std::vector<int>{20}));
}

TEST_F(TrayTest, DatabaseWithoutMasterPasswordCannotBeLocked) {
    StartOn(InternetFile({test::LoginRecord("Mail", "ann", "pw")}));
    OpenTray();
    EXPECT_FALSE(app_->CanLock());
    app_->Tray().Send(WM_HOTKEY, 100);
    app_->Lock();
    EXPECT_FALSE(app_->Locked);
    EXPECT_TRUE(app_->Tray().TrayDlg()->IsVisible());
}

TEST_F(TrayTest, HotKeyWhileTheUnlockPromptIsOpenOpensNoSecondPrompt) {
    const char kPrompt[] = "Enter password - Tray.kv";
    DialogAnswerer answerer;
    answerer.Expect(kPrompt, IDOK, Typing("open sesame"));
    StartOn(InternetFile({test::LoginRecord("Mail", "ann", "pw")}), "open sesame");
    CTrayDlg& dialog = OpenTray();
    ASSERT_TRUE(answerer.AllAnswered());
    ASSERT_TRUE(app_->CanLock());

    app_->Tray().Send(WM_HOTKEY, 100);
    EXPECT_TRUE(app_->Locked);
    EXPECT_FALSE(dialog.IsVisible());

    std::size_t prompts = 0;
    answerer.Expect(kPrompt, IDOK, [&](HWND prompt) {
        app_->Tray().Send(WM_HOTKEY, 100);
        prompts = FindWindows({GetCurrentProcessId(), kPrompt, "", true}).size();
        SetItemText(prompt, IDC_PASSWORD, "open sesame");
    });
    app_->Tray().Send(WM_HOTKEY, 100);
    EXPECT_TRUE(answerer.AllAnswered());
    EXPECT_EQ(prompts, 1u);
    EXPECT_FALSE(app_->Locked);
}

TEST_F(TrayTest, PasswordPromptRefusesACharacterTheFileCannotHoldWithoutUsingAnAttempt) {
    const char kPrompt[] = "Enter password - Tray.kv";
    std::string errorLine = "<not seen>";
    DialogAnswerer answerer;
    // "\u0142" is not in the code page: read as ANSI it would be "?".
    answerer.Expect(kPrompt, IDOK, [](HWND prompt) { SetWindowTextW(GetDlgItem(prompt, IDC_PASSWORD), L"pw\u0142"); });
    answerer.Expect(kPrompt, IDOK, [&](HWND prompt) {
        errorLine = ui::WindowText(GetDlgItem(prompt, IDC_ERROR_LINE));
        SetItemText(prompt, IDC_PASSWORD, "pw?");
    });
    StartOn(InternetFile({test::LoginRecord("Mail", "ann", "pw")}), "pw?");
    CTrayDlg& dialog = OpenTray();
    EXPECT_TRUE(answerer.AllAnswered());
    ASSERT_FALSE(shown_.empty());
    EXPECT_EQ(shown_[0].text, kUnstorableText);
    EXPECT_EQ(errorLine, "");
    EXPECT_TRUE(dialog.IsVisible());
}

TEST_F(TrayTest, ScreenSaverWatchLocksOnceTheSaverStarts) {
    if (std::unique_ptr<SettingsStore> store = app_->Storage().OpenOrCreate()) store->WriteNumber("CheckScreenSaver", 1);
    DialogAnswerer answerer;
    answerer.Expect("Enter password - Tray.kv", IDOK, Typing("pw"));
    StartOn(InternetFile({test::LoginRecord("Mail", "ann", "pw")}), "pw");
    CTrayDlg& dialog = OpenTray();
    ASSERT_TRUE(app_->CanLock());
    EXPECT_FALSE(app_->IsScreenSaverRunning());
    bool saverRuns = false;
    app_->SetScreenSaverProbe([&] { return saverRuns; });
    // A tick of the watch (every three seconds) without a saver changes nothing.
    Pump(3500);
    EXPECT_FALSE(app_->Locked);
    saverRuns = true;
    EXPECT_TRUE(WaitUntil([&] { return app_->Locked; }, 4000));
    EXPECT_FALSE(dialog.IsVisible());
}

TEST_F(TrayTest, LockingHidesEverythingTheTrayShowsEvenWithTheIconMenuOpen) {
    DialogAnswerer answerer;
    answerer.Expect("Enter password - Tray.kv", IDOK, Typing("pw"));
    WriteDatabase(PathOf("Tray.kv"), "pw", InternetFile({test::LoginRecord("Mail", "ann", "pw")}));
    Command(StartEditorOn(PathOf("Tray.kv")), ID_SEARCH_RECORDS);
    CTrayDlg& dialog = OpenTray();
    PressButton(dialog.hwnd(), ID_SEARCH_RECORDS);
    Pump(100);
    // The editor, its search, the tray dialog and its search.
    ASSERT_EQ(FindWindows({GetCurrentProcessId(), "", "", true}).size(), 4u);
    // The right button went down on the icon: the icon menu counts as open.
    app_->Tray().Send(messages::Taskbar, 0, WM_RBUTTONDOWN);
    app_->Tray().Send(WM_HOTKEY, 100);
    EXPECT_TRUE(app_->Locked);
    Pump(50);
    EXPECT_TRUE(FindWindows({GetCurrentProcessId(), "", "", true}).empty());
}

TEST_F(TrayTest, LockingHidesEveryWindowOfTheProgramModalDialogsTooUntilUnlocked) {
    DialogAnswerer answerer;
    answerer.Expect("Enter password - Tray.kv", IDOK, Typing("pw"));
    StartOn(InternetFile({test::LoginRecord("Mail", "ann", "pw")}), "pw");
    OpenTray();
    ASSERT_TRUE(app_->CanLock());
    // A window of the program that the lock knows nothing about, and a modal dialog.
    HWND other = CreateWindowExA(0, "STATIC", "Showing a record", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    bool modalShownWhileLocked = true;
    answerer.Expect("About Kelvandor", IDOK, [&](HWND about) {
        app_->Tray().Send(WM_HOTKEY, 100);
        modalShownWhileLocked = IsWindowVisible(about) != FALSE;
    });
    app_->Tray().Send(WM_COMMAND, MAKEWPARAM(ID_ABOUT, 0));
    EXPECT_TRUE(answerer.AllAnswered());
    EXPECT_TRUE(app_->Locked);
    EXPECT_FALSE(modalShownWhileLocked);
    EXPECT_FALSE(IsWindowVisible(other));
    answerer.Expect("Enter password - Tray.kv", IDOK, Typing("pw"));
    EXPECT_TRUE(app_->Unlock());
    EXPECT_TRUE(IsWindowVisible(other));
    DestroyWindow(other);
}

TEST_F(TrayTest, AStoredHotKeyWithoutCtrlOrAltIsNeverRegistered) {
    if (std::unique_ptr<SettingsStore> store = app_->Storage().OpenOrCreate()) {
        store->WriteNumber("HotKeyEnable", 1);
        store->WriteNumber("HotKeyVk", 'P');
        store->WriteNumber("HotKeyMod", 99);
    }
    StartOn(InternetFile({}));
    ASSERT_FALSE(shown_.empty());
    EXPECT_NE(shown_.back().text.find("was not registered"), std::string::npos);
    // Plain P is still free for every other program.
    ASSERT_TRUE(RegisterHotKey(nullptr, 7, 0, 'P'));
    UnregisterHotKey(nullptr, 7);
}

bool OnWorkArea(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    return rect.left >= work.left && rect.top >= work.top && rect.right <= work.right && rect.bottom <= work.bottom;
}

TEST_F(TrayTest, SearchDialogOpensClearOfTheTreeOnTheWorkArea) {
    StartOn(InternetFile({test::LoginRecord("Mail", "ann", "pw")}));
    CTrayDlg& dialog = OpenTray();
    PressButton(dialog.hwnd(), ID_SEARCH_RECORDS);
    Pump(50);
    HWND search = nullptr;
    for (HWND window : FindWindows({GetCurrentProcessId(), "", "#32770", true})) {
        if (window != dialog.hwnd()) search = window;
    }
    ASSERT_NE(search, nullptr);
    RECT tree{};
    RECT found{};
    RECT common{};
    GetWindowRect(dialog.tree().hwnd(), &tree);
    GetWindowRect(search, &found);
    EXPECT_FALSE(IntersectRect(&common, &tree, &found));
    EXPECT_TRUE(OnWorkArea(search));
}

TEST_F(TrayTest, NotesPopupStaysOnTheWorkAreaAndEscapeClosesIt) {
    Record record = test::LoginRecord("Mail", "ann", "pw");
    record.fields[kNotes] = "PIN 1234";
    StartOn(InternetFile({record}));
    CTrayDlg& dialog = OpenTray();
    Texts(dialog);
    dialog.tree().Select(ItemWithText(dialog, "Mail"));
    SendMessageA(dialog.hwnd(), WM_COMMAND, ID_DISPLAY_NOTES, 0);
    HWND notes = FindWindowMatching({GetCurrentProcessId(), "Notes", "", true});
    ASSERT_NE(notes, nullptr);
    EXPECT_TRUE(OnWorkArea(notes));
    HWND text = FindWindowExA(notes, nullptr, "EDIT", nullptr);
    EXPECT_EQ(ui::WindowText(text), "PIN 1234");
    SendMessageA(text, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(notes); }, 2000));
}

TEST_F(TrayTest, SearchTextsFollowTheDatabaseWhenShownAndRebuilt) {
    StartOn(InternetFile({test::LoginRecord("Mail", "ann", "pw")}));
    CTrayDlg& dialog = OpenTray();
    HWND combo = GetDlgItem(dialog.hwnd(), IDC_TRAY_SEARCH_TEXT);
    // Another file brings its own history; the dialog is shown again.
    app_->Tray().HideTrayDlg();
    app_->Database.SearchItemHistory = {"beta", "gamma"};
    OpenTray();
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(ui::WindowText(combo), "beta");
    // A file opened while the dialog is visible rebuilds it.
    app_->Database.SearchItemHistory = {"delta"};
    app_->Tray().RefreshTrayDlg();
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(ui::WindowText(combo), "delta");
}

class TrayClipboardTest : public TrayTest {
protected:
    void SetUp() override {
        TrayTest::SetUp();
        if (std::unique_ptr<SettingsStore> store = app_->Storage().OpenOrCreate()) {
            store->WriteNumber("ClearClipboard", 1);
            store->WriteNumber("ClearSeconds", 1);
        }
        StartOn(InternetFile({test::LoginRecord("Mail", "ann", "pw")}));
    }
};

TEST_F(TrayClipboardTest, CopiedValueIsClearedWithoutTheEditor) {
    ASSERT_EQ(app_->Editor(), nullptr);
    ASSERT_TRUE(CopyToClipboard("s3cret"));
    EXPECT_TRUE(WaitUntil([] { return ClipboardText() != std::optional<std::string>("s3cret"); }, 3500));
    EXPECT_FALSE(ClipboardText().has_value());
}

TEST_F(TrayClipboardTest, TextThatAnotherProgramPutThereIsLeftAlone) {
    const std::string copied(100, 'p');
    ASSERT_TRUE(CopyToClipboard(copied));
    // Another program replaces the text by one with the same beginning.
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const std::string other = std::string(90, 'p') + "other";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, other.size() + 1);
    memcpy(GlobalLock(memory), other.c_str(), other.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
    EXPECT_TRUE(WaitUntil([&] { return !CopiedText().Remembers(); }, 3500));
    EXPECT_EQ(ClipboardText(), other);
}

}  // namespace
}  // namespace kv
