// The program's hold on one browser for one operation: attach to it (or open
// one for a stored site), read its address, wait for its page, and walk the
// page's forms to record them, fill them or submit them.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "db/Record.h"
#include "webforms/BrowserAccess.h"
#include "webforms/SiteAddress.h"

namespace kv {

// Asked before a fill into a page that CheckFill does not pass outright:
// true lets the fill go on into the page as it is ("Use this page").
using FillConfirmation = std::function<bool(FillCheck check, const std::string& recordAddress)>;

class CBrowserConnection {
public:
    // `browserName` is kept lower-cased; every caller passes "default browser".
    explicit CBrowserConnection(const std::string& browserName = "default browser");
    ~CBrowserConnection();
    CBrowserConnection(const CBrowserConnection&) = delete;
    CBrowserConnection& operator=(const CBrowserConnection&) = delete;

    bool AttachToWindow(HWND window);
    bool OpenBrowser(const BrowserChoice& choice);
    HWND Window() const;
    std::string GetLocationURL();
    bool Navigate(const std::string& address);
    // 1 when the page is complete, 0 when `limitMs` ran out (0 or less waits
    // without end), -1 when the browser no longer answers.
    int WaitReady(int limitMs);

    // The window told of a watched form's submission while recording.
    void SetNotifyWindow(HWND window) { notifyWindow_ = window; }
    // Capture (fill clear): empties `fields` and records the page into it,
    // watching its forms once. Fill: writes `fields` into the page (frames of
    // another site than `recordAddress` excepted) and, with `autoSubmit`,
    // submits it. 0 when asked to fill an empty list, else 1.
    int WalkForms(bool fill, std::vector<FormField>& fields, bool autoSubmit, const std::string& recordAddress);
    // Whether the last capture walk found a form with an input or a select.
    bool FormsFound() const { return formsFound_; }
    // Stops watching the forms; the next capture watches them again.
    void DropWatches();

    // With `navigate`, opens a browser as `choice` says and goes to `site`
    // first. Before filling, `confirm` is asked unless the page passes
    // CheckFill against `site`. 1 when filled, 0 when abandoned or `site` is
    // empty, -1 when the browser stopped answering.
    int GoToSiteAndFill(bool navigate, const std::string& site, std::vector<FormField>& fields, bool autoSubmit,
                        const BrowserChoice& choice, const FillConfirmation& confirm);

private:
    std::string browserName_;
    std::unique_ptr<BrowserAccess> browser_;
    HWND notifyWindow_ = nullptr;
    bool watching_ = false;
    bool formsFound_ = false;
    bool comInitialised_ = false;
};

}  // namespace kv
