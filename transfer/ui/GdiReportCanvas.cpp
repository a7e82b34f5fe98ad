#include "transfer/ui/GdiReportCanvas.h"

#include <string>

namespace kv {
namespace {

constexpr COLORREF kBarColour = RGB(240, 240, 240);
constexpr double kMillimetresPerInch = 25.4;

int TextLength(std::string_view text) { return static_cast<int>(text.size()); }

}  // namespace

ReportPaper PaperOfDevice(HDC dc) {
    ReportPaper paper;
    paper.dotsPerInchX = GetDeviceCaps(dc, LOGPIXELSX);
    paper.dotsPerInchY = GetDeviceCaps(dc, LOGPIXELSY);
    paper.width = GetDeviceCaps(dc, PHYSICALWIDTH);
    paper.height = GetDeviceCaps(dc, PHYSICALHEIGHT);
    if (paper.width > 0 && paper.height > 0) {
        paper.offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
        paper.offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    } else {
        paper.width = GetDeviceCaps(dc, HORZRES);
        paper.height = GetDeviceCaps(dc, VERTRES);
    }
    return paper;
}

ReportPaper A4Paper(int dotsPerInch) {
    ReportPaper paper;
    paper.dotsPerInchX = paper.dotsPerInchY = dotsPerInch;
    paper.width = static_cast<int>(210 / kMillimetresPerInch * dotsPerInch + 0.5);
    paper.height = static_cast<int>(297 / kMillimetresPerInch * dotsPerInch + 0.5);
    return paper;
}

ReportFrame FrameOnDevice(const ReportPaper& paper) {
    ReportFrame frame = FrameOfPaper(paper.width, paper.height, paper.dotsPerInchX, paper.dotsPerInchY);
    frame.left -= paper.offsetX;
    frame.right -= paper.offsetX;
    frame.top -= paper.offsetY;
    frame.bottom -= paper.offsetY;
    return frame;
}

GdiReportCanvas::GdiReportCanvas(HDC dc, int dotsPerInchY)
    : dc_(dc), dotsPerInchY_(dotsPerInchY), originalFont_(GetCurrentObject(dc, OBJ_FONT)) {}

GdiReportCanvas::~GdiReportCanvas() {
    SelectObject(dc_, originalFont_);
    for (const auto& entry : fonts_) DeleteObject(entry.second);
}

void GdiReportCanvas::Select(const ReportFont& font) const {
    const FontKey key{font.face, font.points, font.bold, font.italic, font.underline};
    auto found = fonts_.find(key);
    if (found == fonts_.end()) {
        const HFONT made =
            CreateFontA(-MulDiv(font.points, dotsPerInchY_, 72), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                        font.italic ? TRUE : FALSE, font.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                        font.face.c_str());
        found = fonts_.emplace(key, made).first;
    }
    SelectObject(dc_, found->second);
}

TextSize GdiReportCanvas::Measure(const ReportFont& font, std::string_view text) const {
    Select(font);
    SIZE extent{};
    GetTextExtentPoint32A(dc_, text.data(), TextLength(text), &extent);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc_, &metrics);
    return {extent.cx, metrics.tmHeight};
}

void GdiReportCanvas::WriteText(const ReportFont& font, int x, int y, std::string_view text) {
    Select(font);
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, RGB(0, 0, 0));
    SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    TextOutA(dc_, x, y, text.data(), TextLength(text));
}

void GdiReportCanvas::DrawBar(int left, int top, int right, int bottom) {
    const HBRUSH brush = CreateSolidBrush(kBarColour);
    const RECT band{left, top, right, bottom};
    FillRect(dc_, &band, brush);
    DeleteObject(brush);
}

void GdiReportCanvas::DrawRule(int left, int right, int y) {
    const HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    const HGDIOBJ old = SelectObject(dc_, pen);
    MoveToEx(dc_, left, y, nullptr);
    LineTo(dc_, right, y);
    SelectObject(dc_, old);
    DeleteObject(pen);
}

}  // namespace kv
