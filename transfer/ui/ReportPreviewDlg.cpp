#include "transfer/ui/ReportPreviewDlg.h"

#include <algorithm>

#include "resources/resource.h"
#include "uikit/Controls.h"

namespace kv {
namespace {

constexpr int kPageMargin = 6;
constexpr int kSpacing = 8;
// The share of the work area's height that the preview takes when it opens.
constexpr int kHeightPercent = 92;

// A device context on which one logical unit is one dot of the paper, for
// measuring text as the paper holds it.
class PaperMeasure {
public:
    explicit PaperMeasure(const ReportPaper& paper) : dc_(CreateCompatibleDC(nullptr)) {
        SetMapMode(dc_, MM_ANISOTROPIC);
        SetWindowExtEx(dc_, paper.dotsPerInchX, paper.dotsPerInchY, nullptr);
        SetViewportExtEx(dc_, GetDeviceCaps(dc_, LOGPIXELSX), GetDeviceCaps(dc_, LOGPIXELSY), nullptr);
    }
    ~PaperMeasure() { DeleteDC(dc_); }
    PaperMeasure(const PaperMeasure&) = delete;
    PaperMeasure& operator=(const PaperMeasure&) = delete;
    HDC dc() const { return dc_; }

private:
    HDC dc_;
};

std::vector<ReportPage> LayOutOnPaper(const ReportContent& content, const ReportPaper& paper) {
    PaperMeasure measure(paper);
    GdiReportCanvas canvas(measure.dc(), paper.dotsPerInchY);
    return LayOutForDevice(content, canvas, paper);
}

// The largest rectangle of the paper's shape inside `space`, centred in it.
RECT FitPaper(const ReportPaper& paper, RECT space) {
    InflateRect(&space, -kPageMargin, -kPageMargin);
    const int width = std::max(1L, space.right - space.left);
    const int height = std::max(1L, space.bottom - space.top);
    int pageWidth = width;
    int pageHeight = MulDiv(width, paper.height, std::max(1, paper.width));
    if (pageHeight > height) {
        pageHeight = height;
        pageWidth = MulDiv(height, paper.width, std::max(1, paper.height));
    }
    const int left = space.left + (width - pageWidth) / 2;
    const int top = space.top + (height - pageHeight) / 2;
    return {left, top, left + pageWidth, top + pageHeight};
}

}  // namespace

CReportPreviewDlg::CReportPreviewDlg(const ReportContent& content, const ReportPaper& paper)
    : Mapped(IDD_REPORT_PREVIEW), paper_(paper), pages_(LayOutOnPaper(content, paper)) {}

const ui::MessageMap<CReportPreviewDlg>& CReportPreviewDlg::Messages() {
    static const auto map = ui::MessageMap<CReportPreviewDlg>()
                                .Command(IDC_PREVIEW_PREVIOUS, &CReportPreviewDlg::OnPrevious)
                                .Command(IDC_PREVIEW_NEXT, &CReportPreviewDlg::OnNext)
                                .DrawItem(&CReportPreviewDlg::OnDrawItem)
                                .Size(&CReportPreviewDlg::OnSize);
    return map;
}

bool CReportPreviewDlg::OnInitDialog() {
    // As tall as the work area allows, as wide as the paper's shape asks.
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT window{};
    GetWindowRect(hwnd(), &window);
    const RECT page = ui::Control(Item(IDC_PREVIEW_PAGE)).Rect();
    const int frameWidth = (window.right - window.left) - (page.right - page.left);
    const int frameHeight = (window.bottom - window.top) - (page.bottom - page.top);
    const int height = (work.bottom - work.top) * kHeightPercent / 100;
    const int pageHeight = std::max(1, height - frameHeight);
    const int width = std::min<int>(work.right - work.left,
                                    frameWidth + MulDiv(pageHeight, paper_.width, std::max(1, paper_.height)));
    SetWindowPos(hwnd(), nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, std::max<int>(width, window.right - window.left),
                 height, SWP_NOZORDER);
    TurnTo(0);
    return true;
}

void CReportPreviewDlg::OnSize(int width, int height) {
    // The page fills the window above a row of the buttons and the page number.
    const RECT button = ui::Control(Item(IDCANCEL)).Rect();
    const int buttonWidth = button.right - button.left;
    const int buttonHeight = button.bottom - button.top;
    const int row = height - kSpacing - buttonHeight;
    ui::Control(Item(IDC_PREVIEW_PAGE)).Move({kSpacing, kSpacing, width - kSpacing, row - kSpacing});
    ui::Control(Item(IDC_PREVIEW_PREVIOUS)).Move({kSpacing, row, kSpacing + buttonWidth, row + buttonHeight});
    const int next = 2 * kSpacing + buttonWidth;
    ui::Control(Item(IDC_PREVIEW_NEXT)).Move({next, row, next + buttonWidth, row + buttonHeight});
    ui::Control(Item(IDCANCEL)).Move({width - kSpacing - buttonWidth, row, width - kSpacing, row + buttonHeight});
    const int numberLeft = next + buttonWidth + kSpacing;
    ui::Control(Item(IDC_PREVIEW_PAGE_NUMBER))
        .Move({numberLeft, row + buttonHeight / 4, std::max(numberLeft, width - 2 * kSpacing - buttonWidth),
               row + buttonHeight});
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void CReportPreviewDlg::TurnTo(std::size_t page) {
    if (page >= pages_.size() && !pages_.empty()) return;
    current_ = page;
    const std::size_t count = pages_.size();
    SetItemText(IDC_PREVIEW_PAGE_NUMBER, count == 0 ? std::string("No pages")
                                                    : "Page " + std::to_string(current_ + 1) + " of " +
                                                          std::to_string(count));
    // A button that is about to be disabled gives the focus to the other first.
    const bool previous = current_ > 0;
    const bool next = current_ + 1 < count;
    if (!previous && GetFocus() == Item(IDC_PREVIEW_PREVIOUS)) SetFocus(Item(next ? IDC_PREVIEW_NEXT : IDCANCEL));
    if (!next && GetFocus() == Item(IDC_PREVIEW_NEXT)) SetFocus(Item(previous ? IDC_PREVIEW_PREVIOUS : IDCANCEL));
    EnableItem(IDC_PREVIEW_PREVIOUS, previous);
    EnableItem(IDC_PREVIEW_NEXT, next);
    InvalidateRect(Item(IDC_PREVIEW_PAGE), nullptr, TRUE);
}

bool CReportPreviewDlg::OnDrawItem(UINT id, const DRAWITEMSTRUCT& item) {
    if (id != IDC_PREVIEW_PAGE) return false;
    const HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_APPWORKSPACE));
    const RECT page = FitPaper(paper_, item.rcItem);
    FillRect(dc, &page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &page, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (pages_.empty()) return true;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, page.left, page.top, page.right, page.bottom);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowOrgEx(dc, -paper_.offsetX, -paper_.offsetY, nullptr);
    SetWindowExtEx(dc, paper_.width, paper_.height, nullptr);
    SetViewportOrgEx(dc, page.left, page.top, nullptr);
    SetViewportExtEx(dc, page.right - page.left, page.bottom - page.top, nullptr);
    {
        GdiReportCanvas canvas(dc, paper_.dotsPerInchY);
        DrawReportPage(pages_, current_, canvas);
    }
    RestoreDC(dc, saved);
    return true;
}

}  // namespace kv
