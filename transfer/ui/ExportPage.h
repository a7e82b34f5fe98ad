// The Export page of the Import/Export sheet (template 249): the folders and
// fields to write, and "Export file..." that writes them.
#pragma once

#include "transfer/CsvExport.h"
#include "transfer/ui/FolderCheckTree.h"
#include "transfer/ui/TransferContext.h"
#include "uikit/MessageMap.h"
#include "uikit/PropertySheet.h"

namespace kv {

class CExportPage : public ui::Mapped<CExportPage, ui::PropertyPage> {
public:
    explicit CExportPage(TransferContext& context);

    // What the page's controls ask for.
    ExportOptions Options() const;
    // Asks for the file name and writes the file.
    void ExportRecords();

    static const ui::MessageMap<CExportPage>& Messages();

protected:
    bool OnInitDialog() override;

private:
    void OnSelectAllFolders() { tree_.CheckAll(true); }
    void OnSelectNoFolders() { tree_.CheckAll(false); }
    void OnSelectAllFields() { CheckFields(true); }
    void OnSelectNoFields() { CheckFields(false); }
    void CheckFields(bool ticked) const;

    TransferContext& context_;
    FolderCheckTree tree_;
};

// How writing an export file ended.
enum class ExportOutcome { Written, OpenFailed, WriteFailed };

// Writes the export into a new file beside `path` that then replaces it, so
// that a failed export leaves no half-written file; a folder, device or
// read-only file at `path` is refused as one that cannot be opened.
// `errorText` receives the system's text of a failure.
ExportOutcome WriteExportFile(TransferContext& context, const std::string& path, const ExportOptions& options,
                              std::string& errorText);

}  // namespace kv
