#include "transfer/ui/ImportPage.h"

#include <algorithm>
#include <cstdlib>

#include "desktop/MessageBox.h"
#include "transfer/CsvImport.h"
#include "resources/resource.h"

namespace kv {
namespace {

constexpr char kSkipField[] = "Skip field";
constexpr int kSkip = -1;
constexpr int kMostSkippedLines = 10;
constexpr char kOpenFailed[] = "Could not open the import file.";
constexpr char kNoHeadingText[] = "The file has no heading line to take the order of its columns from.";
constexpr char kImportLabel[] = "Import records";

}  // namespace

CImportPage::CImportPage(TransferContext& context) : Mapped(IDD_IMPORT_PAGE, context) {}

std::optional<std::string> CImportPage::ChooseFile() const {
    ui::FileDialogOptions dialog = TransferFileDialog(context_, "Import password file",
                                                      "Import files (*.csv)|*.csv|All Files (*.*)|*.*||", "csv");
    dialog.initialName = headingFile_;
    return context_.choose(hwnd(), dialog, FileChoice::Open);
}

const ui::MessageMap<CImportPage>& CImportPage::Messages() {
    static const auto map = ui::MessageMap<CImportPage>()
                                .Command(IDC_ORDER_ADD, &CImportPage::OnAdd)
                                .Command(IDC_ORDER_REMOVE, &CImportPage::OnRemove)
                                .Command(IDC_ORDER_UP, &CImportPage::OnUp)
                                .Command(IDC_ORDER_DOWN, &CImportPage::OnDown)
                                .Command(IDC_SKIP_LINES, &CImportPage::OnSkipLines)
                                .Command(IDC_ORDER_FROM_HEADING, &CImportPage::OnFromHeading)
                                .Command(IDC_TRANSFER_FILE, &CImportPage::ImportRecords);
    return map;
}

bool CImportPage::OnInitDialog() {
    CTargetFolderPage::OnInitDialog();
    items_.Attach(Item(IDC_ITEMS_LIST));
    order_.Attach(Item(IDC_ORDER_LIST));
    SetOrder({});
    SendDlgItemMessageA(hwnd(), IDC_SKIP_SPIN, UDM_SETRANGE32, 0, kMostSkippedLines);
    SendDlgItemMessageA(hwnd(), IDC_SKIP_SPIN, UDM_SETPOS32, 0, 0);
    SendDlgItemMessageA(hwnd(), IDC_SKIP_COUNT, EM_LIMITTEXT, 2, 0);
    return true;
}

std::string CImportPage::NameOf(int field) const {
    return field == kSkip ? kSkipField : context_.names[static_cast<std::size_t>(field)];
}

void CImportPage::SetOrder(const std::vector<int>& order) {
    items_.Clear();
    order_.Clear();
    items_.Insert(-1, kSkipField, kSkip);
    for (int field = 0; field < static_cast<int>(kFieldCount); ++field) {
        if (std::find(order.begin(), order.end(), field) == order.end()) items_.Insert(-1, NameOf(field), field);
    }
    for (const int field : order) order_.Insert(-1, NameOf(field), field);
    items_.Select(0);
    UpdateImportButton();
}

void CImportPage::OnAdd() {
    const int selected = items_.Selection();
    if (selected < 0) return;
    const int field = static_cast<int>(items_.ItemData(selected));
    order_.Select(order_.Insert(-1, items_.ItemText(selected), field));
    // "Skip field" stays to be added again; a field leaves the list.
    if (field != kSkip) {
        items_.Remove(selected);
        items_.Select(std::min(selected, items_.Count() - 1));
    }
    UpdateImportButton();
}

void CImportPage::OnRemove() {
    const int selected = order_.Selection();
    if (selected < 0) return;
    const int field = static_cast<int>(order_.ItemData(selected));
    const std::string text = order_.ItemText(selected);
    order_.Remove(selected);
    order_.Select(std::min(selected, order_.Count() - 1));
    if (field != kSkip) ReturnToItems(text, field);
    UpdateImportButton();
}

void CImportPage::ReturnToItems(const std::string& text, int field) {
    int at = 0;
    while (at < items_.Count() && static_cast<int>(items_.ItemData(at)) < field) ++at;
    items_.Select(items_.Insert(at, text, field));
}

void CImportPage::MoveSelection(int step) {
    const int selected = order_.Selection();
    const int target = selected + step;
    if (selected < 0 || order_.Count() < 2 || target < 0 || target >= order_.Count()) return;
    const LPARAM field = order_.ItemData(selected);
    const std::string text = order_.ItemText(selected);
    order_.Remove(selected);
    order_.Select(order_.Insert(target, text, field));
}

void CImportPage::OnSkipLines() {
    const bool on = IsChecked(IDC_SKIP_LINES);
    EnableItem(IDC_SKIP_COUNT, on);
    EnableItem(IDC_SKIP_SPIN, on);
}

std::vector<int> CImportPage::Order() const {
    std::vector<int> order;
    for (int i = 0; i < order_.Count(); ++i) order.push_back(static_cast<int>(order_.ItemData(i)));
    return order;
}

std::size_t CImportPage::SkipCount() const {
    if (!IsChecked(IDC_SKIP_LINES)) return 0;
    return static_cast<std::size_t>(std::strtoul(ItemText(IDC_SKIP_COUNT).c_str(), nullptr, 10));
}

void CImportPage::UpdateImportButton() { EnableItem(IDC_TRANSFER_FILE, order_.Count() > 0); }

void CImportPage::OnFromHeading() {
    const std::optional<std::string> path = ChooseFile();
    if (!path) return;
    const std::optional<std::string> bytes = ReadFile(*path, kOpenFailed);
    if (!bytes) return;
    const std::vector<std::string> heading = HeadingOf(*bytes, context_.locale);
    if (heading.empty()) {
        ShowMessage(kNoHeadingText);
        return;
    }
    SetOrder(ProposeOrder(heading, context_.names, context_.locale));
    // The heading line itself is no record.
    Check(IDC_SKIP_LINES, true);
    SendDlgItemMessageA(hwnd(), IDC_SKIP_SPIN, UDM_SETPOS32, 0, 1);
    OnSkipLines();
    headingFile_ = *path;
}

void CImportPage::ImportRecords() {
    const int target = Target();
    if (target < 0) return;
    const std::optional<std::string> path = ChooseFile();
    if (!path) return;
    ImportOptions options;
    options.order = Order();
    options.skipLines = SkipCount();
    std::optional<std::string> bytes = ReadFile(*path, kOpenFailed);
    if (!bytes) return;
    ImportResult result = ImportCsv(std::move(*bytes), options, context_.locale);
    // The summary is written first: the records then move into the folder.
    const std::string summary = ImportSummary(result);
    if (!result.records.empty()) {
        const std::vector<Folder> before = context_.db.Folders;
        if (AddImportedRecords(context_.db, target, std::move(result.records))) Imported(kImportLabel, before);
    }
    ShowMessage(summary);
}

}  // namespace kv
