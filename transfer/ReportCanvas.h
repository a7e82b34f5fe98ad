// What the report's page layout asks of the surface it is drawn on: a
// printer, a preview window or, in tests, a fake. Units are the device's dots.
#pragma once

#include <string>
#include <string_view>

namespace kv {

struct ReportFont {
    std::string face = "Arial";
    int points = 8;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

struct TextSize {
    int width = 0;
    int height = 0;  // the height of one line, internal leading included
};

class ReportCanvas {
public:
    virtual ~ReportCanvas() = default;

    virtual TextSize Measure(const ReportFont& font, std::string_view text) const = 0;
    virtual void StartPage() = 0;
    virtual void EndPage() = 0;
    // One line of text, its top-left corner at (x, y). (Not "DrawText", which
    // windows.h defines as a macro.)
    virtual void WriteText(const ReportFont& font, int x, int y, std::string_view text) = 0;
    // A band in light grey, RGB(240, 240, 240), under the text of a row.
    virtual void DrawBar(int left, int top, int right, int bottom) = 0;
    // A solid black line one unit wide.
    virtual void DrawRule(int left, int right, int y) = 0;
};

// The printable frame: half an inch inside the paper on every side.
struct ReportFrame {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

ReportFrame FrameOfPaper(int width, int height, int dotsPerInchX, int dotsPerInchY);

}  // namespace kv
