#include "transfer/ui/TargetFolderPage.h"

#include "desktop/MessageBox.h"
#include "resources/resource.h"

namespace kv {
namespace {

// Posted after a click or a space in the tree, so that it comes after the
// tree's own change of a box: that box is ticked and every other cleared.
constexpr UINT kTickOnlyMessage = WM_APP + 1;

constexpr char kNoTargetText[] = "You must select a folder to import to.";

}  // namespace

CTargetFolderPage::CTargetFolderPage(UINT templateId, TransferContext& context) : Mapped(templateId), context_(context) {}

const ui::MessageMap<CTargetFolderPage>& CTargetFolderPage::Messages() {
    static const auto map = ui::MessageMap<CTargetFolderPage>()
                                .Notify(IDC_TRANSFER_TREE, NM_CLICK, &CTargetFolderPage::OnTreeClick)
                                .Notify(IDC_TRANSFER_TREE, TVN_KEYDOWN, &CTargetFolderPage::OnTreeKey)
                                .Message(kTickOnlyMessage, &CTargetFolderPage::OnTickOnly);
    return map;
}

bool CTargetFolderPage::OnInitDialog() {
    tree_.Fill(Item(IDC_TRANSFER_TREE), context_.db.Folders, false);
    return true;
}

LRESULT CTargetFolderPage::OnTreeClick(NMHDR&) {
    Post(kTickOnlyMessage);
    return 0;
}

LRESULT CTargetFolderPage::OnTreeKey(NMHDR& header) {
    if (reinterpret_cast<const NMTVKEYDOWN&>(header).wVKey == VK_SPACE) Post(kTickOnlyMessage);
    return 0;
}

LRESULT CTargetFolderPage::OnTickOnly(WPARAM, LPARAM) {
    if (HTREEITEM changed = tree_.ChangedBox()) tree_.TickOnly(changed);
    return 0;
}

int CTargetFolderPage::Target() const {
    const int target = tree_.FirstCheckedFolder();
    if (target < 0) ShowMessage(kNoTargetText);
    return target;
}

void CTargetFolderPage::Imported(const std::string& label, const std::vector<Folder>& before) const {
    if (context_.imported) context_.imported(label, before);
}

}  // namespace kv
