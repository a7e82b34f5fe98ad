// A browser that tests put in place of Internet Explorer: a window of the
// test stands for its frame, and its page, with the address it shows, is
// held in memory, where the test changes it as a user would.
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
    int drops = 0;                // times the watches of its forms were dropped
    HWND notifyWindow = nullptr;  // told of a submission
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
    std::unique_ptr<WebDocument> Document(HWND notifyWindow) override {
        state_->notifyWindow = notifyWindow;
        return std::make_unique<test::MemoryPage::SharedPage>(state_->page);
    }
    void DropWatches() override { ++state_->drops; }

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

// A top-level window standing for the browser's frame, titled `title`.
inline HWND CreateBrowserWindow(const std::string& title) {
    return CreateWindowExA(0, "STATIC", title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 600, 400, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace kv::uitest
