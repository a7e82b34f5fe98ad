#include "transfer/ui/ReportPrinter.h"

#include "platform/Win32Error.h"

namespace kv {
namespace {

constexpr char kNothingToPrint[] = "The selected folders hold no records to print.";

// The message for a failed step, with the system's text for the error it left.
std::string Failure(const std::string& what, DWORD error) {
    return "Unable to print the report: " + what + ".\n\n" + SystemErrorText(error);
}

// Opens and closes the printer's pages around the drawing of each one; the
// first failure stops the document.
class PrinterCanvas : public GdiReportCanvas {
public:
    PrinterCanvas(HDC dc, int dotsPerInchY) : GdiReportCanvas(dc, dotsPerInchY) {}

    void StartPage() override {
        ++page_;
        if (failure_.empty() && ::StartPage(dc()) <= 0) Fail("could not be started");
    }
    void EndPage() override {
        if (failure_.empty() && ::EndPage(dc()) <= 0) Fail("could not be finished");
    }
    const std::string& failure() const { return failure_; }

private:
    void Fail(const char* what) {
        const DWORD error = GetLastError();
        failure_ = Failure("page " + std::to_string(page_) + " " + what, error);
    }

    int page_ = 0;
    std::string failure_;
};

}  // namespace

std::vector<ReportPage> LayOutForDevice(const ReportContent& content, const ReportCanvas& canvas,
                                        const ReportPaper& paper) {
    return LayOutReport(content.sections, content.options, content.names, canvas, FrameOnDevice(paper),
                        content.locale);
}

std::string CReportPrinter::Print(const std::string& documentName, const ReportContent& content) {
    PrinterCanvas canvas(dc_, paper_.dotsPerInchY);
    const std::vector<ReportPage> pages = LayOutForDevice(content, canvas, paper_);
    if (pages.empty()) return kNothingToPrint;
    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = documentName.c_str();
    if (StartDocA(dc_, &document) <= 0) return Failure("the printer did not start the document", GetLastError());
    for (std::size_t n = 0; n < pages.size() && canvas.failure().empty(); ++n) DrawReportPage(pages, n, canvas);
    if (!canvas.failure().empty()) {
        AbortDoc(dc_);
        return canvas.failure();
    }
    if (EndDoc(dc_) <= 0) return Failure("the printer did not finish the document", GetLastError());
    return {};
}

}  // namespace kv
