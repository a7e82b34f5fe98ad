// "Ignored sites" (CIgnoredSitesDlg): the sites for which no AutoFill is
// offered, on a copy of the list; entries are removed from the copy, and OK
// keeps it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "uikit/Dialog.h"
#include "uikit/MessageMap.h"

namespace kv {

// Edits `sites`; true when OK left it changed.
bool EditIgnoredSites(HWND owner, std::vector<std::string>& sites);

class CIgnoredSitesDlg : public ui::Mapped<CIgnoredSitesDlg, ui::Dialog> {
public:
    explicit CIgnoredSitesDlg(std::vector<std::string> sites);

    const std::vector<std::string>& sites() const { return sites_; }
    static const ui::MessageMap<CIgnoredSitesDlg>& Messages();

protected:
    bool OnInitDialog() override;

private:
    void ShowSites();
    void OnRemove();

    std::vector<std::string> sites_;
};

}  // namespace kv
