// The browser connection on a browser of our own: waiting for the page, the
// walks in their modes, going to a site and filling it with the checks made
// before a fill, and what happens when COM cannot be had.
#include <gtest/gtest.h>

#include <objbase.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "desktop/MessageBox.h"
#include "support/FakeMshtml.h"
#include "webforms/BrowserConnection.h"
#include "webforms/MshtmlPage.h"

namespace kv {
namespace {

using fake::Make;

// What the connection asked of the browser, and how the browser answers.
struct BrowserLog {
    std::vector<int> states;  // ready states answered in turn; the last one repeats
    std::size_t polls = 0;
    int documents = 0;
    int opened = 0;
    int drops = 0;
    std::vector<std::string> navigated;
    HWND window = nullptr;
    HWND openedWindow = nullptr;
    std::string address = "https://site.example/login";
    ComPtr<fake::Document> page = Make<fake::Document>(L"https://site.example/login");
    FormWatches watches;
};

class LoggedBrowser : public BrowserAccess {
public:
    explicit LoggedBrowser(BrowserLog& log) : log_(log) {}
    bool AttachToWindow(HWND window) override {
        log_.window = window;
        return window != nullptr;
    }
    bool OpenBrowser(const BrowserChoice&) override {
        ++log_.opened;
        log_.window = log_.openedWindow;
        return log_.window != nullptr;
    }
    HWND Window() const override { return log_.window; }
    std::string LocationURL() override { return log_.window ? log_.address : std::string(); }
    bool Navigate(const std::string& address) override {
        log_.navigated.push_back(address);
        return true;
    }
    int ReadyState() override {
        const std::size_t turn = std::min(log_.polls++, log_.states.size() - 1);
        return log_.states[turn];
    }
    std::unique_ptr<WebDocument> Document(HWND notifyWindow) override {
        ++log_.documents;
        log_.watches.SetNotifyWindow(notifyWindow);
        return MakeMshtmlPage(ComPtr<IHTMLDocument2>(log_.page.get()), log_.watches);
    }
    void DropWatches() override {
        ++log_.drops;
        log_.watches.DropAll();
    }

private:
    BrowserLog& log_;
};

class BrowserConnectionTest : public ::testing::Test {
protected:
    BrowserConnectionTest() {
        log.states = {4};
        log.openedWindow = GetDesktopWindow();
        form = log.page->AddForm();
        user = form->AddInput(L"text", L"user", L"ann");
        password = form->AddInput(L"password", L"pw", L"s3cret");
        SetBrowserAccessFactory([this] { return std::make_unique<LoggedBrowser>(log); });
        SetMessageScript([this](const std::string& text, UINT) {
            messages.push_back(text);
            return IDOK;
        });
    }
    ~BrowserConnectionTest() override {
        SetBrowserAccessFactory(nullptr);
        SetMessageScript(nullptr);
    }

    // Fills a record of `recordAddress` into the page that the browser shows.
    int FillFrom(const std::string& recordAddress, bool answer) {
        CBrowserConnection connection;
        connection.AttachToWindow(GetDesktopWindow());
        user->value.clear();
        std::vector<FormField> fields = Entries();
        return connection.GoToSiteAndFill(false, recordAddress, fields, false, {},
                                          [&](FillCheck check, const std::string& address) {
                                              asked.emplace_back(check, address);
                                              return answer;
                                          });
    }

    static std::vector<FormField> Entries() {
        FormField field;
        field.type = 1;
        field.name = "user";
        field.value = "bob";
        return {field};
    }

    BrowserLog log;
    ComPtr<fake::Form> form;
    ComPtr<fake::Input> user, password;
    std::vector<std::string> messages;
    std::vector<std::pair<FillCheck, std::string>> asked;
};

TEST_F(BrowserConnectionTest, WaitReadyAnswersOneZeroOrMinusOne) {
    CBrowserConnection connection;
    connection.AttachToWindow(GetDesktopWindow());
    EXPECT_EQ(connection.WaitReady(1000), 1);
    EXPECT_EQ(log.polls, 1u);

    log.states = {3};
    log.polls = 0;
    const DWORD start = GetTickCount();
    EXPECT_EQ(connection.WaitReady(200), 0);
    const DWORD waited = GetTickCount() - start;
    EXPECT_GE(waited, 200u);
    EXPECT_LT(waited, 2000u);
    EXPECT_GE(log.polls, 3u);  // about every 50 ms

    log.states = {3, 3, -1};
    log.polls = 0;
    EXPECT_EQ(connection.WaitReady(5000), -1);
    EXPECT_EQ(log.polls, 3u);

    // No limit: waits as long as it takes.
    log.states = {1, 1, 1, 1, 1, 1, 4};
    log.polls = 0;
    EXPECT_EQ(connection.WaitReady(0), 1);
    EXPECT_EQ(log.polls, 7u);
}

TEST_F(BrowserConnectionTest, CaptureEmptiesTheListRecordsThePageAndWatchesItsFormsOnce) {
    CBrowserConnection connection;
    connection.AttachToWindow(GetDesktopWindow());
    std::vector<FormField> fields = Entries();
    EXPECT_EQ(connection.WalkForms(false, fields, false, ""), 1);
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_EQ(fields[1].value, "s3cret");
    EXPECT_TRUE(connection.FormsFound());
    EXPECT_EQ(form->Events().advised, 1);

    connection.WalkForms(false, fields, false, "");
    EXPECT_EQ(form->Events().advised, 1);
    connection.DropWatches();
    EXPECT_EQ(form->Events().Listeners(), 0u);
    connection.WalkForms(false, fields, false, "");
    EXPECT_EQ(form->Events().advised, 2);
}

TEST_F(BrowserConnectionTest, APageThatIsNotCompleteIsNeitherCapturedNorFilled) {
    CBrowserConnection connection;
    connection.AttachToWindow(GetDesktopWindow());
    log.states = {3};
    std::vector<FormField> fields = Entries();
    EXPECT_EQ(connection.WalkForms(false, fields, false, ""), 1);
    EXPECT_TRUE(fields.empty());
    EXPECT_EQ(log.documents, 0);
    EXPECT_FALSE(connection.FormsFound());

    fields = Entries();
    EXPECT_EQ(connection.WalkForms(true, fields, false, log.address), 1);
    EXPECT_EQ(user->value, L"ann");
}

TEST_F(BrowserConnectionTest, FillWritesTheListAndSubmitsOnASecondWalkOnlyWhenAsked) {
    CBrowserConnection connection;
    connection.AttachToWindow(GetDesktopWindow());
    std::vector<FormField> none;
    EXPECT_EQ(connection.WalkForms(true, none, true, log.address), 0);
    EXPECT_EQ(log.documents, 0);

    std::vector<FormField> fields = Entries();
    EXPECT_EQ(connection.WalkForms(true, fields, false, log.address), 1);
    EXPECT_EQ(user->value, L"bob");
    EXPECT_EQ(form->submits, 0);
    EXPECT_EQ(log.documents, 1);
    EXPECT_EQ(form->Events().advised, 0);

    EXPECT_EQ(connection.WalkForms(true, fields, true, log.address), 1);
    EXPECT_EQ(form->submits, 1);
    EXPECT_EQ(log.documents, 3);
}

TEST_F(BrowserConnectionTest, AnEmptySiteIsNotVisitedAndAVanishedBrowserAbandonsTheFill) {
    CBrowserConnection connection;
    std::vector<FormField> fields = Entries();
    EXPECT_EQ(connection.GoToSiteAndFill(true, "", fields, false, {}, nullptr), 0);
    EXPECT_EQ(log.opened, 0);

    log.states = {-1};
    EXPECT_EQ(connection.GoToSiteAndFill(true, log.address, fields, false, {}, nullptr), -1);
    EXPECT_EQ(log.opened, 1);
    EXPECT_EQ(log.navigated, std::vector<std::string>{log.address});
    EXPECT_EQ(log.documents, 0);
}

TEST_F(BrowserConnectionTest, VisitingTheSiteFillsItWithoutAsking) {
    CBrowserConnection connection;
    std::vector<FormField> fields = Entries();
    user->value.clear();
    EXPECT_EQ(connection.GoToSiteAndFill(true, log.address, fields, false, {}, nullptr), 1);
    EXPECT_EQ(log.navigated, std::vector<std::string>{log.address});
    EXPECT_EQ(user->value, L"bob");

    // No browser could be opened: nothing to fill, and nothing went wrong.
    log.openedWindow = nullptr;
    user->value.clear();
    EXPECT_EQ(connection.GoToSiteAndFill(true, log.address, fields, false, {}, nullptr), 1);
    EXPECT_EQ(user->value, L"");
}

TEST_F(BrowserConnectionTest, APageOfAnotherSiteIsFilledOnlyWhenTheUserSaysSo) {
    log.address = "https://evil.example/login";
    EXPECT_EQ(FillFrom("https://site.example/login", false), 0);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].first, FillCheck::OtherSite);
    EXPECT_EQ(asked[0].second, "https://site.example/login");
    EXPECT_EQ(user->value, L"");

    EXPECT_EQ(FillFrom("https://site.example/login", true), 1);
    EXPECT_EQ(user->value, L"bob");
}

TEST_F(BrowserConnectionTest, AnHttpPageGetsARecordOfHttpsOnlyWhenTheUserSaysSo) {
    log.address = "http://site.example/login";
    EXPECT_EQ(FillFrom("https://site.example/login", false), 0);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].first, FillCheck::InsecurePage);
    EXPECT_EQ(user->value, L"");

    asked.clear();
    log.address = "https://SITE.example/login?next=1";
    EXPECT_EQ(FillFrom("https://site.example/login", false), 1);
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(user->value, L"bob");
}

TEST_F(BrowserConnectionTest, WithoutAConfirmationAMismatchIsRefused) {
    log.address = "https://evil.example/login";
    CBrowserConnection connection;
    connection.AttachToWindow(GetDesktopWindow());
    std::vector<FormField> fields = Entries();
    EXPECT_EQ(connection.GoToSiteAndFill(false, "https://site.example/login", fields, false, {}, nullptr), 0);
    EXPECT_EQ(user->value, L"ann");
}

TEST_F(BrowserConnectionTest, WithoutCOMTheConnectionSaysSoAndFindsNoBrowser) {
    bool attached = true;
    std::thread([&] {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        {
            CBrowserConnection connection;
            attached = connection.AttachToWindow(GetDesktopWindow());
            EXPECT_EQ(connection.WaitReady(0), -1);
        }
        CoUninitialize();
    }).join();
    EXPECT_FALSE(attached);
    EXPECT_EQ(messages, std::vector<std::string>{"Failed to initialize the Internet Explorer COM interface."});
    EXPECT_EQ(log.window, nullptr);
}

TEST_F(BrowserConnectionTest, TheConnectionDropsItsWatchesWhenItEnds) {
    {
        CBrowserConnection connection;
        connection.AttachToWindow(GetDesktopWindow());
        std::vector<FormField> fields;
        connection.WalkForms(false, fields, false, "");
        EXPECT_EQ(form->Events().Listeners(), 1u);
    }
    EXPECT_EQ(form->Events().Listeners(), 0u);
}

}  // namespace
}  // namespace kv
