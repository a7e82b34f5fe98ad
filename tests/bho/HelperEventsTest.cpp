// The helper object in a browser of our own: it listens to the browser's
// events and tells the program's main window when the top frame's page is
// complete and asks for a password.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "FakeMshtml.h"
#include "bho/Sidlowe.h"
#include "protocol/CopyDataRecord.h"
#include "protocol/MessageNames.h"

namespace kv {

extern std::string helperPath;

namespace {

using fake::Make;

constexpr DISPID kBeforeNavigate2 = 250;
constexpr DISPID kNavigateComplete2 = 252;
constexpr DISPID kDocumentComplete = 259;
constexpr DISPID kOnQuit = 253;
constexpr DISPID kDownloadBegin = 106;
constexpr DISPID kDownloadComplete = 104;

// A browser with the events of a browser window.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class EventfulBrowser : public fake::Object<StubIWebBrowser2, fake::EventSource> {
public:
    EventfulBrowser() { EventSource::point = Make<fake::ConnectionPoint>(DIID_DWebBrowserEvents2); }
    HRESULT STDMETHODCALLTYPE get_Document(IDispatch** p) override {
        *p = nullptr;
        return document ? document->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(p)) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_HWND(SHANDLE_PTR* p) override {
        *p = reinterpret_cast<SHANDLE_PTR>(frame);
        return S_OK;
    }
    fake::ConnectionPoint& Events() { return *EventSource::point; }
    ComPtr<fake::Document> document;
    HWND frame = nullptr;
};
#pragma GCC diagnostic pop

// The program's main window as the helper finds it, noting what it is told.
class MainWindow {
public:
    MainWindow() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = protocol::kMainWindowClass;
        RegisterClassA(&wc);
        window_ = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
        received.clear();
        reports.clear();
    }
    ~MainWindow() { DestroyWindow(window_); }
    static std::vector<std::pair<WPARAM, LPARAM>> Pumped() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        return received;
    }
    // Handles what is sent and posted to this thread for a while.
    static void PumpFor(DWORD milliseconds) {
        for (const DWORD start = GetTickCount(); GetTickCount() - start < milliseconds;) {
            Pumped();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    static inline std::vector<std::pair<WPARAM, LPARAM>> received;
    static inline std::vector<protocol::CopyDataRecord> reports;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        static const UINT form = RegisterWindowMessageA(protocol::kBhoFormMessage);
        if (message == form) received.emplace_back(wParam, lParam);
        if (message == WM_COPYDATA) {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            if (auto record = protocol::DecodeCopyData(data->lpData, data->cbData)) reports.push_back(*record);
            return TRUE;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    HWND window_ = nullptr;
};

class HelperEventsTest : public testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryA(helperPath.c_str());
        ASSERT_NE(module_, nullptr) << helperPath;
        CoInitialize(nullptr);
        browser_ = Make<EventfulBrowser>();
        browser_->frame = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
        browser_->document = Make<fake::Document>(L"https://mail.example.com/login");
    }
    void TearDown() override {
        helper_.Reset();
        browser_.Reset();
        CoUninitialize();
        FreeLibrary(module_);
    }

    ComPtr<IObjectWithSite> MakeHelper();

    void Send(DISPID id, IDispatch* frame, const wchar_t* address = nullptr) {
        VARIANT arguments[2];
        VariantInit(&arguments[0]);  // the address, last
        if (address != nullptr) {
            arguments[0].vt = VT_BSTR;
            arguments[0].bstrVal = SysAllocString(address);
        }
        VariantInit(&arguments[1]);
        arguments[1].vt = VT_DISPATCH;
        arguments[1].pdispVal = frame;
        DISPPARAMS parameters{arguments, nullptr, 2, 0};
        helper_.As<IDispatch>()->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &parameters, nullptr, nullptr, nullptr);
        VariantClear(&arguments[0]);
    }

    // A browser window of this thread, and its authentication dialog (with a
    // password field or without) owned by it.
    HWND ShowBrowserWithDialog(bool password) {
        browser_->frame = CreateWindowExA(0, "STATIC", "Browser", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                          nullptr, nullptr, nullptr);
        HWND dialog = CreateWindowExA(0, "#32770", "Connect to router", WS_POPUP | WS_CAPTION, 20, 20, 240, 120,
                                      browser_->frame, nullptr, nullptr, nullptr);
        CreateWindowExA(0, "EDIT", "", WS_CHILD | (password ? ES_PASSWORD : 0), 10, 10, 100, 20, dialog, nullptr,
                        nullptr, nullptr);
        return dialog;
    }
    void LoadPage(IDispatch* frame) {
        Send(kBeforeNavigate2, frame);
        Send(kNavigateComplete2, frame);
        Send(kDocumentComplete, frame);
    }
    IDispatch* BrowserDispatch() { return static_cast<StubIWebBrowser2*>(browser_.get()); }

    HMODULE module_ = nullptr;
    ComPtr<EventfulBrowser> browser_;
    ComPtr<IObjectWithSite> helper_;
};

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

ComPtr<IObjectWithSite> HelperEventsTest::MakeHelper() {
    const auto classObject = reinterpret_cast<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(classObject(CLSID_SidloweObj, IID_IClassFactory, factory.ReceiveVoid()), S_OK);
    ComPtr<IObjectWithSite> helper;
    if (factory) factory->CreateInstance(nullptr, IID_IObjectWithSite, helper.ReceiveVoid());
    if (helper) helper->SetSite(static_cast<StubIWebBrowser2*>(browser_.get()));
    return helper;
}

}  // namespace
}  // namespace kv
