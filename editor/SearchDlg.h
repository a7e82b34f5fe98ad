// The search dialog (CSearchDlg, template 262): a find-next search for
// folders, for records, or for the tray dialog's items, with the histories
// of earlier texts and the two matching options.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "uikit/Dialog.h"
#include "uikit/MessageMap.h"

namespace kv {

// Who searches, and learns of the dialog's end.
class SearchTarget {
public:
    virtual ~SearchTarget() = default;
    virtual void FindNext(const std::string& text) = 0;
    virtual void SearchClosed() = 0;
};

class CSearchDlg : public ui::Mapped<CSearchDlg, ui::Dialog> {
public:
    enum class Mode { Folders, Items, Tray };

    // `history` and `options` (the `SearchOptions` bits) are updated as the user searches.
    CSearchDlg(Mode mode, std::vector<std::string>& history, std::uint32_t& options, SearchTarget& target);

    Mode mode() const { return mode_; }

    static const ui::MessageMap<CSearchDlg>& Messages();

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void UpdateOptions();

    Mode mode_;
    std::vector<std::string>& history_;
    std::uint32_t& options_;
    SearchTarget& target_;
};

}  // namespace kv
