#include "transfer/ui/ImportExportPropSheet.h"

namespace kv {

CImportExportPropSheet::CImportExportPropSheet(TransferContext& context)
    : export_(context), import_(context), passCards_(context) {
    sheet_.AddPage(export_);
    sheet_.AddPage(import_);
    sheet_.AddPage(passCards_);
    sheet_.UseCloseButtonOnly();
}

void CImportExportPropSheet::DoModal(HWND parent, StartPage start) {
    sheet_.SetStartPage(start == StartPage::Export ? 0 : 1);
    sheet_.DoModal(parent);
}

}  // namespace kv
