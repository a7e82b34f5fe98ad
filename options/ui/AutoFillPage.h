// The "AutoFill" page (template 104): the browser's Tools-menu entry and
// Links shortcut, how AutoFill uses the browser, and another browser to use.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "options/ui/OptionsPage.h"
#include "uikit/FileDialog.h"
#include "uikit/MessageMap.h"

namespace kv {

// How the page asks for a browser program (tests answer in place of the dialog).
using BrowserChooser = std::function<std::optional<std::string>(HWND owner, const ui::FileDialogOptions& options)>;

class CAutoFillPage : public ui::Mapped<CAutoFillPage, OptionsPage> {
public:
    explicit CAutoFillPage(OptionsHost& host);

    void SetBrowserChooser(BrowserChooser choose) { choose_ = std::move(choose); }

    static const ui::MessageMap<CAutoFillPage>& Messages();

protected:
    bool OnInitDialog() override;

private:
    void OnFlag(UINT id);
    void OnOtherBrowser();
    void OnBrowse();
    void OnDestroy();
    void EnableBrowser();

    BrowserChooser choose_;
};

// The program of the system's HTML handler, or "" when none is registered.
std::string SystemHtmlBrowser();

}  // namespace kv
