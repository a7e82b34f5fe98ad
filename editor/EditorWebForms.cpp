// The editor's web-form commands: the form-data editor of the current
// record (one undo level), the ignored sites, and the launch button, which
// fills a record's web form through the program when it has one.
#include "editor/EditorView.h"

#include <shellapi.h>

#include "resources/resource.h"
#include "transfer/ColumnNames.h"
#include "webforms/ui/FormDataDlg.h"
#include "webforms/ui/IgnoredSitesDlg.h"

namespace kv {

void CEditorView::OnEditFormData() {
    grid_->CommitEditor();
    const Record* record = grid_->CurrentRecord();
    if (record == nullptr || record->formData.empty()) return;
    EditorHost& app = host_;
    FormDataEditing editing{app.Database, CurrentFieldNames(app.Settings), app.Settings.Mask != 0,
                            [&](const std::string& label, const std::vector<Folder>& before) {
                                app.Undo.PushUndo(label, false, before, tree_->Walk());
                            },
                            [this](int folder, int index) { LaunchRecord(folder, index); }};
    if (!EditFormData(GetAncestor(hwnd(), GA_ROOT), editing, grid_->FolderIndex(), grid_->CurrentRow())) return;
    ReloadGrid();
    RecordsChanged();
}

void CEditorView::OnIgnoredSites() {
    if (!EditIgnoredSites(GetAncestor(hwnd(), GA_ROOT), host_.Database.IgnoredSites)) return;
    host_.Database.Modified = true;
    frame_.ModifiedChanged();
}

void CEditorView::OnLaunchUrl() {
    if (grid_->CurrentRecord() == nullptr) {
        ShellExecuteA(hwnd(), "open", ItemText(IDC_URL).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return;
    }
    LaunchRecord(grid_->FolderIndex(), grid_->CurrentRow());
}

void CEditorView::LaunchRecord(int folder, int index) {
    const auto& folders = host_.Database.Folders;
    if (folder < 0 || static_cast<std::size_t>(folder) >= folders.size()) return;
    const auto& records = folders[static_cast<std::size_t>(folder)].records;
    if (index < 0 || static_cast<std::size_t>(index) >= records.size()) return;
    const Record& record = records[static_cast<std::size_t>(index)];
    WebFormHost* webForms = host_.WebForms();
    if (webForms != nullptr && !record.formData.empty() && record.formData.front().type < kAuthDialogUsername) {
        webForms->FillRecord(folder, index, nullptr, kRecordsAutoSubmit);
        return;
    }
    ShellExecuteA(hwnd(), "open", record.fields[kUrl].c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace kv
