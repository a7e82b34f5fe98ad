// A stand-in for the browser connection while its implementation is not
// built: it drives whatever BrowserAccess a test puts in place and reaches
// no browser otherwise.
#include "webforms/BrowserConnection.h"

#include "webforms/FormWalker.h"

namespace kv {
namespace {

BrowserAccessFactory& Factory() {
    static BrowserAccessFactory factory;
    return factory;
}

constexpr int kComplete = 4;
constexpr int kNavigateWaitMs = 15000;

}  // namespace

std::unique_ptr<BrowserAccess> MakeBrowserAccess() { return Factory() ? Factory()() : nullptr; }

void SetBrowserAccessFactory(BrowserAccessFactory factory) { Factory() = std::move(factory); }

CBrowserConnection::CBrowserConnection(const std::string& browserName)
    : browserName_(browserName), browser_(MakeBrowserAccess()) {}

CBrowserConnection::~CBrowserConnection() = default;

bool CBrowserConnection::AttachToWindow(HWND window) { return browser_ && browser_->AttachToWindow(window); }

bool CBrowserConnection::OpenBrowser(const BrowserChoice& choice) { return browser_ && browser_->OpenBrowser(choice); }

HWND CBrowserConnection::Window() const { return browser_ ? browser_->Window() : nullptr; }

std::string CBrowserConnection::GetLocationURL() { return browser_ ? browser_->LocationURL() : std::string(); }

bool CBrowserConnection::Navigate(const std::string& address) { return browser_ && browser_->Navigate(address); }

int CBrowserConnection::WaitReady(int limitMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        const int state = browser_ ? browser_->ReadyState() : -1;
        if (state < 0) return -1;
        if (state == kComplete) return 1;
        if (limitMs > 0 && GetTickCount() - start >= static_cast<DWORD>(limitMs)) return 0;
        Sleep(10);
    }
}

int CBrowserConnection::WalkForms(bool fill, std::vector<FormField>& fields, bool autoSubmit,
                                  const std::string& recordAddress) {
    if (fill && fields.empty()) return 0;
    if (WaitReady(autoSubmit ? 10000 : 50) != 1) return 1;
    std::unique_ptr<WebDocument> page = browser_->Document(notifyWindow_);
    if (!page) return 1;
    if (!fill) {
        fields = CaptureForms(*page, !watching_);
        watching_ = true;
        return 1;
    }
    FillForms(*page, fields, recordAddress);
    if (autoSubmit) SubmitForms(*page);
    return 1;
}

void CBrowserConnection::DropWatches() {
    if (browser_) browser_->DropWatches();
    watching_ = false;
}

int CBrowserConnection::GoToSiteAndFill(bool navigate, const std::string& site, std::vector<FormField>& fields,
                                        bool autoSubmit, const BrowserChoice& choice, const FillConfirmation& confirm) {
    if (site.empty()) return 0;
    if (navigate && OpenBrowser(choice)) {
        Navigate(site);
        if (WaitReady(kNavigateWaitMs) < 0) return -1;
    }
    if (Window() == nullptr) return 1;
    const FillCheck check = CheckFill(site, GetLocationURL());
    if (check != FillCheck::Fill && !(confirm && confirm(check, site))) return 0;
    WalkForms(true, fields, autoSubmit, site);
    return 1;
}

}  // namespace kv
