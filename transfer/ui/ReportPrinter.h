// CReportPrinter: prints the report on a printer's device context as one
// document, a page at a time, and says what failed when it could not.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "transfer/ReportLayout.h"
#include "transfer/ui/GdiReportCanvas.h"

namespace kv {

class Locale;

struct ReportContent {
    const std::vector<ReportSection>& sections;
    const ReportOptions& options;
    const FieldNames& names;
    const Locale& locale;
};

// The report laid out for a device: its pages in the device's dots.
std::vector<ReportPage> LayOutForDevice(const ReportContent& content, const ReportCanvas& canvas,
                                        const ReportPaper& paper);

class CReportPrinter {
public:
    // `dc` is the printer's and stays the caller's.
    CReportPrinter(HDC dc, const ReportPaper& paper) : dc_(dc), paper_(paper) {}

    // Prints the report under the document name; an empty text when every
    // page went to the printer, else the message that says what failed (the
    // document is then aborted).
    std::string Print(const std::string& documentName, const ReportContent& content);

private:
    HDC dc_;
    ReportPaper paper_;
};

}  // namespace kv
