// A browser of the tests' own in place of the automation interfaces: a real
// window of this process stands for its frame, and its page is one form of
// inputs held in memory, which the test changes as a user would.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "webforms/BrowserAccess.h"

namespace kv::uitest {

struct FakeBrowserState {
    HWND window = nullptr;
    std::string address;
    std::vector<WebInputState> inputs;  // the page's one form; none: no form
    bool answers = true;                // false: the browser is gone
    int watches = 0;                    // forms watched for their submission
    int drops = 0;                      // times the watches were dropped
    HWND notifyWindow = nullptr;        // told of a submission
};

// Every BrowserAccess made from now on drives `state`; null restores the real one.
void UseFakeBrowser(std::shared_ptr<FakeBrowserState> state);

// A top-level window standing for the browser's frame, titled `title`.
HWND CreateBrowserWindow(const std::string& title);

}  // namespace kv::uitest
