#include "webforms/ui/IgnoredSitesDlg.h"

#include <utility>

#include "resources/resource.h"
#include "uikit/Controls.h"

namespace kv {

bool EditIgnoredSites(HWND owner, std::vector<std::string>& sites) {
    CIgnoredSitesDlg dialog(sites);
    if (dialog.DoModal(owner) != IDOK || dialog.sites() == sites) return false;
    sites = dialog.sites();
    return true;
}

CIgnoredSitesDlg::CIgnoredSitesDlg(std::vector<std::string> sites) : Mapped(IDD_IGNORED_SITES), sites_(std::move(sites)) {}

const ui::MessageMap<CIgnoredSitesDlg>& CIgnoredSitesDlg::Messages() {
    static const auto map = ui::MessageMap<CIgnoredSitesDlg>().Command(IDC_IGNORED_REMOVE, &CIgnoredSitesDlg::OnRemove);
    return map;
}

bool CIgnoredSitesDlg::OnInitDialog() {
    ShowSites();
    return true;
}

void CIgnoredSitesDlg::ShowSites() {
    ui::ListBox list(Item(IDC_IGNORED_LIST));
    list.Clear();
    for (const std::string& site : sites_) list.Insert(-1, site, 0);
    if (!sites_.empty()) list.Send(LB_SETSEL, TRUE, 0);
    SetItemText(IDC_IGNORED_TOTAL, sites_.empty() ? std::string("There are no sites in your list.")
                                                  : "Total items: " + std::to_string(sites_.size()));
    EnableItem(IDC_IGNORED_REMOVE, !sites_.empty());
}

void CIgnoredSitesDlg::OnRemove() {
    ui::ListBox list(Item(IDC_IGNORED_LIST));
    // From the last selected entry back, so the indexes still to come hold.
    for (int index = list.Count() - 1; index >= 0; --index) {
        if (list.Send(LB_GETSEL, static_cast<WPARAM>(index)) > 0) sites_.erase(sites_.begin() + index);
    }
    ShowSites();
}

}  // namespace kv
