// "Report preview": the report's pages drawn on the screen by the same
// layout as the printer's, one at a time and scaled to fit, with buttons
// to turn the pages and "Page n of N" between them.
#pragma once

#include <vector>

#include "transfer/ui/ReportPrinter.h"
#include "uikit/Dialog.h"
#include "uikit/MessageMap.h"

namespace kv {

class CReportPreviewDlg : public ui::Mapped<CReportPreviewDlg, ui::Dialog> {
public:
    // Lays the report out for `paper` at once.
    CReportPreviewDlg(const ReportContent& content, const ReportPaper& paper);

    std::size_t PageCount() const { return pages_.size(); }
    std::size_t CurrentPage() const { return current_; }

    static const ui::MessageMap<CReportPreviewDlg>& Messages();

protected:
    bool OnInitDialog() override;

private:
    void OnPrevious() { TurnTo(current_ - 1); }
    void OnNext() { TurnTo(current_ + 1); }
    void TurnTo(std::size_t page);
    bool OnDrawItem(UINT id, const DRAWITEMSTRUCT& item);
    void OnSize(int width, int height);

    ReportPaper paper_;
    std::vector<ReportPage> pages_;
    std::size_t current_ = 0;
};

}  // namespace kv
