// The printed report's page layout: folders as tables in their category's
// columns, optional e-mail, web-address and notes lines, shaded bars and a
// header on every page. Laid out first into pages, so that every header
// can say "Page n of N", then drawn on a canvas page by page.
#pragma once

#include <string>
#include <vector>

#include "db/Record.h"
#include "platform/SystemTime.h"
#include "transfer/ColumnNames.h"
#include "transfer/ReportCanvas.h"

namespace kv {

class Locale;

struct ReportOptions {
    std::string title;
    int fontSize = 8;  // points; see `ClampReportFontSize`
    bool passwords = false;
    bool webAddress = false;
    bool email = false;
    bool comments = false;
    bool expiredOnly = false;
    bool bars = false;
    bool pageBreakPerTopLevelFolder = false;
};

// A ticked folder, in the order of printing (pre-order of the tree).
struct ReportSection {
    const Folder* folder = nullptr;
    std::string name;             // the folder's own name
    int topLevel = 0;             // the same for every folder below one top-level folder
    std::vector<int> columns;     // the category layout of the top-level folder
};

// A size above 5 and at most 30 stays; smaller ones print at 6, larger at 30.
int ClampReportFontSize(int points);

// "%B %d, %Y": the month's English name, the day in two digits, the year.
std::string FormatReportDate(const SystemTime& date);

struct ReportItem {
    enum Kind { Text, Bar, Rule, PageNumber } kind = Text;
    int x = 0;
    int y = 0;
    int right = 0;   // bars, rules and the page number's right edge
    int bottom = 0;  // bars
    ReportFont font;
    std::string text;
};

using ReportPage = std::vector<ReportItem>;

std::vector<ReportPage> LayOutReport(const std::vector<ReportSection>& sections, const ReportOptions& options,
                                     const FieldNames& names, const ReportCanvas& canvas,
                                     const ReportFrame& frame, const Locale& locale);

// Draws the pages, the page numbers as "Page n of N" right-aligned.
void DrawReport(const std::vector<ReportPage>& pages, ReportCanvas& canvas);
// Draws page `n` (from 0) alone, between StartPage and EndPage, as DrawReport does.
void DrawReportPage(const std::vector<ReportPage>& pages, std::size_t n, ReportCanvas& canvas);

}  // namespace kv
