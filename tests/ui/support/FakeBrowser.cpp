#include "tests/ui/support/FakeBrowser.h"

#include <utility>

namespace kv::uitest {
namespace {

class FakeForm : public WebForm {
public:
    explicit FakeForm(std::shared_ptr<FakeBrowserState> state) : state_(std::move(state)) {}
    std::size_t InputCount() override { return state_->inputs.size(); }
    WebInputState Input(std::size_t i) override { return state_->inputs.at(i); }
    bool SetValue(std::size_t i, const std::string& value) override {
        state_->inputs.at(i).value = value;
        return true;
    }
    bool SetChecked(std::size_t i, bool checked) override {
        state_->inputs.at(i).checked = checked;
        return true;
    }
    bool Click(std::size_t) override { return true; }
    std::size_t SelectCount() override { return 0; }
    WebSelectState Select(std::size_t) override { return {}; }
    bool SetSelected(std::size_t, std::size_t, bool) override { return false; }
    bool Submit() override { return true; }
    void Watch() override { ++state_->watches; }

private:
    std::shared_ptr<FakeBrowserState> state_;
};

class FakeDocument : public WebDocument {
public:
    explicit FakeDocument(std::shared_ptr<FakeBrowserState> state) : state_(std::move(state)) {}
    std::string Address() override { return state_->address; }
    std::size_t FormCount() override { return state_->inputs.empty() ? 0 : 1; }
    std::unique_ptr<WebForm> Form(std::size_t) override { return std::make_unique<FakeForm>(state_); }
    std::vector<std::unique_ptr<WebDocument>> Frames() override { return {}; }

private:
    std::shared_ptr<FakeBrowserState> state_;
};

class FakeBrowserAccess : public BrowserAccess {
public:
    explicit FakeBrowserAccess(std::shared_ptr<FakeBrowserState> state) : state_(std::move(state)) {}
    bool AttachToWindow(HWND window) override {
        attached_ = state_->answers && window == state_->window;
        return attached_;
    }
    bool OpenBrowser(const BrowserChoice&) override { return attached_ = state_->answers; }
    HWND Window() const override { return attached_ ? state_->window : nullptr; }
    std::string LocationURL() override { return attached_ && state_->answers ? state_->address : std::string(); }
    bool Navigate(const std::string& address) override {
        state_->address = address;
        return true;
    }
    int ReadyState() override { return state_->answers ? 4 : -1; }
    std::unique_ptr<WebDocument> Document(HWND notifyWindow) override {
        if (!attached_ || !state_->answers) return nullptr;
        state_->notifyWindow = notifyWindow;
        return std::make_unique<FakeDocument>(state_);
    }
    void DropWatches() override { ++state_->drops; }

private:
    std::shared_ptr<FakeBrowserState> state_;
    bool attached_ = false;
};

}  // namespace

void UseFakeBrowser(std::shared_ptr<FakeBrowserState> state) {
    if (!state) {
        SetBrowserAccessFactory(nullptr);
        return;
    }
    SetBrowserAccessFactory([state] { return std::make_unique<FakeBrowserAccess>(state); });
}

HWND CreateBrowserWindow(const std::string& title) {
    return CreateWindowExA(0, "STATIC", title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 600, 400, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace kv::uitest
