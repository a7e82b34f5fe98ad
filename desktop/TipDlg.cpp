#include "desktop/TipDlg.h"

#include "desktop/Tips.h"
#include "resources/resource.h"
#include "uikit/Module.h"
#include "uikit/RichEdit.h"

namespace kv {

CTipDlg::CTipDlg(SettingsStorage& storage) : Mapped(IDD_TIP_OF_THE_DAY), storage_(storage) {
    if (std::unique_ptr<SettingsStore> store = storage_.OpenExisting()) {
        next_ = FirstTipIndex(static_cast<int>(store->ReadNumber("FilePos").value_or(0)));
    }
}

CTipDlg::~CTipDlg() {
    if (std::unique_ptr<SettingsStore> store = storage_.OpenOrCreate()) {
        store->WriteNumber("FilePos", static_cast<std::uint32_t>(next_));
    }
}

bool CTipDlg::ShowAtStartup(SettingsStorage& storage) {
    std::unique_ptr<SettingsStore> store = storage.OpenExisting();
    return !store || store->ReadNumber("ShowTips").value_or(1) != 0;
}

const ui::MessageMap<CTipDlg>& CTipDlg::Messages() {
    static const auto map = ui::MessageMap<CTipDlg>().Command(IDC_NEXT_TIP, &CTipDlg::ShowNextTip);
    return map;
}

bool CTipDlg::OnInitDialog() {
    Check(IDC_SHOW_TIPS, ShowAtStartup(storage_));
    ShowNextTip();
    return true;
}

void CTipDlg::ShowNextTip() {
    next_ = FirstTipIndex(next_);
    ui::SetRichText(Item(IDC_TIP_TEXT), TipDocument(ui::LoadText(TipStringId(next_))));
    ++next_;
}

void CTipDlg::OnOK() {
    if (std::unique_ptr<SettingsStore> store = storage_.OpenOrCreate()) {
        store->WriteNumber("ShowTips", IsChecked(IDC_SHOW_TIPS) ? 1 : 0);
    }
    EndDialog(IDOK);
}

}  // namespace kv
