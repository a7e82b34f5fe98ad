// The helper object in a browser of the tests' own, loaded from the built
// library: the browser's events, sent to the helper, and its window.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "FakeMshtml.h"
#include "bho/Sidlowe.h"

namespace kv {

extern std::string helperPath;

namespace test {

// The browser's events, as their dispatch identifiers number them.
namespace events {
inline constexpr DISPID kBeforeNavigate2 = 250;
inline constexpr DISPID kNavigateComplete2 = 252;
inline constexpr DISPID kDocumentComplete = 259;
inline constexpr DISPID kOnQuit = 253;
inline constexpr DISPID kDownloadBegin = 106;
inline constexpr DISPID kDownloadComplete = 104;

}  // namespace events

using fake::Make;
using namespace events;

// The page's own host, whose UI handler and command target the helper keeps
// and answers through.
class PageHost : public fake::Object<StubIOleClientSite, StubIDocHostUIHandler, StubIOleCommandTarget> {
public:
    HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO*) override {
        ++hostInfos;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Exec(const GUID*, DWORD id, DWORD, VARIANT*, VARIANT*) override {
        executed.push_back(id);
        return S_OK;
    }
    int hostInfos = 0;
    std::vector<DWORD> executed;
};

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
    HRESULT STDMETHODCALLTYPE get_LocationURL(BSTR* p) override {
        *p = SysAllocString(location.c_str());
        return S_OK;
    }
    fake::ConnectionPoint& Events() { return *EventSource::point; }
    ComPtr<fake::Document> document;
    HWND frame = nullptr;
    std::wstring location = L"https://mail.example.com/login";
};
#pragma GCC diagnostic pop

class HelperTest : public testing::Test {
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

    // The helper object made through its class factory, on the browser.
    ComPtr<IObjectWithSite> MakeHelper() {
        const auto classObject = reinterpret_cast<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(
            reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
        ComPtr<IClassFactory> factory;
        EXPECT_EQ(classObject(CLSID_SidloweObj, IID_IClassFactory, factory.ReceiveVoid()), S_OK);
        ComPtr<IObjectWithSite> helper;
        if (factory) factory->CreateInstance(nullptr, IID_IObjectWithSite, helper.ReceiveVoid());
        if (helper) helper->SetSite(static_cast<StubIWebBrowser2*>(browser_.get()));
        return helper;
    }

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

}  // namespace test
}  // namespace kv
