#include "editor/SearchDlg.h"

#include "resources/resource.h"
#include "uikit/Controls.h"
#include "views/SearchMatch.h"

namespace kv {
namespace {

constexpr std::size_t kHistoryLength = 5;

}  // namespace

CSearchDlg::CSearchDlg(Mode mode, std::vector<std::string>& history, std::uint32_t& options, SearchTarget& target)
    : Mapped(IDD_SEARCH), mode_(mode), history_(history), options_(options), target_(target) {}

const ui::MessageMap<CSearchDlg>& CSearchDlg::Messages() {
    static const auto map = ui::MessageMap<CSearchDlg>()
                                .Command(IDC_WHOLE_WORD, &CSearchDlg::UpdateOptions)
                                .Command(IDC_MATCH_CASE, &CSearchDlg::UpdateOptions);
    return map;
}

bool CSearchDlg::OnInitDialog() {
    SetText(mode_ == Mode::Folders ? "Search folders" : "Search items");
    Check(IDC_WHOLE_WORD, (options_ & kSearchAnywhere) == 0);
    Check(IDC_MATCH_CASE, (options_ & kSearchIgnoreCase) == 0);
    ui::ComboBox combo(Item(IDC_SEARCH_TEXT));
    for (const std::string& text : history_) combo.Add(text);
    if (combo.Count() > 0) combo.Select(0);
    return true;
}

void CSearchDlg::UpdateOptions() {
    options_ = (IsChecked(IDC_WHOLE_WORD) ? 0 : kSearchAnywhere) | (IsChecked(IDC_MATCH_CASE) ? 0 : kSearchIgnoreCase);
}

void CSearchDlg::OnOK() {
    ui::ComboBox combo(Item(IDC_SEARCH_TEXT));
    const std::string text = combo.Text();
    // A new text goes to the top of the list (compared exactly, letter case included).
    bool present = text.empty();
    for (int i = 0; i < combo.Count() && !present; ++i) present = combo.ItemText(i) == text;
    if (!present) {
        SendMessageA(combo.hwnd(), CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        combo.SetText(text);
    }
    history_.clear();
    for (int i = 0; i < combo.Count() && history_.size() < kHistoryLength; ++i) history_.push_back(combo.ItemText(i));
    target_.FindNext(text);
}

void CSearchDlg::OnCancel() {
    target_.SearchClosed();
    if (IsModal()) {
        EndDialog(IDCANCEL);
    } else {
        Destroy();
    }
}

}  // namespace kv
