#include "transfer/ui/ExportPage.h"

#include "db/FileMessages.h"
#include "desktop/MessageBox.h"
#include "platform/FileSystem.h"
#include "resources/resource.h"
#include "uikit/Dialog.h"

namespace kv {
namespace {

constexpr char kOpenFailed[] = "Could not open the file.";

}  // namespace

CExportPage::CExportPage(TransferContext& context) : Mapped(IDD_EXPORT_PAGE), context_(context) {}

const ui::MessageMap<CExportPage>& CExportPage::Messages() {
    static const auto map = ui::MessageMap<CExportPage>()
                                .Command(IDC_TREE_SELECT_ALL, &CExportPage::OnSelectAllFolders)
                                .Command(IDC_TREE_SELECT_NONE, &CExportPage::OnSelectNoFolders)
                                .Command(IDC_FIELDS_SELECT_ALL, &CExportPage::OnSelectAllFields)
                                .Command(IDC_FIELDS_SELECT_NONE, &CExportPage::OnSelectNoFields)
                                .Command(IDC_TRANSFER_FILE, &CExportPage::ExportRecords);
    return map;
}

bool CExportPage::OnInitDialog() {
    tree_.Fill(Item(IDC_TRANSFER_TREE), context_.db.Folders, true);
    for (std::size_t field = 0; field < kFieldCount; ++field) {
        const int id = IDC_FIELD_BOX_FIRST + static_cast<int>(field);
        SetItemText(id, context_.names[field]);
        Check(id, true);
    }
    return true;
}

void CExportPage::CheckFields(bool ticked) const {
    for (int field = 0; field < static_cast<int>(kFieldCount); ++field) Check(IDC_FIELD_BOX_FIRST + field, ticked);
    Check(IDC_EXPORT_FOLDER_NAMES, ticked);
}

ExportOptions CExportPage::Options() const {
    ExportOptions options;
    options.folders = tree_.CheckedFolders();
    for (int field = 0; field < static_cast<int>(kFieldCount); ++field) {
        if (IsChecked(IDC_FIELD_BOX_FIRST + field)) options.fields.push_back(field);
    }
    options.folderNames = IsChecked(IDC_EXPORT_FOLDER_NAMES);
    options.heading = IsChecked(IDC_EXPORT_HEADING);
    options.utf8 = IsChecked(IDC_EXPORT_UTF8);
    return options;
}

void CExportPage::ExportRecords() {
    const ui::FileDialogOptions dialog = TransferFileDialog(
        context_, "Export password file", "Export files (*.csv)|*.csv|Text files (*.txt)|*.txt|All Files (*.*)|*.*||",
        "csv");
    const std::optional<std::string> path = context_.choose(hwnd(), dialog, FileChoice::Save);
    if (!path) return;
    std::string error;
    switch (WriteExportFile(context_, *path, Options(), error)) {
        case ExportOutcome::OpenFailed:
            ShowMessage(TransferErrorMessage(kOpenFailed, error, *path));
            return;
        case ExportOutcome::WriteFailed:
            ShowMessage(TransferErrorMessage("", error, *path));
            break;
        case ExportOutcome::Written:
            break;
    }
    ui::Dialog(IDD_EXPORT_NOTICE).DoModal(hwnd());
}

ExportOutcome WriteExportFile(TransferContext& context, const std::string& path, const ExportOptions& options,
                              std::string& errorText) {
    FileSystem& files = context.files;
    // What cannot be opened for writing is not replaced either.
    FileFacts facts;
    if (!files.Inspect(path, facts)) {
        errorText = files.LastErrorText();
        return ExportOutcome::OpenFailed;
    }
    if (facts.exists && (!facts.regular || facts.readOnly)) {
        errorText = facts.regular ? kReadOnlyText : kNotAFileText;
        return ExportOutcome::OpenFailed;
    }
    std::string written;
    std::unique_ptr<OutputFile> file = files.CreateBeside(path, written);
    if (!file) {
        errorText = files.LastErrorText();
        return ExportOutcome::OpenFailed;
    }
    // The system's text is read at the first step that fails, before closing changes it.
    const auto fail = [&] {
        errorText = files.LastErrorText();
        file.reset();
        files.Remove(written);
        return ExportOutcome::WriteFailed;
    };
    const auto sink = [&file](std::string_view bytes) { return file->Write(bytes.data(), bytes.size()); };
    if (!ExportCsv(context.db, options, context.names, context.locale, sink)) return fail();
    if (!file->FlushAndClose() || !files.Replace(written, path)) return fail();
    return ExportOutcome::Written;
}

}  // namespace kv
