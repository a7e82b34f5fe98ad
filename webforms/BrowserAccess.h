// One browser as the program drives it from outside its process: found by a
// window, opened for a stored site, navigated, and its page handed to the
// form walker. The browser's automation interfaces implement it; tests put a
// browser of their own in its place through the factory below.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "settings/AppSettings.h"
#include "webforms/WebPage.h"

namespace kv {

// How a stored site is opened: the settings "UseIE", "Browser",
// "ReuseWindow" and "MaximizeBrowser".
struct BrowserChoice {
    bool useInternetExplorer = true;
    std::string commandLine;  // another browser built on the same engine
    bool reuseWindow = false;
    bool maximize = false;
};

// The choice the settings make.
BrowserChoice BrowserChoiceOf(const AppSettings& settings);

class BrowserAccess {
public:
    virtual ~BrowserAccess() = default;

    // Lets go of any browser held, then takes the one that owns `window`
    // (its frame or any window inside it). False when there is none.
    virtual bool AttachToWindow(HWND window) = 0;
    // Opens or reuses a browser as `choice` says; true when one is attached.
    virtual bool OpenBrowser(const BrowserChoice& choice) = 0;
    // The attached browser's top-level window, null when none.
    virtual HWND Window() const = 0;
    // The page's address, empty when no browser is attached.
    virtual std::string LocationURL() = 0;
    virtual bool Navigate(const std::string& address) = 0;
    // The browser's ready state (4 when the page is complete), -1 when it no
    // longer answers.
    virtual int ReadyState() = 0;
    // The page, null when it cannot be had. Forms watched through it tell
    // `notifyWindow` of their submission with "PASSWORDOnSubmit".
    virtual std::unique_ptr<WebDocument> Document(HWND notifyWindow) = 0;
    // Stops watching every form watched so far.
    virtual void DropWatches() = 0;
};

using BrowserAccessFactory = std::function<std::unique_ptr<BrowserAccess>()>;

// A new access to the browser: the automation interfaces, or what a test put
// in their place.
std::unique_ptr<BrowserAccess> MakeBrowserAccess();
// Replaces (a test) or restores (an empty function) what MakeBrowserAccess makes.
void SetBrowserAccessFactory(BrowserAccessFactory factory);

}  // namespace kv
