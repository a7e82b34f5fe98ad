#include "transfer/ui/ReportDlg.h"

#include <commctrl.h>

#include <cstdlib>
#include <map>
#include <utility>

#include "desktop/MessageBox.h"
#include "settings/Settings.h"
#include "platform/Locale.h"
#include "resources/resource.h"
#include "transfer/ColumnNames.h"
#include "transfer/ui/ReportPreviewDlg.h"
#include "transfer/ui/ReportPrinter.h"
#include "uikit/Controls.h"
#include "views/GridColumns.h"

namespace kv {
namespace {

constexpr char kProgramName[] = "Kelvandor";
constexpr int kListedSizes[] = {6, 7, 8, 9, 10, 11, 12};
const int kItemBoxes[] = {IDC_REPORT_PASSWORDS, IDC_REPORT_WEB_ADDRESS, IDC_REPORT_EMAIL, IDC_REPORT_COMMENTS};
// Posted by a click on a folder's box, handled once the tree has toggled it.
constexpr UINT kBoxToggled = WM_APP + 1;

static_assert(IDC_REPORT_PASSWORDS == 2000 + kPassword && IDC_REPORT_EMAIL == 2000 + kEmail &&
              IDC_REPORT_WEB_ADDRESS == 2000 + kUrl && IDC_REPORT_COMMENTS == 2000 + kNotes);

bool IsTicked(HWND tree, HTREEITEM item) { return TreeView_GetCheckState(tree, item) == 1; }
void Tick(HWND tree, HTREEITEM item, bool ticked) { TreeView_SetCheckState(tree, item, ticked ? TRUE : FALSE); }

std::string OwnName(const std::string& path) {
    const std::size_t separator = path.rfind(kPathSeparator);
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

// The item that follows `item`'s subtree in pre-order, null at the end.
HTREEITEM AfterSubtree(const ui::TreeView& tree, HTREEITEM item) {
    for (HTREEITEM up = item; up != nullptr; up = tree.Parent(up)) {
        if (const HTREEITEM next = tree.NextSibling(up)) return next;
    }
    return nullptr;
}

std::string ParentPath(const std::string& path) {
    const std::size_t separator = path.rfind(kPathSeparator);
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

}  // namespace

CReportDlg::CReportDlg(ReportSource source, SettingsStorage& storage)
    : Mapped(IDD_REPORT), source_(std::move(source)), storage_(storage) {}

const ui::MessageMap<CReportDlg>& CReportDlg::Messages() {
    static const auto map = ui::MessageMap<CReportDlg>()
                                .Command(IDC_REPORT_FOLDERS_ALL, &CReportDlg::OnFoldersAll)
                                .Command(IDC_REPORT_FOLDERS_NONE, &CReportDlg::OnFoldersNone)
                                .Command(IDC_REPORT_ITEMS_ALL, &CReportDlg::OnItemsAll)
                                .Command(IDC_REPORT_ITEMS_NONE, &CReportDlg::OnItemsNone)
                                .Command(IDC_REPORT_EXPIRED_ONLY, &CReportDlg::OnOptionChanged)
                                .Command(IDC_REPORT_BARS, &CReportDlg::OnOptionChanged)
                                .Command(IDC_REPORT_PAGE_BREAK, &CReportDlg::OnOptionChanged)
                                .Command(IDC_REPORT_PRINT, &CReportDlg::OnPrint)
                                .Command(IDC_REPORT_PREVIEW, &CReportDlg::OnPreview)
                                .Notify(IDC_REPORT_FOLDERS, NM_CLICK, &CReportDlg::OnTreeClick)
                                .Notify(IDC_REPORT_FOLDERS, TVN_KEYDOWN, &CReportDlg::OnTreeKey)
                                .Message(kBoxToggled, &CReportDlg::OnBoxToggled);
    return map;
}

bool CReportDlg::OnInitDialog() {
    settings_ = LoadReportSettings(storage_);
    FillTree();
    // The heading names the program and the open file; it is also stored.
    settings_.ReportHeading = std::string(kProgramName) + " - " + source_.fileName;
    SaveReportSettings(storage_, settings_);
    SetItemText(IDC_REPORT_HEADING, settings_.ReportHeading);
    ui::Edit(Item(IDC_REPORT_HEADING)).LimitText(static_cast<int>(kNameTextSize - 1));
    ui::ComboBox sizes(Item(IDC_REPORT_FONT_SIZE));
    for (const int size : kListedSizes) sizes.Add(std::to_string(size));
    SetItemText(IDC_REPORT_FONT_SIZE, std::to_string(ShownReportFontSize(settings_)));
    Check(IDC_REPORT_EXPIRED_ONLY, settings_.ReportExpiredOnly != 0);
    Check(IDC_REPORT_BARS, settings_.ReportBars != 0);
    Check(IDC_REPORT_PAGE_BREAK, settings_.ReportPageBreak != 0);
    return true;
}

void CReportDlg::FillTree() {
    ui::TreeView tree(Item(IDC_REPORT_FOLDERS));
    // The check boxes come now rather than from the template: a tree made with
    // them may not keep the ticks set at once.
    SetWindowLongPtrA(tree.hwnd(), GWL_STYLE, GetWindowLongPtrA(tree.hwnd(), GWL_STYLE) | TVS_CHECKBOXES);
    std::map<std::string, HTREEITEM> items;
    for (std::size_t i = 0; i < source_.tree.size(); ++i) {
        const std::string& path = source_.tree[i].path;
        const auto parent = items.find(ParentPath(path));
        const HTREEITEM item = tree.Insert(parent == items.end() ? TVI_ROOT : parent->second, OwnName(path),
                                           static_cast<LPARAM>(i));
        items[path] = item;
        Tick(tree.hwnd(), item, true);
    }
    for (HTREEITEM item = tree.Root(); item != nullptr; item = tree.NextInPreOrder(item)) tree.Expand(item);
    if (tree.Root() != nullptr) tree.Select(tree.Root());
    RememberTicks();
}

void CReportDlg::TickAllFolders(bool ticked) {
    ui::TreeView tree(Item(IDC_REPORT_FOLDERS));
    for (HTREEITEM item = tree.Root(); item != nullptr; item = tree.NextInPreOrder(item)) {
        Tick(tree.hwnd(), item, ticked);
    }
    RememberTicks();
}

void CReportDlg::TickItems(bool ticked) {
    for (const int id : kItemBoxes) Check(id, ticked);
}

LRESULT CReportDlg::OnTreeClick(NMHDR&) {
    // The tree toggles a box after it reports the click.
    PostMessageA(hwnd(), kBoxToggled, 0, 0);
    return 0;
}

LRESULT CReportDlg::OnTreeKey(NMHDR& header) {
    if (reinterpret_cast<const NMTVKEYDOWN&>(header).wVKey == VK_SPACE) PostMessageA(hwnd(), kBoxToggled, 0, 0);
    return 0;
}

LRESULT CReportDlg::OnBoxToggled(WPARAM, LPARAM) {
    // A box that was ticked and is clear now clears every box below it;
    // ticking a box ticks only it.
    ui::TreeView tree(Item(IDC_REPORT_FOLDERS));
    for (HTREEITEM item = tree.Root(); item != nullptr; item = tree.NextInPreOrder(item)) {
        if (IsTicked(tree.hwnd(), item) || !ticked_[item]) continue;
        const HTREEITEM end = AfterSubtree(tree, item);
        for (HTREEITEM below = tree.NextInPreOrder(item); below != end; below = tree.NextInPreOrder(below)) {
            Tick(tree.hwnd(), below, false);
        }
    }
    RememberTicks();
    return 0;
}

void CReportDlg::RememberTicks() {
    ui::TreeView tree(Item(IDC_REPORT_FOLDERS));
    ticked_.clear();
    for (HTREEITEM item = tree.Root(); item != nullptr; item = tree.NextInPreOrder(item)) {
        ticked_[item] = IsTicked(tree.hwnd(), item);
    }
}

void CReportDlg::OnOptionChanged() {
    settings_.ReportExpiredOnly = IsChecked(IDC_REPORT_EXPIRED_ONLY) ? 1 : 0;
    settings_.ReportBars = IsChecked(IDC_REPORT_BARS) ? 1 : 0;
    settings_.ReportPageBreak = IsChecked(IDC_REPORT_PAGE_BREAK) ? 1 : 0;
    SaveReportSettings(storage_, settings_);
}

bool CReportDlg::AnyFolderTicked() const {
    ui::TreeView tree(Item(IDC_REPORT_FOLDERS));
    for (HTREEITEM item = tree.Root(); item != nullptr; item = tree.NextInPreOrder(item)) {
        if (IsTicked(tree.hwnd(), item)) return true;
    }
    return false;
}

std::vector<ReportSection> CReportDlg::Sections() const {
    ui::TreeView tree(Item(IDC_REPORT_FOLDERS));
    std::vector<ReportTreeItem> items;
    for (HTREEITEM item = tree.Root(); item != nullptr; item = tree.NextInPreOrder(item)) {
        items.push_back({source_.tree.at(static_cast<std::size_t>(tree.ItemData(item))), IsTicked(tree.hwnd(), item)});
    }
    const AppSettings& settings = source_.settings;
    return BuildReportSections(source_.folders, items,
                               [&settings](Category category) { return GridColumns(settings, category); });
}

ReportOptions CReportDlg::Options() const {
    ReportOptions options;
    options.title = ItemText(IDC_REPORT_HEADING);
    options.fontSize = ClampReportFontSize(std::atoi(ItemText(IDC_REPORT_FONT_SIZE).c_str()));
    options.passwords = IsChecked(IDC_REPORT_PASSWORDS);
    options.webAddress = IsChecked(IDC_REPORT_WEB_ADDRESS);
    options.email = IsChecked(IDC_REPORT_EMAIL);
    options.comments = IsChecked(IDC_REPORT_COMMENTS);
    options.expiredOnly = IsChecked(IDC_REPORT_EXPIRED_ONLY);
    options.bars = IsChecked(IDC_REPORT_BARS);
    options.pageBreakPerTopLevelFolder = IsChecked(IDC_REPORT_PAGE_BREAK);
    return options;
}

void CReportDlg::StoreHeadingAndSize() {
    const ReportOptions options = Options();
    settings_.ReportHeading = options.title;
    settings_.ReportFontSize = options.fontSize;
    SaveReportSettings(storage_, settings_);
}

void CReportDlg::OnPrint() {
    if (!AnyFolderTicked()) {
        ShowMessage("No folders are selected.");
        return;
    }
    settings_.ReportHeading = ItemText(IDC_REPORT_HEADING);
    SaveReportSettings(storage_, settings_);
    std::string failure;
    const HDC dc = printer_.Choose(hwnd(), failure);
    if (dc == nullptr) {
        if (!failure.empty()) ShowMessage(failure, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    StoreHeadingAndSize();
    const ReportOptions options = Options();
    const std::vector<ReportSection> sections = Sections();
    const FieldNames names = CurrentFieldNames(source_.settings);
    failure = CReportPrinter(dc, PaperOfDevice(dc)).Print(kProgramName, {sections, options, names, SystemLocale()});
    DeleteDC(dc);
    if (!failure.empty()) ShowMessage(failure, MB_OK | MB_ICONEXCLAMATION);
}

void CReportDlg::OnPreview() {
    StoreHeadingAndSize();
    const ReportOptions options = Options();
    const std::vector<ReportSection> sections = Sections();
    const FieldNames names = CurrentFieldNames(source_.settings);
    constexpr int kFallbackDotsPerInch = 600;
    const ReportPaper paper = printer_.Paper().value_or(A4Paper(kFallbackDotsPerInch));
    CReportPreviewDlg preview({sections, options, names, SystemLocale()}, paper);
    preview.DoModal(hwnd());
}

}  // namespace kv
