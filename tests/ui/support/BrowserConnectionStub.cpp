// A minimal CBrowserConnection over BrowserAccess and the form walker, for
// the tests of the web-form windows until the program's own lands; it goes
// when that does.
#include "webforms/BrowserConnection.h"

#include "webforms/FormWalker.h"

namespace kv {
namespace {

BrowserAccessFactory& Factory() {
    static BrowserAccessFactory factory;
    return factory;
}

bool HasFields(WebDocument& page) {
    for (std::size_t i = 0; i < page.FormCount(); ++i) {
        const std::unique_ptr<WebForm> form = page.Form(i);
        if (form && form->InputCount() + form->SelectCount() > 0) return true;
    }
    return false;
}

}  // namespace

std::unique_ptr<BrowserAccess> MakeBrowserAccess() { return Factory() ? Factory()() : nullptr; }

void SetBrowserAccessFactory(BrowserAccessFactory factory) { Factory() = std::move(factory); }

CBrowserConnection::CBrowserConnection(const std::string& browserName) : browserName_(browserName) {}

CBrowserConnection::~CBrowserConnection() = default;

bool CBrowserConnection::AttachToWindow(HWND window) {
    if (!browser_) browser_ = MakeBrowserAccess();
    return browser_ && browser_->AttachToWindow(window);
}

bool CBrowserConnection::OpenBrowser(const BrowserChoice& choice) {
    if (!browser_) browser_ = MakeBrowserAccess();
    return browser_ && browser_->OpenBrowser(choice);
}

HWND CBrowserConnection::Window() const { return browser_ ? browser_->Window() : nullptr; }

std::string CBrowserConnection::GetLocationURL() { return browser_ ? browser_->LocationURL() : std::string(); }

bool CBrowserConnection::Navigate(const std::string& address) { return browser_ && browser_->Navigate(address); }

int CBrowserConnection::WaitReady(int) {
    if (!browser_) return -1;
    const int state = browser_->ReadyState();
    return state < 0 ? -1 : (state == 4 ? 1 : 0);
}

int CBrowserConnection::WalkForms(bool fill, std::vector<FormField>& fields, bool autoSubmit,
                                  const std::string& recordAddress) {
    if (fill && fields.empty()) return 0;
    const std::unique_ptr<WebDocument> page = browser_ ? browser_->Document(notifyWindow_) : nullptr;
    if (!page) return 1;
    if (!fill) {
        fields = CaptureForms(*page, !watching_);
        watching_ = true;
        formsFound_ = HasFields(*page);
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

int CBrowserConnection::GoToSiteAndFill(bool, const std::string& site, std::vector<FormField>& fields,
                                        bool autoSubmit, const BrowserChoice&, const FillConfirmation&) {
    if (site.empty()) return 0;
    WalkForms(true, fields, autoSubmit, site);
    return 1;
}

}  // namespace kv
