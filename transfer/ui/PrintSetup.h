// The printer the user chose in the print dialog, kept while the report
// dialog stays open so that the next print goes to the same printer.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "transfer/ui/GdiReportCanvas.h"

namespace kv {

// Whether the system knows any printer, local or connected.
bool AnyPrinterInstalled();

class CPrintSetup {
public:
    CPrintSetup() = default;
    ~CPrintSetup();
    CPrintSetup(const CPrintSetup&) = delete;
    CPrintSetup& operator=(const CPrintSetup&) = delete;

    // Shows the print dialog (no page ranges, no printing to a file), unless no
    // printer is installed, and gives
    // the chosen printer's device context, which the caller deletes. Null when
    // the user cancelled (`failure` empty) or the dialog failed (`failure` says why).
    HDC Choose(HWND owner, std::string& failure);

    // The paper of the chosen printer, else of the default one; none when no
    // printer is known.
    std::optional<ReportPaper> Paper();

private:
    HGLOBAL devMode_ = nullptr;
    HGLOBAL devNames_ = nullptr;
};

}  // namespace kv
