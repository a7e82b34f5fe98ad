#include "webforms/BrowserConnection.h"

#include <objbase.h>

#include <algorithm>
#include <cctype>
#include <mutex>
#include <utility>

#include "desktop/MessageBox.h"
#include "webforms/ComBrowserAccess.h"
#include "webforms/FormWalker.h"

namespace kv {
namespace {

constexpr int kCompleteState = 4;
constexpr DWORD kPollMs = 50;
constexpr int kSubmitWaitMs = 10000;
constexpr int kQuickWaitMs = 50;
constexpr int kNavigateWaitMs = 15000;

std::mutex& FactoryLock() {
    static std::mutex lock;
    return lock;
}

BrowserAccessFactory& Factory() {
    static BrowserAccessFactory factory;
    return factory;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return text;
}

}  // namespace

BrowserChoice BrowserChoiceOf(const AppSettings& settings) {
    BrowserChoice choice;
    choice.useInternetExplorer = settings.UseIE != 0;
    choice.commandLine = settings.Browser;
    choice.reuseWindow = settings.ReuseWindow != 0;
    choice.maximize = settings.MaximizeBrowser != 0;
    return choice;
}

std::unique_ptr<BrowserAccess> MakeBrowserAccess() {
    BrowserAccessFactory factory;
    {
        const std::lock_guard<std::mutex> hold(FactoryLock());
        factory = Factory();
    }
    return factory ? factory() : MakeComBrowserAccess();
}

void SetBrowserAccessFactory(BrowserAccessFactory factory) {
    const std::lock_guard<std::mutex> hold(FactoryLock());
    Factory() = std::move(factory);
}

CBrowserConnection::CBrowserConnection(const std::string& browserName) : browserName_(Lower(browserName)) {
    const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    comInitialised_ = SUCCEEDED(result);
    if (!comInitialised_) {
        // Without COM there is no browser to find: every later call does nothing.
        ShowMessage("Failed to initialize the Internet Explorer COM interface.");
        return;
    }
    browser_ = MakeBrowserAccess();
}

CBrowserConnection::~CBrowserConnection() {
    if (browser_) browser_->DropWatches();
    browser_.reset();
    if (comInitialised_) CoUninitialize();
}

bool CBrowserConnection::AttachToWindow(HWND window) { return browser_ && browser_->AttachToWindow(window); }

bool CBrowserConnection::OpenBrowser(const BrowserChoice& choice) { return browser_ && browser_->OpenBrowser(choice); }

HWND CBrowserConnection::Window() const { return browser_ ? browser_->Window() : nullptr; }

std::string CBrowserConnection::GetLocationURL() { return browser_ ? browser_->LocationURL() : std::string(); }

bool CBrowserConnection::Navigate(const std::string& address) { return browser_ && browser_->Navigate(address); }

int CBrowserConnection::WaitReady(int limitMs) {
    if (!browser_) return -1;
    const DWORD start = GetTickCount();
    for (;;) {
        const int state = browser_->ReadyState();
        if (state < 0) return -1;
        if (state == kCompleteState) return 1;
        Sleep(kPollMs);
        if (limitMs > 0 && GetTickCount() - start > static_cast<DWORD>(limitMs)) return 0;
    }
}

int CBrowserConnection::WalkForms(bool fill, std::vector<FormField>& fields, bool autoSubmit,
                                  const std::string& recordAddress) {
    if (fill && fields.empty()) return 0;
    if (!fill) fields.clear();
    const auto page = [&]() -> std::unique_ptr<WebDocument> {
        if (!browser_ || WaitReady(autoSubmit ? kSubmitWaitMs : kQuickWaitMs) != 1) return nullptr;
        return browser_->Document(notifyWindow_);
    };
    std::unique_ptr<WebDocument> document = page();
    if (!document) return 1;
    const FormCensus census = TakeFormCensus(*document);
    if (fill) {
        FillForms(*document, fields, recordAddress);
    } else {
        fields = CaptureForms(*document, !watching_);
        formsFound_ = census.withFields;
    }
    // Once a pass has seen a form, the forms are watched no more by this connection.
    if (census.forms > 0) watching_ = true;
    if (fill && autoSubmit) {
        document.reset();
        if (std::unique_ptr<WebDocument> again = page()) SubmitForms(*again);
    }
    return 1;
}

void CBrowserConnection::DropWatches() {
    if (browser_) browser_->DropWatches();
    watching_ = false;
}

int CBrowserConnection::GoToSiteAndFill(bool navigate, const std::string& site, std::vector<FormField>& fields,
                                        bool autoSubmit, const BrowserChoice& choice,
                                        const FillConfirmation& confirm) {
    if (site.empty()) return 0;
    if (navigate && OpenBrowser(choice)) {
        SetForegroundWindow(Window());
        Navigate(site);
        if (WaitReady(kNavigateWaitMs) == -1) return -1;
    }
    if (Window() == nullptr) return 1;
    const FillCheck check = CheckFill(site, GetLocationURL());
    if (check != FillCheck::Fill && !(confirm && confirm(check, site))) return 0;
    WalkForms(true, fields, autoSubmit, site);
    return 1;
}

}  // namespace kv
