// The Add Web Form dialog and the AutoFill pop-up over a browser of the
// tests' own, driven through their real windows and controls, with the
// program's side played by a host that records what it is asked.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <utility>

#include "desktop/MessageBox.h"
#include "protocol/MessageNames.h"
#include "resources/resource.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/Records.h"
#include "tests/ui/support/MemoryBrowser.h"
#include "tests/ui/support/UiHarness.h"
#include "webforms/ui/AddWebFormDlg.h"
#include "webforms/ui/AutoFillPopup.h"
#include "webforms/ui/FormDataDlg.h"

namespace kv {
namespace {

using namespace uitest;

constexpr char kTitle[] = "Sign in - Forum - Microsoft Internet Explorer";
constexpr char kAddress[] = "https://www.forum.example.com/login";

class RecordingHost : public WebFormHost {
public:
    struct Fill {
        int folder;
        int record;
        bool throughBrowser;
        int override;
    };

    PasswordDatabase db;
    AppSettings settings;
    test::MemorySettings storage;
    bool fileOpen = true;
    bool locked = false;
    bool fillInProgress = false;
    bool ready = true;
    std::vector<Fill> fills;
    std::vector<RecordPlace> shown;
    std::vector<HWND> addWebForm;
    int modifiedChanges = 0;
    int help = 0;
    std::vector<std::pair<HWND, HWND>> watched;  // authentication dialog, window told
    AuthDialogValues authValues;

    PasswordDatabase& Database() override { return db; }
    const AppSettings& Settings() override { return settings; }
    SettingsStorage& Storage() override { return storage; }
    void FillRecord(int folder, int record, CBrowserConnection* connection, int override) override {
        fills.push_back({folder, record, connection != nullptr, override});
    }
    bool IsFillInProgress() const override { return fillInProgress; }
    bool IsFileOpen() const override { return fileOpen; }
    bool IsLocked() const override { return locked; }
    bool MakeDatabaseReady() override { return ready; }
    void ModifiedChanged() override { ++modifiedChanges; }
    void ShowCapturedRecord(int folder, int record) override { shown.push_back({folder, record}); }
    void AddWebForm(HWND browser) override { addWebForm.push_back(browser); }
    void ShowAutoFillHelp() override { ++help; }
    bool WatchAuthDialog(HWND dialog, HWND notify) override {
        watched.emplace_back(dialog, notify);
        return true;
    }
    AuthDialogValues TakeAuthDialogValues() override { return std::exchange(authValues, {}); }
};

Record SiteLogin(const std::string& description, const std::string& address, const std::string& notes = "") {
    Record record;
    record.fields[kDescription] = description;
    record.fields[kUrl] = address;
    record.fields[kNotes] = notes;
    record.formData = {test::ColumnEntry(kTextInput, "user", "bob", kUsername)};
    return record;
}

class WebFormDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        browser_->window = CreateBrowserWindow(kTitle);
        browser_->page->address = kAddress;
        browser_->page->AddForm({{"text", "username", "bob", false},
                                 {"password", "pwd", "secret", false},
                                 {"checkbox", "remember", "on", false}});
        inPlace_ = std::make_unique<MemoryBrowserInPlace>(browser_);
        AddFolder(host_.db, "Internet", kInternetCategory);
        AddFolder(host_.db, "Gone", kDefaultCategory);
        AddFolder(host_.db, "Email", kDefaultCategory);
        host_.db.Folders[1].present = 0;
        SetMessageScript([this](const std::string& text, UINT) {
            messages_.push_back(text);
            return answer_;
        });
    }

    void TearDown() override {
        SetMessageScript(nullptr);
        inPlace_.reset();
        DestroyWindow(browser_->window);
        // The window system finishes with the destroyed windows before the next test makes its own.
        Pump(50);
    }

    static const UINT kSubmitted;

    std::shared_ptr<MemoryBrowserState> browser_ = std::make_shared<MemoryBrowserState>();
    std::unique_ptr<MemoryBrowserInPlace> inPlace_;
    RecordingHost host_;
    std::vector<std::string> messages_;
    int answer_ = IDYES;
};

const UINT WebFormDialogsTest::kSubmitted = RegisterWindowMessageA(protocol::kOnSubmitMessage);

std::vector<std::string> ComboTexts(HWND dialog, int id) {
    std::vector<std::string> texts;
    const int count = static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[260] = {};
        SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        texts.emplace_back(text);
    }
    return texts;
}

// A button pressed, and the press handled.
void Press(HWND dialog, int id) {
    PressButton(dialog, id);
    Pump(50);
}

// With KELVANDOR_SHOT_PAUSE set (milliseconds), the windows stay up that
// long at the points worth a screenshot.
void PauseForScreenshot() {
    if (const char* pause = std::getenv("KELVANDOR_SHOT_PAUSE")) Pump(static_cast<DWORD>(std::atoi(pause)));
}

// A timer that answers the menu being tracked, once it shows, by the
// keyboard: its first item.
void CALLBACK ChooseFirstMenuItem(HWND, UINT, UINT_PTR id, DWORD) {
    if (HWND menu = FindWindowA("#32768", nullptr)) {
        KillTimer(nullptr, id);
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    }
}

bool MenuChecked(HWND dialog, UINT item) {
    return (GetMenuState(GetMenu(dialog), item, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

TEST_F(WebFormDialogsTest, ASubmittedLoginFormBecomesAClassifiedRecordOfTheChosenFolder) {
    CAddWebFormDlg dialog(host_);
    ASSERT_TRUE(dialog.Open(browser_->window));
    HWND window = dialog.hwnd();
    EXPECT_EQ(ItemText(window, IDC_ADD_FORM_NAME), "Sign in - Forum");
    EXPECT_EQ(ItemText(window, IDC_ADD_FORM_STATUS), "Searching forms...");
    // The deleted folder is not offered.
    EXPECT_EQ(ComboTexts(window, IDC_ADD_FORM_FOLDER), (std::vector<std::string>{"Internet", "Email"}));
    EXPECT_TRUE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(MenuChecked(window, ID_IGNORE_THIS_SITE));
    EXPECT_FALSE(MenuChecked(window, ID_ALWAYS_AUTO_SUBMIT));
    ASSERT_TRUE(WaitUntil([&] { return ItemText(window, IDC_ADD_FORM_STATUS) == "Ready to record form data"; }));
    EXPECT_EQ(browser_->page->forms[0]->watched, 1);
    PauseForScreenshot();

    SendDlgItemMessageA(window, IDC_ADD_FORM_FOLDER, CB_SETCURSEL, 1, 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(ID_ALWAYS_AUTO_SUBMIT, 0), 0);
    EXPECT_TRUE(MenuChecked(window, ID_ALWAYS_AUTO_SUBMIT));
    browser_->page->forms[0]->inputs[0].value = "alice";  // typed after the first look
    SendMessageA(browser_->notifyWindow, kSubmitted, 0, 0);
    EXPECT_FALSE(dialog.IsOpen());

    ASSERT_EQ(host_.db.Folders[2].records.size(), 1u);
    const Record& record = host_.db.Folders[2].records[0];
    EXPECT_EQ(record.fields[kDescription], "Sign in - Forum");
    EXPECT_EQ(record.fields[kUrl], kAddress);
    EXPECT_EQ(record.fields[kUsername], "alice");
    EXPECT_EQ(record.fields[kPassword], "secret");
    // The unchecked box is not recorded.
    ASSERT_EQ(record.formData.size(), 2u);
    for (const FormField& entry : record.formData) {
        EXPECT_EQ(entry.submittedForm, 0);
        EXPECT_EQ(entry.autoSubmit, 1);
    }
    EXPECT_TRUE(host_.db.Modified);
    ASSERT_EQ(host_.shown.size(), 1u);
    EXPECT_EQ(host_.shown[0].folder, 2);
    EXPECT_EQ(host_.shown[0].record, 0);
    EXPECT_TRUE(host_.db.IgnoredSites.empty());
    // The position is kept for the next time.
    EXPECT_EQ(host_.storage.values.count("FormDlgPos"), 1u);
}

TEST_F(WebFormDialogsTest, AnotherPageForgetsWhatWasSeenAndTakesTheNameAgain) {
    CAddWebFormDlg dialog(host_);
    ASSERT_TRUE(dialog.Open(browser_->window));
    HWND window = dialog.hwnd();
    ASSERT_TRUE(WaitUntil([&] { return browser_->page->forms[0]->watched == 1; }));
    browser_->page->address = "https://www.forum.example.com/welcome";
    browser_->page->forms.clear();
    SetWindowTextA(browser_->window, "Welcome - Microsoft Internet Explorer");
    ASSERT_TRUE(WaitUntil([&] { return browser_->drops == 1; }));
    EXPECT_EQ(ItemText(window, IDC_ADD_FORM_NAME), "Welcome");
    ASSERT_TRUE(WaitUntil([&] { return ItemText(window, IDC_ADD_FORM_STATUS) == "This page does not contain a form"; }));
    // A submission with nothing to record closes the dialog without a record.
    SendMessageA(window, kSubmitted, 0, 0);
    EXPECT_FALSE(dialog.IsOpen());
    for (const Folder& folder : host_.db.Folders) EXPECT_TRUE(folder.records.empty());
}

TEST_F(WebFormDialogsTest, ARecordOfTheSameNameIsReplacedOnlyWhenTheUserSaysSo) {
    Record existing = SiteLogin("SIGN IN - FORUM", kAddress);
    existing.fields[kNotes] = "kept";
    host_.db.Folders[0].records.write().push_back(existing);
    for (const int answer : {IDNO, IDYES}) {
        answer_ = answer;
        messages_.clear();
        CAddWebFormDlg dialog(host_);
        ASSERT_TRUE(dialog.Open(browser_->window));
        Press(dialog.hwnd(), IDOK);
        EXPECT_FALSE(dialog.IsOpen());
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_EQ(messages_[0], "The 'Sign in - Forum' entry already exists in this folder.\nDo you wish to replace it?");
        ASSERT_EQ(host_.db.Folders[0].records.size(), 1u);
        const Record& record = host_.db.Folders[0].records[0];
        EXPECT_EQ(record.fields[kNotes], "kept");
        EXPECT_EQ(record.formData.size(), answer == IDYES ? 2u : 1u);
        EXPECT_EQ(host_.db.Modified, answer == IDYES);
    }
}

TEST_F(WebFormDialogsTest, IgnoreThisSiteAddsTheSiteFormWhenTheDialogCloses) {
    CAddWebFormDlg dialog(host_);
    ASSERT_TRUE(dialog.Open(browser_->window));
    SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(ID_IGNORE_THIS_SITE, 0), 0);
    Press(dialog.hwnd(), IDCANCEL);
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_EQ(host_.db.IgnoredSites, std::vector<std::string>{"forum.example.com/login"});
    EXPECT_TRUE(host_.db.Modified);
    EXPECT_EQ(host_.modifiedChanges, 1);
    for (const Folder& folder : host_.db.Folders) EXPECT_TRUE(folder.records.empty());
}

TEST_F(WebFormDialogsTest, TheDialogNeedsABrowserAReadyFileAndAFolder) {
    CAddWebFormDlg dialog(host_);
    EXPECT_FALSE(dialog.Open(nullptr));
    host_.ready = false;
    EXPECT_FALSE(dialog.Open(browser_->window));
    host_.ready = true;
    host_.db.Folders[0].present = 0;
    host_.db.Folders[2].present = 0;
    EXPECT_FALSE(dialog.Open(browser_->window));
    EXPECT_EQ(messages_, std::vector<std::string>{"You must create a least one folder to use this option."});
    EXPECT_FALSE(dialog.IsOpen());
}

TEST_F(WebFormDialogsTest, LockingEndsTheDialogWithoutARecord) {
    CAddWebFormDlg dialog(host_);
    ASSERT_TRUE(dialog.Open(browser_->window));
    dialog.Close();
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_FALSE(IsWindow(FindWindowMatching({GetCurrentProcessId(), "Add Web Form", "", true})));
    for (const Folder& folder : host_.db.Folders) EXPECT_TRUE(folder.records.empty());
    // It opens again afterwards.
    EXPECT_TRUE(dialog.Open(browser_->window));
}

TEST_F(WebFormDialogsTest, AnAuthenticationDialogIsWatchedAndSavedWhenItCloses) {
    HWND prompt = CreateBrowserWindow("Connect to router");
    CAddWebFormDlg dialog(host_);
    ASSERT_TRUE(dialog.OpenForAuthDialog(prompt, "http://router/"));
    EXPECT_EQ(ItemText(dialog.hwnd(), IDC_ADD_FORM_STATUS), "Press OK to save");
    ASSERT_EQ(host_.watched.size(), 1u);
    EXPECT_EQ(host_.watched[0], std::make_pair(prompt, dialog.hwnd()));
    // It leaves the fields of the browser's dialog uncovered.
    RECT own{};
    RECT fields{};
    RECT overlap{};
    GetWindowRect(dialog.hwnd(), &own);
    GetWindowRect(prompt, &fields);
    EXPECT_FALSE(IntersectRect(&overlap, &own, &fields));
    // A form position other than the dialog's is not the watch's report.
    host_.authValues = {SecretString("admin"), SecretString("pw")};
    SendMessageA(dialog.hwnd(), kSubmitted, 2, 0);
    ASSERT_TRUE(dialog.IsOpen());
    EXPECT_TRUE(host_.db.Folders[0].records.empty());

    SendMessageA(dialog.hwnd(), kSubmitted, 1, 0);
    EXPECT_FALSE(dialog.IsOpen());
    ASSERT_EQ(host_.db.Folders[0].records.size(), 1u);
    const Record& record = host_.db.Folders[0].records[0];
    EXPECT_EQ(record.fields[kUsername], "admin");
    EXPECT_EQ(record.fields[kPassword], "pw");
    EXPECT_EQ(record.fields[kUrl], "http://router/");
    ASSERT_EQ(record.formData.size(), 2u);
    EXPECT_EQ(record.formData[0].type, kAuthDialogUsername);
    EXPECT_EQ(record.formData[0].name, "Username");
    EXPECT_EQ(record.formData[1].type, kAuthDialogPassword);
    EXPECT_EQ(record.formData[1].name, "Password");
    DestroyWindow(prompt);
}

TEST_F(WebFormDialogsTest, OkSavesWhatTheWatchHasReadAndAGoneDialogIsNotWatched) {
    HWND prompt = CreateBrowserWindow("Connect to router");
    CAddWebFormDlg dialog(host_);
    ASSERT_TRUE(dialog.OpenForAuthDialog(prompt, "http://router/"));
    host_.authValues = {SecretString("root"), SecretString("")};
    Press(dialog.hwnd(), IDOK);
    EXPECT_FALSE(dialog.IsOpen());
    ASSERT_EQ(host_.db.Folders[0].records.size(), 1u);
    EXPECT_EQ(host_.db.Folders[0].records[0].fields[kUsername], "root");
    DestroyWindow(prompt);
    EXPECT_FALSE(dialog.OpenForAuthDialog(prompt, "http://router/"));
    EXPECT_EQ(host_.watched.size(), 1u);
}

TEST_F(WebFormDialogsTest, LaunchSiteFillsTheRecordWhereItStandsAfterASort) {
    host_.db.Folders[0].records.write() = {SiteLogin("Forum", kAddress), SiteLogin("Mail", "https://mail.example/")};
    std::vector<RecordPlace> launched;
    int undoLevels = 0;
    FormDataEditing editing{host_.db, {}, true, [&](const std::string&, const std::vector<Folder>&) { ++undoLevels; },
                            [&](int folder, int record) { launched.push_back({folder, record}); }};
    DialogAnswerer answerer;
    answerer.Expect("Edit form data - Forum", IDCANCEL, [this](HWND dialog) {
        auto& records = host_.db.Folders[0].records.write();
        std::swap(records[0], records[1]);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_FORM_LAUNCH, BN_CLICKED), 0);
    });
    EXPECT_FALSE(EditFormData(nullptr, editing, 0, 0));
    ASSERT_TRUE(answerer.AllAnswered());
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(launched[0].folder, 0);
    EXPECT_EQ(launched[0].record, 1);
    EXPECT_EQ(undoLevels, 0);
    EXPECT_FALSE(host_.db.Modified);
}

// The pop-up on the forum's page, with the site's two records (one in the
// second present folder) among others.
class AutoFillPopupTest : public WebFormDialogsTest {
protected:
    void SetUp() override {
        WebFormDialogsTest::SetUp();
        Record bare = SiteLogin("no form", kAddress);
        bare.formData.clear();
        host_.db.Folders[0].records.write() = {SiteLogin("Other site", "https://other.example/"),
                                               SiteLogin("Forum", "http://www.forum.example.com/login?x=1"), bare};
        host_.db.Folders[2].records.write() = {SiteLogin("Forum mail", kAddress, "ask Bob")};
    }

    // The pop-up goes before the browser window it stands over.
    void TearDown() override {
        popup_.Close();
        Pump(50);
        WebFormDialogsTest::TearDown();
    }

    HWND PopupWindow() { return popup_.hwnd(); }

    CAutoFillPopup popup_{host_};
};

TEST_F(AutoFillPopupTest, ItListsTheSitesRecordsWithFormDataAndFillsTheChosenOneWithoutSubmitting) {
    ASSERT_TRUE(popup_.Open(browser_->window, true));
    HWND list = GetDlgItem(PopupWindow(), IDC_POPUP_RECORDS);
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 0, 0), (1 << 16) | 0);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 1, 0), (0 << 16) | 2);
    EXPECT_NE(GetWindowLongPtrA(PopupWindow(), GWL_STYLE) & WS_CAPTION, WS_CAPTION);
    Press(PopupWindow(), IDC_POPUP_FILL);
    EXPECT_FALSE(popup_.IsOpen());
    ASSERT_EQ(host_.fills.size(), 1u);
    EXPECT_EQ(host_.fills[0].folder, 0);
    EXPECT_EQ(host_.fills[0].record, 1);
    EXPECT_TRUE(host_.fills[0].throughBrowser);
    EXPECT_EQ(host_.fills[0].override, kNoAutoSubmit);
}

TEST_F(AutoFillPopupTest, SubmitForcesTheSubmissionOfTheRecordFoundAgainAfterASort) {
    ASSERT_TRUE(popup_.Open(browser_->window, false));
    SendDlgItemMessageA(PopupWindow(), IDC_POPUP_RECORDS, LB_SETCURSEL, 0, 0);
    // The editor sorts the folder while the pop-up is open.
    auto& records = host_.db.Folders[0].records.write();
    std::swap(records[0], records[1]);
    Press(PopupWindow(), IDC_POPUP_SUBMIT);
    ASSERT_EQ(host_.fills.size(), 1u);
    EXPECT_EQ(host_.fills[0].folder, 0);
    EXPECT_EQ(host_.fills[0].record, 0);
    EXPECT_EQ(host_.fills[0].override, kForceAutoSubmit);
}

TEST_F(AutoFillPopupTest, AChangeOfTheBrowsersAddressClosesItWithinAQuarterOfASecond) {
    ASSERT_TRUE(popup_.Open(browser_->window, true));
    Pump(300);
    ASSERT_TRUE(popup_.IsOpen());
    browser_->page->address = std::string(kAddress) + "?next=1";
    const DWORD changed = GetTickCount();
    ASSERT_TRUE(WaitUntil([&] { return !popup_.IsOpen(); }, 2000));
    EXPECT_LE(GetTickCount() - changed, 400u);
    EXPECT_TRUE(host_.fills.empty());
}

TEST_F(AutoFillPopupTest, TheNotesButtonFollowsTheSelectedRecordsNotes) {
    ASSERT_TRUE(popup_.Open(browser_->window, true));
    HWND notes = GetDlgItem(PopupWindow(), IDC_POPUP_NOTES);
    Pump(400);
    EXPECT_FALSE(IsWindowEnabled(notes));
    SendDlgItemMessageA(PopupWindow(), IDC_POPUP_RECORDS, LB_SETCURSEL, 1, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(notes) != FALSE; }));
    Press(PopupWindow(), IDC_POPUP_NOTES);
    const HWND tip = FindWindowMatching({GetCurrentProcessId(), "", TOOLTIPS_CLASSA, true});
    ASSERT_NE(tip, nullptr);
    char text[600] = {};
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = PopupWindow();
    tool.lpszText = text;
    SendMessageA(tip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "ask Bob");
    PauseForScreenshot();
    Press(PopupWindow(), IDC_POPUP_HELP);
    EXPECT_EQ(host_.help, 1);
}

TEST_F(AutoFillPopupTest, ItDoesNotOpenWhenTheProgramCannotOfferAFill) {
    host_.locked = true;
    EXPECT_FALSE(popup_.Open(browser_->window, true));
    host_.locked = false;
    host_.fillInProgress = true;
    EXPECT_FALSE(popup_.Open(browser_->window, true));
    host_.fillInProgress = false;
    host_.fileOpen = false;
    EXPECT_FALSE(popup_.Open(browser_->window, true));
    host_.fileOpen = true;
    EXPECT_FALSE(popup_.Open(nullptr, true));
    // The helper's offer skips an ignored site; the command opens it anyway.
    host_.db.IgnoredSites = {"forum.example.com/login"};
    EXPECT_FALSE(popup_.Open(browser_->window, true));
    EXPECT_TRUE(host_.addWebForm.empty());
    EXPECT_TRUE(popup_.Open(browser_->window, false));
    EXPECT_FALSE(popup_.Open(browser_->window, false));  // one at a time
}

TEST_F(AutoFillPopupTest, ASiteWithoutRecordsOpensTheAddWebFormDialogInstead) {
    browser_->page->address = "https://new.example/login";
    EXPECT_FALSE(popup_.Open(browser_->window, true));
    EXPECT_EQ(host_.addWebForm, std::vector<HWND>{browser_->window});
    ASSERT_TRUE(popup_.Open(browser_->window, false) == false);
    browser_->page->address = kAddress;
    ASSERT_TRUE(popup_.Open(browser_->window, false));
    Press(PopupWindow(), IDC_POPUP_ADD_FORM);
    EXPECT_FALSE(popup_.IsOpen());
    EXPECT_EQ(host_.addWebForm.size(), 3u);
}

TEST_F(AutoFillPopupTest, IgnoreThisSiteFromItsOptionsMenuListsTheSiteAsItCloses) {
    ASSERT_TRUE(popup_.Open(browser_->window, false));
    SetTimer(nullptr, 0, 200, ChooseFirstMenuItem);
    Press(PopupWindow(), IDC_POPUP_OPTIONS);
    Press(PopupWindow(), IDCANCEL);
    EXPECT_FALSE(popup_.IsOpen());
    EXPECT_EQ(host_.db.IgnoredSites, std::vector<std::string>{"forum.example.com/login"});
    EXPECT_TRUE(host_.db.Modified);
}

}  // namespace
}  // namespace kv
