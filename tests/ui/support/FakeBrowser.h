// A browser that tests put in place of Internet Explorer: a window of the
// test, the address it shows and its page held in memory.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/MemoryPage.h"
#include "webforms/BrowserAccess.h"

namespace kv::uitest {

struct FakeBrowserState {
    HWND window = nullptr;
    std::shared_ptr<test::MemoryPage> page = std::make_shared<test::MemoryPage>();
    std::vector<std::string> navigated;
    int opened = 0;
};

class FakeBrowserAccess : public BrowserAccess {
public:
    explicit FakeBrowserAccess(std::shared_ptr<FakeBrowserState> state) : state_(std::move(state)) {}

    bool AttachToWindow(HWND window) override {
        attached_ = window != nullptr && (window == state_->window || IsChild(state_->window, window));
        return attached_;
    }
    bool OpenBrowser(const BrowserChoice&) override {
        ++state_->opened;
        attached_ = state_->window != nullptr;
        return attached_;
    }
    HWND Window() const override { return attached_ ? state_->window : nullptr; }
    std::string LocationURL() override { return attached_ ? state_->page->address : std::string(); }
    bool Navigate(const std::string& address) override {
        state_->navigated.push_back(address);
        state_->page->address = address;
        return true;
    }
    int ReadyState() override { return 4; }
    std::unique_ptr<WebDocument> Document(HWND) override {
        return std::make_unique<test::MemoryPage::SharedPage>(state_->page);
    }
    void DropWatches() override {}

private:
    std::shared_ptr<FakeBrowserState> state_;
    bool attached_ = false;
};

// The fake browser answers for every browser connection made while the object lives.
class FakeBrowserInPlace {
public:
    explicit FakeBrowserInPlace(std::shared_ptr<FakeBrowserState> state) {
        SetBrowserAccessFactory([state] { return std::make_unique<FakeBrowserAccess>(state); });
    }
    ~FakeBrowserInPlace() { SetBrowserAccessFactory(nullptr); }
    FakeBrowserInPlace(const FakeBrowserInPlace&) = delete;
    FakeBrowserInPlace& operator=(const FakeBrowserInPlace&) = delete;
};

}  // namespace kv::uitest
