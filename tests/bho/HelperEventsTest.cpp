// The helper object in a browser of our own: it listens to the browser's
// events and tells the program's main window when the top frame's page is
// complete and asks for a password.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tests/bho/FakeProgram.h"
#include "tests/bho/HelperFixture.h"
#include "protocol/CopyDataRecord.h"
#include "protocol/MessageNames.h"

namespace kv {
namespace {

using fake::Make;
using namespace test::events;

using MainWindow = test::FakeProgram;

class HelperEventsTest : public test::HelperTest {};

TEST_F(HelperEventsTest, ALoadedPageWithAPasswordTellsTheProgramOnce) {
    MainWindow main;
    browser_->document->AddForm()->AddInput(L"Password", L"pass");
    helper_ = MakeHelper();
    ASSERT_EQ(browser_->Events().Listeners(), 1u);
    LoadPage(BrowserDispatch());
    const auto told = MainWindow::Pumped();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].first, reinterpret_cast<WPARAM>(browser_->frame));
    EXPECT_EQ(told[0].second, 1);
}

TEST_F(HelperEventsTest, APasswordOnlyInAFrameCountsWhenThePageHasNone) {
    MainWindow main;
    browser_->document->AddForm()->AddInput(L"text", L"search");
    const ComPtr<fake::Browser> frame = Make<fake::Browser>();
    frame->document = Make<fake::Document>(L"https://mail.example.com/frame");
    frame->document->AddForm()->AddInput(L"password", L"pass");
    browser_->document->embedded.push_back(ComPtr<IUnknown>(static_cast<StubIWebBrowser2*>(frame.get())));
    helper_ = MakeHelper();
    LoadPage(BrowserDispatch());
    EXPECT_EQ(MainWindow::Pumped().size(), 1u);
}

TEST_F(HelperEventsTest, NothingIsToldWithoutAPasswordAFrameOfItsOwnOrAProgram) {
    {
        MainWindow main;
        browser_->document->AddForm()->AddInput(L"text", L"user");
        helper_ = MakeHelper();
        LoadPage(BrowserDispatch());
        EXPECT_TRUE(MainWindow::Pumped().empty()) << "a page without a password";

        browser_->document->AddForm()->AddInput(L"password", L"pass");
        const ComPtr<fake::Browser> inner = Make<fake::Browser>();
        Send(kNavigateComplete2, BrowserDispatch());
        Send(kDocumentComplete, static_cast<StubIWebBrowser2*>(inner.get()));
        EXPECT_TRUE(MainWindow::Pumped().empty()) << "a frame's own completion is not the page's";
    }
    LoadPage(BrowserDispatch());
    EXPECT_TRUE(MainWindow::Pumped().empty()) << "no program is running";
}

TEST_F(HelperEventsTest, ACompletedPageTakesTheHelperAsItsUiHandlerWhichPassesOnToThePagesOwn) {
    const ComPtr<test::PageHost> host = Make<test::PageHost>();
    fake::Document& page = *browser_->document;
    page.clientSite = ComPtr<IOleClientSite>(static_cast<StubIOleClientSite*>(host.get()));
    helper_ = MakeHelper();
    LoadPage(BrowserDispatch());
    ASSERT_TRUE(page.uiHandler);
    EXPECT_EQ(page.uiHandler.As<IUnknown>().get(), helper_.As<IUnknown>().get());
    DOCHOSTUIINFO info{};
    EXPECT_EQ(page.uiHandler->GetHostInfo(&info), S_OK);
    EXPECT_EQ(host->hostInfos, 1);
    EXPECT_EQ(helper_.As<IOleCommandTarget>()->Exec(nullptr, 42, 0, nullptr, nullptr), S_OK);
    EXPECT_EQ(host->executed, std::vector<DWORD>{42});
    ComPtr<IDispatch> external;
    EXPECT_EQ(page.uiHandler->GetExternal(external.Receive()), S_OK);
    EXPECT_TRUE(external);
    page.uiHandler.Reset();
}

TEST_F(HelperEventsTest, TheHelperStopsListeningWhenTheBrowserQuitsOrTakesTheSiteAway) {
    helper_ = MakeHelper();
    ASSERT_EQ(browser_->Events().Listeners(), 1u);
    Send(kOnQuit, nullptr);
    EXPECT_EQ(browser_->Events().Listeners(), 0u);

    helper_->SetSite(static_cast<StubIWebBrowser2*>(browser_.get()));
    ASSERT_EQ(browser_->Events().Listeners(), 1u);
    helper_->SetSite(nullptr);
    EXPECT_EQ(browser_->Events().Listeners(), 0u);
    helper_.Reset();
    EXPECT_EQ(browser_->References(), 1u) << "the helper kept the browser";
}

TEST_F(HelperEventsTest, AnAuthenticationDialogWithinASecondOfADownloadIsReportedOnce) {
    MainWindow main;
    HWND dialog = ShowBrowserWithDialog(true);
    helper_ = MakeHelper();
    Send(kBeforeNavigate2, BrowserDispatch(), L"http://router.example/setup");
    Send(kDownloadBegin, nullptr);
    MainWindow::PumpFor(1800);
    ASSERT_EQ(MainWindow::reports.size(), 1u);
    const protocol::CopyDataRecord& report = MainWindow::reports[0];
    EXPECT_EQ(report.kind, protocol::CopyDataKind::AuthenticationDialog);
    EXPECT_EQ(report.address, "http://router.example/setup");
    EXPECT_EQ(report.browserWindow, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(browser_->frame)));
    EXPECT_EQ(report.dialogWindow, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(dialog)));
    DestroyWindow(browser_->frame);
}

TEST_F(HelperEventsTest, NoReportWhenAnotherEventComesWithinTheSecondOrTheDialogAsksNoPassword) {
    MainWindow main;
    ShowBrowserWithDialog(true);
    helper_ = MakeHelper();
    Send(kBeforeNavigate2, BrowserDispatch(), L"http://router.example/setup");
    Send(kDownloadBegin, nullptr);
    Send(kDownloadComplete, nullptr);
    MainWindow::PumpFor(1400);
    EXPECT_TRUE(MainWindow::reports.empty()) << "another event came";
    DestroyWindow(browser_->frame);

    ShowBrowserWithDialog(false);
    Send(kDownloadBegin, nullptr);
    MainWindow::PumpFor(1400);
    EXPECT_TRUE(MainWindow::reports.empty()) << "a dialog without a password field";
    DestroyWindow(browser_->frame);
}

}  // namespace
}  // namespace kv
