// The tray window answering the browser helper in this process, with a fake
// browser and web-form dialogs that only record what they were asked.
#include <gtest/gtest.h>
#include <aclapi.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>

#include "app/PasswordApp.h"
#include "desktop/RegisteredMessages.h"
#include "protocol/CopyDataRecord.h"
#include "protocol/MessageNames.h"
#include "protocol/SharedBlock.h"
#include "tests/support/DatabaseFile.h"
#include "tests/support/Records.h"
#include "tests/ui/support/AppFixture.h"
#include "tests/ui/support/MemoryBrowser.h"
#include "tests/ui/support/MenuReader.h"
#include "tests/ui/support/UiHarness.h"

namespace kv {
namespace {

using namespace uitest;

struct DialogCalls {
    std::vector<WebFormTarget> added;
    std::vector<HWND> popups;
    std::vector<FillCheck> asked;
    int closedAll = 0;
    bool addOpen = false;
    bool popupOpen = false;
    bool usePage = false;
};

class RecordingDialogs : public WebFormDialogs {
public:
    explicit RecordingDialogs(std::shared_ptr<DialogCalls> calls) : calls_(std::move(calls)) {}
    void OpenAddWebForm(const WebFormTarget& target) override { calls_->added.push_back(target); }
    void OpenAutoFillPopup(HWND browser, bool) override { calls_->popups.push_back(browser); }
    bool IsAddWebFormOpen() const override { return calls_->addOpen; }
    bool IsAutoFillPopupOpen() const override { return calls_->popupOpen; }
    void CloseAll() override { ++calls_->closedAll; }
    bool ConfirmFillPage(FillCheck check, const std::string&) override {
        calls_->asked.push_back(check);
        return calls_->usePage;
    }

private:
    std::shared_ptr<DialogCalls> calls_;
};

struct MenuSeen {
    bool shown = false;
    MenuItems top;
    MenuItems autoFill;
};

// The program's web-form menu that `open` shows, and its AutoFill submenu.
MenuSeen SeeMenu(const std::function<void()>& open, DWORD waitMs = 5000) {
    MenuSeen seen;
    seen.shown = ReadShownMenu(
        open,
        [&seen](HMENU menu) {
            seen.top = ItemsOf(menu);
            seen.autoFill = ItemsOf(GetSubMenu(menu, 4));
        },
        waitMs);
    return seen;
}

Record WebRecord(const std::string& description, const std::string& address) {
    Record record = test::LoginRecord(description, "ann", "s3cret");
    record.fields[kUrl] = address;
    record.formData = {{kTextInput, "user", "ann", 0, -1, -1, -1, "", 0},
                       {kPasswordInput, "pass", "s3cret", 0, -1, -1, -1, "", 0}};
    return record;
}

class WebFormRequestsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        RememberFile("C:\\Data\\Secrets.kv");  // a start with the icon only
        ASSERT_TRUE(app_->InitInstance("systray"));
        window_ = CreateWindowExA(0, "STATIC", "Browser", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        browser_->window = window_;
        app_->SetBrowserWindowCheck([this](HWND window) { return window != nullptr && window == window_; });
        app_->SetWebFormDialogs(std::make_unique<RecordingDialogs>(calls_));
        app_->Database.FileLoaded = 1;
        app_->Database.FilePath = "C:\\Data\\Secrets.kv";
        const int folder = AddFolder(app_->Database, "Internet", kInternetCategory);
        app_->Database.Folders[static_cast<std::size_t>(folder)].records.write() = {
            WebRecord("Web mail", "https://mail.example/login"), WebRecord("Shop", "https://shop.example/")};
        browser_->page->AddForm({{"text", "user", "", false}, {"password", "pass", "", false}});
    }

    void TearDown() override {
        DestroyWindow(window_);
        AppFixture::TearDown();
    }

    LRESULT SendCopyData(const protocol::CopyDataRecord& record, DWORD size = protocol::kCopyDataSize,
                         ULONG_PTR kind = 0) {
        unsigned char bytes[protocol::kCopyDataSize + 8] = {};
        unsigned char (&encoded)[protocol::kCopyDataSize] = *reinterpret_cast<unsigned char(*)[protocol::kCopyDataSize]>(bytes);
        protocol::EncodeCopyData(record, encoded);
        COPYDATASTRUCT data{kind, size, bytes};
        return app_->Tray().Send(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    }

    protocol::CopyDataRecord MenuRequest(const std::string& address) const {
        return {protocol::CopyDataKind::ContextMenu, address,
                static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window_)), 0};
    }

    std::vector<protocol::SiteEntry> Block() const {
        return protocol::ReadSiteEntries(
            *reinterpret_cast<const unsigned char(*)[protocol::kSharedBlockSize]>(app_->SharedBlock().data()));
    }

    std::string FilledPassword() const { return browser_->page->forms[0]->inputs[1].value; }

    LRESULT Fill(int folder, int record) {
        return app_->Tray().Send(messages::BhoFill, reinterpret_cast<WPARAM>(window_),
                                 static_cast<LPARAM>(protocol::PackFillTarget(folder, record)));
    }

    HWND window_ = nullptr;
    std::shared_ptr<MemoryBrowserState> browser_ = std::make_shared<MemoryBrowserState>();
    MemoryBrowserInPlace inPlace_{browser_};
    std::shared_ptr<DialogCalls> calls_ = std::make_shared<DialogCalls>();
};

TEST_F(WebFormRequestsTest, TheContextMenuRequestListsTheSitesRecordsAndTheBlockIsClearedSoonAfter) {
    EXPECT_EQ(SendCopyData(MenuRequest("http://mail.example/login?x=1")), TRUE);
    const std::vector<protocol::SiteEntry> entries = Block();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].folder, 0);
    EXPECT_EQ(entries[0].record, 0);
    EXPECT_EQ(entries[0].description, "Web mail");
    Pump(CTrayWnd::kClearBlockDelayMs + 500);
    EXPECT_TRUE(Block().empty());
    EXPECT_EQ(app_->SharedBlock().data()[8], 0);
}

TEST_F(WebFormRequestsTest, HostileCopyDataIsIgnored) {
    std::memset(app_->SharedBlock().data(), 'x', 48);
    EXPECT_EQ(SendCopyData(MenuRequest("https://mail.example/"), protocol::kCopyDataSize - 1), FALSE);
    EXPECT_EQ(SendCopyData(MenuRequest("https://mail.example/"), protocol::kCopyDataSize + 1), FALSE);
    EXPECT_EQ(SendCopyData(MenuRequest("https://mail.example/"), 0), FALSE);
    EXPECT_EQ(SendCopyData(MenuRequest("https://mail.example/"), protocol::kCopyDataSize, 1), FALSE);
    protocol::CopyDataRecord unknown = MenuRequest("https://mail.example/");
    unknown.kind = static_cast<protocol::CopyDataKind>(2);
    EXPECT_EQ(SendCopyData(unknown), FALSE);
    protocol::CopyDataRecord stranger = MenuRequest("https://mail.example/");
    stranger.browserWindow = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(app_->Tray().hwnd()));
    EXPECT_EQ(SendCopyData(stranger), FALSE);
    EXPECT_EQ(app_->Tray().Send(WM_COPYDATA, 0, 0), FALSE);
    EXPECT_EQ(app_->SharedBlock().data()[0], 'x');
    // The same request of the right size and from a browser's window is answered.
    EXPECT_EQ(SendCopyData(MenuRequest("https://mail.example/login")), TRUE);
    EXPECT_EQ(Block().size(), 1u);
}

TEST_F(WebFormRequestsTest, ALockedProgramListsNothing) {
    app_->Database.MasterPassword = "pw";
    app_->Lock();
    ASSERT_TRUE(app_->Locked);
    std::memset(app_->SharedBlock().data(), 'x', 48);
    EXPECT_EQ(SendCopyData(MenuRequest("https://mail.example/")), TRUE);
    EXPECT_TRUE(Block().empty());
}

TEST_F(WebFormRequestsTest, TheStateQueryAnswersTheLockItemsFlags) {
    const auto query = [this] { return app_->Tray().Send(messages::BhoCommand, protocol::kStateQuery, 0); };
    EXPECT_EQ(query(), 3);  // no master password: cannot lock
    app_->Database.MasterPassword = "pw";
    EXPECT_EQ(query(), 0);
    app_->Lock();
    EXPECT_EQ(query(), 8 << 16);
}

TEST_F(WebFormRequestsTest, ALoadedPageIsOfferedThePopUpOrTheAddDialog) {
    browser_->page->address = "https://mail.example/login";
    app_->Tray().Send(messages::BhoForm, reinterpret_cast<WPARAM>(window_), 1);
    ASSERT_EQ(calls_->popups.size(), 1u);
    EXPECT_EQ(calls_->popups[0], window_);
    browser_->page->address = "https://news.example/";
    app_->Tray().Send(messages::BhoForm, reinterpret_cast<WPARAM>(window_), 1);
    ASSERT_EQ(calls_->added.size(), 1u);
    EXPECT_EQ(calls_->added[0].browser, window_);
    EXPECT_EQ(calls_->added[0].address, "https://news.example/");
    app_->Database.IgnoredSites = {"news.example/"};
    app_->Tray().Send(messages::BhoForm, reinterpret_cast<WPARAM>(window_), 1);
    EXPECT_EQ(calls_->added.size(), 1u);
}

TEST_F(WebFormRequestsTest, NoOfferForAWindowOutsideABrowserOrWhileADialogIsOpen) {
    browser_->page->address = "https://mail.example/login";
    app_->Tray().Send(messages::BhoForm, reinterpret_cast<WPARAM>(app_->Tray().hwnd()), 1);
    calls_->addOpen = true;
    app_->Tray().Send(messages::BhoForm, reinterpret_cast<WPARAM>(window_), 1);
    EXPECT_TRUE(calls_->popups.empty());
    calls_->addOpen = false;
    app_->Tray().Send(messages::BhoForm, reinterpret_cast<WPARAM>(window_), 1);
    EXPECT_EQ(calls_->popups.size(), 1u);
}

TEST_F(WebFormRequestsTest, AFillRequestFillsTheRecordIntoItsOwnSiteAndMarksTheFill) {
    browser_->page->address = "https://mail.example/login";
    Fill(0, 0);
    EXPECT_EQ(FilledPassword(), "s3cret");
    EXPECT_TRUE(calls_->asked.empty());
    // Until the fill's end comes back, a loaded page is not offered anything.
    EXPECT_TRUE(app_->WebFormState().fillInProgress);
    app_->Tray().Send(messages::BhoForm, reinterpret_cast<WPARAM>(window_), 1);
    EXPECT_TRUE(calls_->popups.empty());
    Pump(200);
    EXPECT_FALSE(app_->WebFormState().fillInProgress);
    app_->Tray().Send(messages::BhoForm, reinterpret_cast<WPARAM>(window_), 1);
    EXPECT_EQ(calls_->popups.size(), 1u);
}

TEST_F(WebFormRequestsTest, AFillRequestIntoAnotherSitesPageAsksFirst) {
    browser_->page->address = "https://evil.example/login";
    Fill(0, 0);
    ASSERT_EQ(calls_->asked.size(), 1u);
    EXPECT_EQ(calls_->asked[0], FillCheck::OtherSite);
    EXPECT_EQ(FilledPassword(), "");
    calls_->usePage = true;
    Fill(0, 0);
    EXPECT_EQ(FilledPassword(), "s3cret");
}

TEST_F(WebFormRequestsTest, ARecordOfASecurePageIsNotFilledIntoAnInsecureOneWithoutAsking) {
    browser_->page->address = "http://mail.example/login";
    Fill(0, 0);
    ASSERT_EQ(calls_->asked.size(), 1u);
    EXPECT_EQ(calls_->asked[0], FillCheck::InsecurePage);
    EXPECT_EQ(FilledPassword(), "");
}

TEST_F(WebFormRequestsTest, FillRequestsWithBadIndexesOrWindowsDoNothing) {
    browser_->page->address = "https://mail.example/login";
    Fill(0, 2);
    Fill(1, 0);
    Fill(0xFFFF, 0xFFFF);
    app_->Tray().Send(messages::BhoFill, reinterpret_cast<WPARAM>(app_->Tray().hwnd()), 0);
    EXPECT_EQ(FilledPassword(), "");
    EXPECT_FALSE(app_->WebFormState().fillInProgress);
    Fill(0, 0);
    EXPECT_EQ(FilledPassword(), "s3cret");
}

TEST_F(WebFormRequestsTest, TheTraysFillRequestOpensTheRecordsSiteAndFillsIt) {
    browser_->page->address = "about:blank";
    app_->Tray().Send(messages::FillForm, 0, 1);
    ASSERT_EQ(browser_->navigated.size(), 1u);
    EXPECT_EQ(browser_->navigated[0], "https://shop.example/");
    EXPECT_EQ(FilledPassword(), "s3cret");
    app_->Tray().Send(messages::FillForm, 0, 7);
    app_->Tray().Send(messages::FillForm, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(browser_->navigated.size(), 1u);
}

TEST_F(WebFormRequestsTest, AFillWhileTheAddDialogIsOpenAsksToCancelIt) {
    browser_->page->address = "https://mail.example/login";
    calls_->addOpen = true;
    Fill(0, 0);
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_NE(shown_[0].text.find("cancel the Add Web Form"), std::string::npos);
    EXPECT_EQ(FilledPassword(), "");
}

TEST_F(WebFormRequestsTest, TheHelpersAddCommandOpensTheDialogUnlessThePopUpIsOpen) {
    browser_->page->address = "https://news.example/";
    app_->Tray().Send(messages::BhoCommand, protocol::kCommandAddWebForm, reinterpret_cast<LPARAM>(window_));
    ASSERT_EQ(calls_->added.size(), 1u);
    EXPECT_EQ(calls_->added[0].address, "https://news.example/");
    calls_->popupOpen = true;
    app_->Tray().Send(messages::BhoCommand, protocol::kCommandAddWebForm, reinterpret_cast<LPARAM>(window_));
    EXPECT_EQ(calls_->added.size(), 1u);
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_NE(shown_[0].text.find("Auto-fill Web Form"), std::string::npos);
}

TEST_F(WebFormRequestsTest, TheHelpersLockCommandLocksAndTheWebFormDialogsEnd) {
    app_->Database.MasterPassword = "pw";
    app_->Tray().Send(messages::BhoCommand, protocol::kCommandLock, reinterpret_cast<LPARAM>(window_));
    EXPECT_TRUE(app_->Locked);
    EXPECT_EQ(calls_->closedAll, 1);
    // A command for a window outside any browser is ignored.
    app_->Tray().Send(messages::BhoCommand, protocol::kCommandAutoFillPopup, reinterpret_cast<LPARAM>(app_->Tray().hwnd()));
    EXPECT_TRUE(calls_->popups.empty());
}

TEST_F(WebFormRequestsTest, TheWebFormMenuOfABrowserListsTheRecordsOfItsSite) {
    browser_->page->address = "https://mail.example/login?session=2";
    const MenuSeen seen = SeeMenu([this] { app_->Tray().Send(messages::IePopup, reinterpret_cast<WPARAM>(window_)); });
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.top.texts, (std::vector<std::string>{"&Open Kelvandor", "&Lock database", "", "&Add Web form",
                                                       "Auto&Fill form", "", "&Close"}));
    EXPECT_TRUE(seen.top.grayed[1]);  // no master password
    EXPECT_FALSE(seen.top.grayed[4]);
    EXPECT_EQ(seen.autoFill.texts, (std::vector<std::string>{"Open AutoFill &pop-up", "", "Web mail"}));
}

TEST_F(WebFormRequestsTest, TheWebFormMenuWithoutRecordsDisablesAutoFill) {
    browser_->page->address = "https://news.example/";
    const MenuSeen seen = SeeMenu([this] { app_->Tray().Send(messages::IePopup, reinterpret_cast<WPARAM>(window_)); });
    ASSERT_TRUE(seen.shown);
    EXPECT_TRUE(seen.top.grayed[4]);
    EXPECT_TRUE(seen.autoFill.texts.empty());
}

TEST_F(WebFormRequestsTest, TheWebFormMenuIsShownOnlyForABrowsersWindow) {
    const MenuSeen outside = SeeMenu(
        [this] { app_->Tray().Send(messages::IePopup, reinterpret_cast<WPARAM>(app_->Tray().hwnd())); }, 1000);
    EXPECT_FALSE(outside.shown);
    const MenuSeen browser = SeeMenu([this] { app_->Tray().Send(messages::IePopup, reinterpret_cast<WPARAM>(window_)); });
    EXPECT_TRUE(browser.shown);
}

TEST_F(WebFormRequestsTest, AnAuthenticationDialogsMenuShowsAfterItsRequestReturned) {
    protocol::CopyDataRecord request{protocol::CopyDataKind::AuthenticationDialog, "https://mail.example/login", 0,
                                     static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window_))};
    MenuSeen seen;
    LRESULT answer = 0;
    seen = SeeMenu([&] {
        answer = SendCopyData(request);
        Pump(300);
    });
    EXPECT_EQ(answer, TRUE);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.autoFill.texts, (std::vector<std::string>{"Web mail"}));
}

TEST_F(WebFormRequestsTest, AnAuthenticationDialogsMenuReadsANamedFileFirst) {
    const std::string file = (std::filesystem::temp_directory_path() / "kelvandor-dialog-menu.kv").string();
    PasswordDatabase saved;
    const int folder = AddFolder(saved, "Internet", kInternetCategory);
    saved.Folders[static_cast<std::size_t>(folder)].records.write() = {WebRecord("Router", "http://router.example/")};
    ASSERT_TRUE(test::WriteDatabaseFile(file, "", std::move(saved)));
    app_->Settings.LastFile = file;
    app_->Database.FilePath = file;
    app_->Database.FileLoaded = 0;
    app_->Database.Folders.clear();
    protocol::CopyDataRecord request{protocol::CopyDataKind::AuthenticationDialog, "http://router.example/", 0,
                                     static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window_))};
    const MenuSeen seen = SeeMenu([&] {
        SendCopyData(request);
        Pump(500);
    });
    std::filesystem::remove(file);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.autoFill.texts, (std::vector<std::string>{"Router"}));
    EXPECT_EQ(app_->Database.FileLoaded, 1);
}

TEST(SharedBlockSafetyTest, TheBlockIsOpenToTheCurrentUserOnly) {
    SharedMemoryBlock block;
    ASSERT_TRUE(block.Create());
    KernelHandle opened(OpenFileMappingA(READ_CONTROL, FALSE, protocol::kSharedBlockName));
    ASSERT_TRUE(opened);
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_EQ(GetSecurityInfo(opened.get(), SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                              nullptr, &descriptor),
              static_cast<DWORD>(ERROR_SUCCESS));
    ASSERT_NE(dacl, nullptr);
    ASSERT_EQ(dacl->AceCount, 1);
    void* ace = nullptr;
    ASSERT_TRUE(GetAce(dacl, 0, &ace));
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    unsigned char user[256] = {};
    DWORD size = sizeof user;
    ASSERT_TRUE(GetTokenInformation(token, TokenUser, user, size, &size));
    CloseHandle(token);
    EXPECT_TRUE(EqualSid(&static_cast<ACCESS_ALLOWED_ACE*>(ace)->SidStart, reinterpret_cast<TOKEN_USER*>(user)->User.Sid));
    LocalFree(descriptor);
}

TEST(SharedBlockSafetyTest, AnEarlierRunsBlockThatAHelperStillHoldsIsUsedAndCleared) {
    SharedMemoryBlock earlier;  // a browser helper keeps its view of it
    ASSERT_TRUE(earlier.Create());
    earlier.data()[0] = 0x5A;
    SharedMemoryBlock next;
    ASSERT_TRUE(next.Create());
    EXPECT_FALSE(next.squatted());
    EXPECT_EQ(earlier.data()[0], 0);
}

TEST(SharedBlockSafetyTest, ABlockThatKeepsTheProgramOutCountsAsTaken) {
    SECURITY_DESCRIPTOR descriptor{};
    ACL empty{};
    ASSERT_TRUE(InitializeAcl(&empty, sizeof empty, ACL_REVISION));
    ASSERT_TRUE(InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION));
    ASSERT_TRUE(SetSecurityDescriptorDacl(&descriptor, TRUE, &empty, FALSE));
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
    KernelHandle squatter(CreateFileMappingA(INVALID_HANDLE_VALUE, &attributes, PAGE_READWRITE, 0,
                                             protocol::kSharedBlockSize, protocol::kSharedBlockName));
    ASSERT_TRUE(squatter);
    SharedMemoryBlock block;
    EXPECT_FALSE(block.Create());
    EXPECT_TRUE(block.squatted());
    EXPECT_FALSE(block.IsOpen());
}

class SquattedBlockTest : public AppFixture {};

TEST_F(SquattedBlockTest, ABlockAnotherProcessMadeIsNotUsedAndTheUserIsTold) {
    KernelHandle squatter(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                             protocol::kSharedBlockSize, protocol::kSharedBlockName));
    ASSERT_TRUE(squatter);
    RememberFile("C:\\Data\\Secrets.kv");
    ASSERT_TRUE(app_->InitInstance("systray"));
    EXPECT_FALSE(app_->SharedBlock().IsOpen());
    const auto told = std::count_if(shown_.begin(), shown_.end(),
                                    [](const Shown& shown) { return shown.text.find("Another program") == 0; });
    EXPECT_EQ(told, 1);
}

}  // namespace
}  // namespace kv
