// The report's canvas over a GDI device context: a printer's while printing,
// a bitmap's or the screen's for the preview. Fonts are made for the paper's
// dots per inch, so a device scaled by its mapping mode draws the same page.
#pragma once

#include <windows.h>

#include <map>
#include <tuple>

#include "transfer/ReportCanvas.h"

namespace kv {

// A sheet of paper in the device's dots; the device's origin lies `offsetX`,
// `offsetY` dots inside the paper's corner (a printer's unprintable margin).
struct ReportPaper {
    int width = 0;
    int height = 0;
    int dotsPerInchX = 0;
    int dotsPerInchY = 0;
    int offsetX = 0;
    int offsetY = 0;
};

// The paper of a printer's device context; a device that is no printer
// counts as a sheet the size of its drawing surface.
ReportPaper PaperOfDevice(HDC dc);
// A4 (210 by 297 mm) at `dotsPerInch`.
ReportPaper A4Paper(int dotsPerInch);
// The report's frame, half an inch inside the paper, in the device's coordinates.
ReportFrame FrameOnDevice(const ReportPaper& paper);

class GdiReportCanvas : public ReportCanvas {
public:
    // `dc` is not owned; its font is put back when the canvas goes.
    GdiReportCanvas(HDC dc, int dotsPerInchY);
    ~GdiReportCanvas() override;
    GdiReportCanvas(const GdiReportCanvas&) = delete;
    GdiReportCanvas& operator=(const GdiReportCanvas&) = delete;

    TextSize Measure(const ReportFont& font, std::string_view text) const override;
    void StartPage() override {}
    void EndPage() override {}
    void WriteText(const ReportFont& font, int x, int y, std::string_view text) override;
    void DrawBar(int left, int top, int right, int bottom) override;
    void DrawRule(int left, int right, int y) override;

protected:
    HDC dc() const { return dc_; }

private:
    void Select(const ReportFont& font) const;

    using FontKey = std::tuple<std::string, int, bool, bool, bool>;
    HDC dc_;
    int dotsPerInchY_;
    HGDIOBJ originalFont_ = nullptr;
    mutable std::map<FontKey, HFONT> fonts_;
};

}  // namespace kv
