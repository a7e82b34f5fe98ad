// The editor's Export and Import commands: the Import/Export sheet over the
// open database, an import kept as one undo level.
#include "editor/EditorView.h"

#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "transfer/ColumnNames.h"
#include "uikit/Module.h"

namespace kv {

void CEditorView::OpenTransferSheet(CImportExportPropSheet::StartPage start) {
    EditorHost& app = host_;
    if (app.Database.FilePath.empty()) return;
    // What is being typed is stored first, so that the export holds it.
    grid_->CommitEditor();
    bool imported = false;
    const auto recordUndo = [&](const std::string& label, const std::vector<Folder>& before) {
        app.Undo.PushUndo(label, false, before, tree_->Walk());
        imported = true;
    };
    TransferContext context{app.Database,       CurrentFieldNames(app.Settings), SystemFileSystem(),
                            SystemLocale(),     ui::ProgramFolder(),             transferChooser_,
                            recordUndo};
    CImportExportPropSheet sheet(context);
    sheet.DoModal(GetAncestor(hwnd(), GA_ROOT), start);
    if (!imported) return;
    ReloadGrid();
    RecordsChanged();
}

}  // namespace kv
