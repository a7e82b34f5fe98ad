// "Select password" (template 179): the name, master password and reminder
// of a new password file, or a new master password for the open one.
#pragma once

#include <optional>
#include <string>

#include "db/FileFlows.h"
#include "uikit/Dialog.h"
#include "uikit/MessageMap.h"

namespace kv {

class CSelectPasswordDlg : public ui::Mapped<CSelectPasswordDlg, ui::Dialog> {
public:
    // The longest master password that the "Enter password" dialog can confirm.
    static constexpr int kMaxPasswordLength = 79;

    CSelectPasswordDlg(const SelectPasswordRequest& request, const std::string& programFolder, FileSystem& files,
                       FileFlowUi& ui);

    // On a first run with no file open, the name proposed instead of the given one.
    void ProposeFileName(const std::string& path) { proposal_ = path; }

    const std::optional<SelectPasswordResult>& result() const { return result_; }

    static const ui::MessageMap<CSelectPasswordDlg>& Messages();

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void ApplyEnablingRule();
    // Asks before a weak master password is taken; false keeps the dialog open.
    bool WeakPasswordAccepted();
    void OnBrowse();
    void OnOpenExisting();

    SelectPasswordRequest request_;
    std::string programFolder_;
    FileSystem& files_;
    FileFlowUi& ui_;
    std::string proposal_;
    bool openExisting_ = false;
    std::optional<SelectPasswordResult> result_;
};

}  // namespace kv
