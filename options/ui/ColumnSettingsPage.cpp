#include "options/ui/ColumnSettingsPage.h"

#include "db/Record.h"
#include "desktop/MessageBox.h"
#include "options/OptionRules.h"
#include "resources/resource.h"
#include "uikit/Controls.h"
#include "uikit/ToolTips.h"

namespace kv {
namespace {

// The radio of each category 1 to 4.
constexpr int kCategoryRadios[] = {IDC_CATEGORY_DEFAULT, IDC_CATEGORY_INTERNET, IDC_CATEGORY_BANKING,
                                   IDC_CATEGORY_SOFTWARE};
constexpr int kCategoryNameLength = 32;

}  // namespace

CColumnSettingsPage::CColumnSettingsPage(OptionsHost& host) : Mapped(IDD_COLUMN_SETTINGS_PAGE, host) {}

const ui::MessageMap<CColumnSettingsPage>& CColumnSettingsPage::Messages() {
    static const auto map = [] {
        ui::MessageMap<CColumnSettingsPage> m;
        for (const int radio : kCategoryRadios) m.CommandRange(radio, radio, &CColumnSettingsPage::OnCategory);
        m.CommandRange(IDC_COLUMN_FIRST, IDC_COLUMN_FIRST + kColumnBoxes - 1, &CColumnSettingsPage::OnColumnBox)
            .Control(IDC_CATEGORY_NAME, EN_KILLFOCUS, &CColumnSettingsPage::OnNameLeft)
            .Command(IDC_RESTORE_COLUMNS, &CColumnSettingsPage::OnRestoreDefaults)
            .Control(IDC_DEFAULT_CATEGORY, CBN_SELCHANGE, &CColumnSettingsPage::OnDefaultCategory);
        return m;
    }();
    return map;
}

bool CColumnSettingsPage::OnInitDialog() {
    tips_ = ui::AddToolTips(hwnd(), {});
    ui::Edit(Item(IDC_CATEGORY_NAME)).LimitText(kCategoryNameLength);
    for (int column = 0; column < kColumnBoxes; ++column) {
        SetItemText(IDC_COLUMN_FIRST + column, LiteralCaption(Settings().ColumnNames[static_cast<std::size_t>(column)]));
    }
    category_ = 1;
    Check(kCategoryRadios[0], true);
    ShowCategoryNames();
    ShowCategory();
    return true;
}

void CColumnSettingsPage::ShowCategoryNames() {
    const AppSettings& settings = Settings();
    ui::ComboBox defaults(Item(IDC_DEFAULT_CATEGORY));
    defaults.Clear();
    for (int category = 1; category <= 4; ++category) {
        const std::string& name = settings.CategoryNames[static_cast<std::size_t>(category - 1)];
        HWND radio = Item(kCategoryRadios[category - 1]);
        SetWindowTextA(radio, LiteralCaption(name).c_str());
        ui::SetToolTip(tips_, hwnd(), radio, name);
        defaults.Add(name);
    }
    const int chosen = static_cast<int>(settings.DefaultCategory) - 1;
    defaults.Select(chosen >= 0 && chosen < 4 ? chosen : 0);
    SetItemText(IDC_COLUMNS_GROUP,
                LiteralCaption(settings.CategoryNames[static_cast<std::size_t>(category_ - 1)]) + " columns");
}

void CColumnSettingsPage::ShowCategory() {
    const AppSettings& settings = Settings();
    SetItemText(IDC_CATEGORY_NAME, settings.CategoryNames[static_cast<std::size_t>(category_ - 1)]);
    const ColumnList& list = settings.ColumnSets[static_cast<std::size_t>(category_ - 1)];
    for (int column = 0; column < kColumnBoxes; ++column) Check(IDC_COLUMN_FIRST + column, ListHoldsColumn(list, column));
    ShowCategoryNames();
}

void CColumnSettingsPage::OnCategory(UINT id) {
    for (int category = 1; category <= 4; ++category) {
        if (kCategoryRadios[category - 1] == static_cast<int>(id) && IsChecked(static_cast<int>(id))) category_ = category;
    }
    ShowCategory();
}

void CColumnSettingsPage::OnColumnBox(UINT id) {
    std::array<bool, kColumnBoxes> ticked{};
    for (int column = 0; column < kColumnBoxes; ++column) ticked[static_cast<std::size_t>(column)] = IsChecked(IDC_COLUMN_FIRST + column);
    const std::optional<ColumnList> list = ColumnListOfBoxes(ticked);
    if (!list) {
        // A category shows at least one column: the box stays ticked.
        Check(static_cast<int>(id), true);
        SetFocus(hwnd());
        ShowMessage("You must select at least one column");
        return;
    }
    Settings().ColumnSets[static_cast<std::size_t>(category_ - 1)] = *list;
    Host().ApplyColumns();
}

void CColumnSettingsPage::OnNameLeft() {
    const std::string name = ItemText(IDC_CATEGORY_NAME);
    if (name.empty()) return;
    Settings().CategoryNames[static_cast<std::size_t>(category_ - 1)] = name;
    ShowCategoryNames();
}

void CColumnSettingsPage::OnRestoreDefaults() {
    ResetColumnSet(Settings(), category_);
    Settings().CategoryNames[static_cast<std::size_t>(category_ - 1)] = DefaultCategoryName(category_);
    ShowCategory();
    Host().ApplyColumns();
}

void CColumnSettingsPage::OnDefaultCategory() {
    const int chosen = ui::ComboBox(Item(IDC_DEFAULT_CATEGORY)).Selection();
    if (chosen >= 0) Settings().DefaultCategory = static_cast<std::uint32_t>(chosen + 1);
}

}  // namespace kv
