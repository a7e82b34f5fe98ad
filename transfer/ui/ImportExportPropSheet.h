// The "Import/Export" property sheet: the Export, Import and Import RoboForm
// pages, with OK hidden and Cancel reading "&Close", as every page acts at once.
#pragma once

#include <windows.h>

#include "transfer/ui/ExportPage.h"
#include "transfer/ui/ImportPage.h"
#include "transfer/ui/PassCardPage.h"
#include "transfer/ui/TransferContext.h"
#include "uikit/PropertySheet.h"

namespace kv {

class CImportExportPropSheet {
public:
    enum class StartPage { Export, Import };

    explicit CImportExportPropSheet(TransferContext& context);

    // Runs the sheet modally, opened at the page given.
    void DoModal(HWND parent, StartPage start);

private:
    CExportPage export_;
    CImportPage import_;
    CPassCardPage passCards_;
    ui::Sheet sheet_{"Import/Export"};
};

}  // namespace kv
