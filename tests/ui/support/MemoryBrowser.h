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

struct MemoryBrowserState {
    HWND window = nullptr;
    std::shared_ptr<test::MemoryPage> page = std::make_shared<test::MemoryPage>();
    std::vector<std::string> navigated;
    int opened = 0;
};

class MemoryBrowserAccess : public BrowserAccess {
public:
    explicit MemoryBrowserAccess(std::shared_ptr<MemoryBrowserState> state) : state_(std::move(state)) {}

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
    std::shared_ptr<MemoryBrowserState> state_;
    bool attached_ = false;
};

// The memory browser answers for every browser connection made while the object lives.
class MemoryBrowserInPlace {
public:
    explicit MemoryBrowserInPlace(std::shared_ptr<MemoryBrowserState> state) {
        SetBrowserAccessFactory([state] { return std::make_unique<MemoryBrowserAccess>(state); });
    }
    ~MemoryBrowserInPlace() { SetBrowserAccessFactory(nullptr); }
    MemoryBrowserInPlace(const MemoryBrowserInPlace&) = delete;
    MemoryBrowserInPlace& operator=(const MemoryBrowserInPlace&) = delete;
};

}  // namespace kv::uitest
