// What the helper object does with the browser's events: it follows the
// navigation and, when the page of the top frame is complete and asks for a
// password, tells the program, which offers AutoFill; after the start of a
// download it watches for the browser's authentication dialog.
#include <mshtml.h>

#include "bho/BrowserParts.h"
#include "bho/PasswordSearch.h"
#include "bho/SidloweObj.h"
#include "protocol/MessageNames.h"

namespace kv::bho {
namespace {

// The event's argument at `position` counted from the first, as the browser
// lists them (DISPPARAMS holds them last first); by reference or by value.
const VARIANT* Argument(const DISPPARAMS& parameters, UINT position) {
    if (parameters.rgvarg == nullptr || position >= parameters.cArgs) return nullptr;
    const VARIANT* argument = &parameters.rgvarg[parameters.cArgs - 1 - position];
    if (argument->vt == (VT_BYREF | VT_VARIANT) && argument->pvarVal != nullptr) return argument->pvarVal;
    return argument;
}

constexpr std::size_t kAddressLength = 2047;  // ANSI bytes kept of a navigation's address

// A navigation's address (its second argument).
std::string AddressOf(const DISPPARAMS& parameters) {
    const VARIANT* url = Argument(parameters, 1);
    return url != nullptr && url->vt == VT_BSTR ? AnsiText(url->bstrVal, kAddressLength) : std::string();
}

IDispatch* FrameOf(const DISPPARAMS& parameters) {
    const VARIANT* frame = Argument(parameters, 0);
    return frame != nullptr && frame->vt == VT_DISPATCH ? frame->pdispVal : nullptr;
}

HWND MainWindow() { return FindWindowA(protocol::kMainWindowClass, nullptr); }

}  // namespace

bool SidloweObj::ListenToBrowser() {
    const ComPtr<IConnectionPointContainer> container = browser_.As<IConnectionPointContainer>();
    ComPtr<IConnectionPoint> point;
    if (!container || FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, point.Receive())) || !point) {
        return false;
    }
    return SUCCEEDED(point->Advise(static_cast<IObjectWithSite*>(this), &cookie_));
}

void SidloweObj::StopListening() {
    if (cookie_ != 0 && browser_) {
        const ComPtr<IConnectionPointContainer> container = browser_.As<IConnectionPointContainer>();
        ComPtr<IConnectionPoint> point;
        if (container && SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, point.Receive()))) {
            point->Unadvise(cookie_);
        }
    }
    cookie_ = 0;
    topFrame_.Reset();
    browser_.Reset();
}

void SidloweObj::OnEvent(DISPID id, const DISPPARAMS& parameters) {
    if (id == kDownloadBegin) {
        if (browser_) watcher_.OnDownloadBegin(BrowserWindowOf(browser_.get()), address_);
        return;
    }
    switch (id) {
        case kBeforeNavigate2:
        case kNewWindow2:
        case kDownloadComplete:
        case kNavigateComplete2:
        case kDocumentComplete:
        case kOnQuit:
        case kQuitOfOldBrowsers:
            watcher_.OnOtherEvent(id);
            break;
        default:
            return;
    }
    switch (id) {
        case kBeforeNavigate2:
            address_ = AddressOf(parameters);
            break;
        case kNavigateComplete2:
            if (!topFrame_) topFrame_ = ComPtr<IDispatch>(FrameOf(parameters));
            break;
        case kDocumentComplete: {
            IDispatch* frame = FrameOf(parameters);
            if (frame == nullptr || frame != topFrame_.get()) break;
            topFrame_.Reset();
            OnPageComplete(frame);
            break;
        }
        case kOnQuit:
        case kQuitOfOldBrowsers:
            StopListening();
            break;
        default:
            break;
    }
}

void SidloweObj::OnPageComplete(IDispatch* frame) {
    const HWND main = MainWindow();
    const ComPtr<IWebBrowser2> browser = ComPtr<IDispatch>(frame).As<IWebBrowser2>();
    ComPtr<IDispatch> document;
    if (!browser || FAILED(browser->get_Document(document.Receive())) || !document) return;
    const ComPtr<IHTMLDocument2> page = document.As<IHTMLDocument2>();
    if (!page) return;
    HandlePageUi(document.get());
    if (main == nullptr || !PageHasPasswordField(page.get())) return;
    static const UINT formMessage = RegisterWindowMessageA(protocol::kBhoFormMessage);
    PostMessageA(main, formMessage, reinterpret_cast<WPARAM>(BrowserWindowOf(browser.get())), 1);
}

}  // namespace kv::bho
