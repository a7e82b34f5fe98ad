// The AutoFill pop-up (CAutoFillPopup): a small tool window without caption
// beside a browser that lists the records of the page's site and fills the
// chosen one (or fills and submits it). It closes by itself when the browser
// leaves the page it opened on.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "uikit/Dialog.h"
#include "uikit/MessageMap.h"
#include "webforms/BrowserConnection.h"
#include "webforms/CapturedRecord.h"
#include "webforms/ui/WebFormHost.h"

namespace kv {

class CAutoFillPopup : public ui::Mapped<CAutoFillPopup, ui::Dialog> {
public:
    explicit CAutoFillPopup(WebFormHost& host);
    ~CAutoFillPopup() override;

    // The pop-up for the browser that owns `browser`. It does not open while
    // no file is open, the program is locked, a fill runs or it is open
    // already; nor for a page without a browser, nor (`fromHelper`, the
    // helper's offer) for an ignored site. For a site without records the
    // Add Web Form dialog opens instead. True when the pop-up opened.
    bool Open(HWND browser, bool fromHelper);
    // Closes it (the program locks or exits).
    void Close();
    bool IsOpen() const { return hwnd() != nullptr; }

    static const ui::MessageMap<CAutoFillPopup>& Messages();

protected:
    bool OnInitDialog() override;
    void OnCancel() override { Close(); }

private:
    void OnTimer(UINT_PTR id);
    // The selected record where it stands now, nothing when it went.
    std::optional<RecordPlace> SelectedRecord() const;
    void Fill(int override);
    void OnFill() { Fill(kNoAutoSubmit); }
    void OnSubmit() { Fill(kForceAutoSubmit); }
    void OnAddForm();
    void OnOptions();
    void OnHelp() { host_.ShowAutoFillHelp(); }
    void OnNotes();
    void HideNotes();

    WebFormHost& host_;
    std::unique_ptr<CBrowserConnection> connection_;  // made anew for each opening
    HWND browser_ = nullptr;
    std::string address_;
    // The listed records, in list order, each found again before it is used.
    std::vector<RecordMark> records_;
    bool ignoreSite_ = false;
    DWORD browserThread_ = 0;
    HWND notesTip_ = nullptr;
};

}  // namespace kv
