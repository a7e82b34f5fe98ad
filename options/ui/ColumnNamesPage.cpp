#include "options/ui/ColumnNamesPage.h"

#include <vector>

#include "resources/ColumnBitmaps.h"
#include "resources/resource.h"
#include "settings/Settings.h"

namespace kv {
namespace {

constexpr int kColumnNameLength = 32;
constexpr int kPasswordColumn = 2;
constexpr int kAssignedColumn = 9;
constexpr int kExpiresColumn = 10;
constexpr int kPickerGap = 2;

}  // namespace

CColumnNamesPage::CColumnNamesPage(OptionsHost& host) : Mapped(IDD_COLUMN_NAMES_PAGE, host) {}

const ui::MessageMap<CColumnNamesPage>& CColumnNamesPage::Messages() {
    static const auto map =
        ui::MessageMap<CColumnNamesPage>()
            .ControlRange(IDC_COLUMN_FIRST, IDC_COLUMN_FIRST + kColumnBoxes - 1, EN_CHANGE, &CColumnNamesPage::OnNameChanged)
            .CommandRange(IDC_COLUMN_ICON_FIRST, IDC_COLUMN_ICON_FIRST + kColumnBoxes - 1, &CColumnNamesPage::OnIconButton)
            .Control(IDC_ICON_COMBO, CBN_SELCHANGE, &CColumnNamesPage::OnIconChosen)
            .Control(IDC_ICON_COMBO, CBN_KILLFOCUS, &CColumnNamesPage::OnPickerLeft)
            .Command(IDC_RESTORE_NAMES, &CColumnNamesPage::OnRestoreDefaults)
            .DrawItem(&CColumnNamesPage::OnDrawItem);
    return map;
}

bool CColumnNamesPage::OnInitDialog() {
    for (int column = 0; column < kColumnBoxes; ++column) {
        ui::Edit(Item(IDC_COLUMN_FIRST + column)).LimitText(kColumnNameLength);
        buttons_[static_cast<std::size_t>(column)].Attach(Item(IDC_COLUMN_ICON_FIRST + column));
    }
    picker_.Attach(Item(IDC_ICON_COMBO));
    pictures_ = ui::BuildImageList(std::vector<UINT>(std::begin(kColumnBitmaps), std::end(kColumnBitmaps)), 16);
    picker_.ShowImages(pictures_.get(), kColumnBitmapCount);
    picker_.Show(false);
    ShowColumns();
    ready_ = true;
    return true;
}

void CColumnNamesPage::ShowColumns() {
    const bool wasReady = ready_;
    ready_ = false;
    const AppSettings& settings = Settings();
    for (int column = 0; column < kColumnBoxes; ++column) {
        const auto slot = static_cast<std::size_t>(column);
        SetItemText(IDC_COLUMN_FIRST + column, settings.ColumnNames[slot]);
        buttons_[slot].SetImage(static_cast<UINT>(settings.ColumnIcons[slot]));
    }
    ready_ = wasReady;
}

void CColumnNamesPage::OnNameChanged(UINT id) {
    if (!ready_) return;
    const int column = static_cast<int>(id) - IDC_COLUMN_FIRST;
    Settings().ColumnNames[static_cast<std::size_t>(column)] = ItemText(static_cast<int>(id));
}

void CColumnNamesPage::OnIconButton(UINT id) {
    const int column = static_cast<int>(id) - IDC_COLUMN_ICON_FIRST;
    SetItemText(IDC_NAMES_MESSAGE, "");
    SetItemText(IDC_NAMES_DATE_MESSAGE, "");
    if (column == kPasswordColumn) {
        SetItemText(IDC_NAMES_MESSAGE, "You cannot change the icon for passwords");
        return;
    }
    if (column == kAssignedColumn || column == kExpiresColumn) {
        SetItemText(IDC_NAMES_DATE_MESSAGE, "You cannot change the icon for dates");
        return;
    }
    pickingColumn_ = column;
    const RECT button = buttons_[static_cast<std::size_t>(column)].Rect();
    SetWindowPos(picker_.hwnd(), HWND_TOP, button.right + kPickerGap, button.top, 0, 0, SWP_NOSIZE);
    picker_.Select(ColumnBitmapIndex(static_cast<unsigned>(Settings().ColumnIcons[static_cast<std::size_t>(column)])));
    picker_.Show(true);
    picker_.Focus();
    picker_.DropDown(true);
}

void CColumnNamesPage::OnIconChosen() {
    const int chosen = picker_.Selection();
    if (pickingColumn_ < 0 || chosen < 0 || chosen >= kColumnBitmapCount) return;
    const auto slot = static_cast<std::size_t>(pickingColumn_);
    Settings().ColumnIcons[slot] = static_cast<int>(kColumnBitmaps[chosen]);
    buttons_[slot].SetImage(kColumnBitmaps[chosen]);
}

void CColumnNamesPage::OnRestoreDefaults() {
    ResetColumnNames(Settings());
    ShowColumns();
}

bool CColumnNamesPage::OnDrawItem(UINT id, const DRAWITEMSTRUCT& item) {
    const int column = static_cast<int>(id) - IDC_COLUMN_ICON_FIRST;
    if (column < 0 || column >= kColumnBoxes) return false;
    buttons_[static_cast<std::size_t>(column)].Draw(item);
    return true;
}

}  // namespace kv
