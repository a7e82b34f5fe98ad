#include "transfer/ReportLayout.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "db/Database.h"
#include "db/RichText.h"
#include "platform/Locale.h"

namespace kv {
namespace {

constexpr int kMinFontSize = 6;
constexpr int kMaxFontSize = 30;

// Greedy word wrap: a line breaks at a space where it can, inside a word
// where a word alone is too wide; each line holds at least one character.
void WrapParagraph(const ReportCanvas& canvas, const ReportFont& font, std::string_view text, int width,
                   std::vector<std::string>& lines) {
    std::string line;
    const auto fits = [&](const std::string& candidate) { return canvas.Measure(font, candidate).width <= width; };
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find(' ', pos);
        end = end == std::string_view::npos ? text.size() : end + 1;  // a word with its space
        std::string_view word = text.substr(pos, end - pos);
        pos = end;
        if (fits(line + std::string(word.substr(0, word.find_last_not_of(' ') + 1)))) {
            line += word;
            continue;
        }
        if (!line.empty()) {
            lines.push_back(line.substr(0, line.find_last_not_of(' ') + 1));
            line.clear();
        }
        while (!word.empty() && !fits(std::string(word.substr(0, word.find_last_not_of(' ') + 1)))) {
            std::size_t take = 1;
            while (take < word.size() && fits(std::string(word.substr(0, take + 1)))) ++take;
            lines.emplace_back(word.substr(0, take));
            word.remove_prefix(take);
        }
        line = std::string(word);
    }
    if (!line.empty() || lines.empty()) lines.push_back(line);
}

// The lines of a text in a width: a carriage return (with or without its line
// feed) or a lone line feed breaks the line, a tab stands for five spaces.
std::vector<std::string> Wrap(const ReportCanvas& canvas, const ReportFont& font, std::string_view text,
                              int width) {
    std::vector<std::string> lines;
    std::string paragraph;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        if (end || text[i] == '\r' || text[i] == '\n') {
            WrapParagraph(canvas, font, paragraph, width, lines);
            paragraph.clear();
            if (!end && text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (text[i] == '\t') {
            paragraph += "     ";
        } else {
            paragraph += text[i];
        }
    }
    return lines;
}

std::string CellTextOf(const Record& record, int field, const Locale& locale) {
    if (field == kDateAssigned) return FormatDate(record.dateAssigned, locale);
    if (field == kDateExpires) return FormatDate(record.dateExpires, locale);
    return record.fields[field];
}

// A column of lines that a block draws side by side with others.
struct BlockColumn {
    int x = 0;
    std::vector<std::string> lines;
};

class Layout {
public:
    Layout(const ReportOptions& options, const FieldNames& names, const ReportCanvas& canvas,
           const ReportFrame& frame, const Locale& locale)
        : options_(options), names_(names), canvas_(canvas), frame_(frame), locale_(locale),
          now_(locale.LocalNow()), date_(FormatReportDate(now_)) {
        base_.points = ClampReportFontSize(options.fontSize);
        bold_ = base_;
        bold_.bold = true;
        line_ = std::max(1, canvas.Measure(base_, "X").height);
        if (!options.pageBreakPerTopLevelFolder) NewPage();
    }

    void Print(const ReportSection& section);
    std::vector<ReportPage> TakePages() { return std::move(pages_); }

private:
    int Width() const { return frame_.right - frame_.left; }
    void NewPage();
    void Headings();
    void Block(const std::vector<BlockColumn>& columns, const ReportFont& font, bool bar);
    void Line(const std::string& text, const ReportFont& font, bool bar) {
        Block({{frame_.left, Wrap(canvas_, font, text, Width())}}, font, bar);
    }
    void Add(ReportItem item) { pages_.back().push_back(std::move(item)); }
    // Flips the bar alternation; true when this row gets a bar.
    bool NextBar() {
        barOn_ = !barOn_;
        return barOn_ && options_.bars;
    }

    const ReportOptions& options_;
    const FieldNames& names_;
    const ReportCanvas& canvas_;
    const ReportFrame frame_;
    const Locale& locale_;
    const SystemTime now_;
    const std::string date_;
    ReportFont base_;
    ReportFont bold_;
    int line_ = 1;
    std::vector<ReportPage> pages_;
    int y_ = 0;
    int bodyTop_ = 0;  // where the current page's body begins, under its header
    std::vector<int> columns_;
    std::optional<int> group_;
    bool headingsPrinted_ = false;
    bool barOn_ = false;
};

void Layout::NewPage() {
    pages_.emplace_back();
    y_ = frame_.top;
    ReportItem number;
    number.kind = ReportItem::PageNumber;
    number.x = frame_.left;
    number.y = y_;
    number.right = frame_.right;
    number.font = bold_;
    Add(number);
    Add({ReportItem::Text, frame_.left, y_, 0, 0, bold_, date_});
    ReportFont titleFont = bold_;
    titleFont.italic = true;
    const int titleWidth = canvas_.Measure(titleFont, options_.title).width;
    Add({ReportItem::Text, frame_.left + std::max(0, (Width() - titleWidth) / 2), y_, 0, 0, titleFont,
         options_.title});
    y_ += line_;
    Add({ReportItem::Rule, frame_.left, y_ + 4, frame_.right, 0, base_, {}});
    y_ += line_;
    bodyTop_ = y_;
    if (!columns_.empty() && headingsPrinted_) Headings();
}

void Layout::Headings() {
    ReportFont font = bold_;
    font.underline = true;
    std::vector<BlockColumn> cells;
    const int width = Width() / static_cast<int>(columns_.size());
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        cells.push_back({frame_.left + static_cast<int>(i) * width, {names_[columns_[i]]}});
    }
    Block(cells, font, false);
}

void Layout::Block(const std::vector<BlockColumn>& columns, const ReportFont& font, bool bar) {
    std::size_t rows = 0;
    for (const BlockColumn& column : columns) rows = std::max(rows, column.lines.size());
    std::size_t barAt = 0;
    int barTop = 0;
    const auto closeBar = [&] {
        if (!bar) return;
        ReportItem band{ReportItem::Bar, frame_.left, barTop + 2, frame_.right, y_ - 2, font, {}};
        pages_.back().insert(pages_.back().begin() + static_cast<std::ptrdiff_t>(barAt), band);
    };
    for (std::size_t row = 0; row < rows; ++row) {
        // A page whose body is still empty takes the line even when it is too tall.
        const bool breaks = pages_.empty() || (y_ + line_ > frame_.bottom && y_ > bodyTop_);
        if (breaks) {
            if (row > 0) closeBar();
            NewPage();
        }
        if (row == 0 || breaks) {
            barAt = pages_.back().size();
            barTop = y_;
        }
        for (const BlockColumn& column : columns) {
            if (row < column.lines.size()) Add({ReportItem::Text, column.x, y_, 0, 0, font, column.lines[row]});
        }
        y_ += line_;
    }
    if (rows > 0) closeBar();
}

void Layout::Print(const ReportSection& section) {
    std::vector<int> columns;
    for (int column : section.columns) {
        if (column != kPassword || options_.passwords) columns.push_back(column);
    }
    if (columns.empty() || !section.folder) return;
    if (group_ != section.topLevel) headingsPrinted_ = false;
    group_ = section.topLevel;
    columns_ = columns;
    const int width = Width() / static_cast<int>(columns.size());
    const int gap = canvas_.Measure(base_, "X").width;
    bool started = false;
    for (const Record& record : section.folder->records) {
        if (options_.expiredOnly && !IsExpired(record.dateExpires, now_)) continue;
        if (IsEntirelyEmpty(record)) continue;
        std::vector<BlockColumn> cells;
        bool any = false;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const int left = frame_.left + static_cast<int>(i) * width;
            const int right = std::min(left + width - gap, frame_.right);
            const std::string text = CellTextOf(record, columns[i], locale_);
            any = any || !text.empty();
            cells.push_back({left, Wrap(canvas_, base_, text, right - left)});
        }
        if (!any) continue;
        if (!headingsPrinted_) {
            headingsPrinted_ = true;
            if (options_.pageBreakPerTopLevelFolder) NewPage();
            else Headings();
        }
        if (!started) {
            started = true;
            y_ += line_;
            barOn_ = false;
            Line(section.name, bold_, NextBar());
        }
        Block(cells, base_, NextBar());
        bool first = true;
        for (int field : {kEmail, kUrl}) {
            if (!(field == kEmail ? options_.email : options_.webAddress)) continue;
            if (first) y_ += line_ / 2;
            first = false;
            Line(names_[field] + ": " + record.fields[field], base_, false);
        }
        const SecretString notes = PlainTextOf(record.fields[kNotes]);
        if (options_.comments && !notes.empty()) {
            y_ += line_;
            barOn_ = false;
            Block({{frame_.left, Wrap(canvas_, base_, notes.view(), Width())}}, base_, false);
        }
        y_ += line_ / 2;
    }
    if (started) y_ += line_;
}

}  // namespace

ReportFrame FrameOfPaper(int width, int height, int dotsPerInchX, int dotsPerInchY) {
    return {dotsPerInchX / 2, dotsPerInchY / 2, width - dotsPerInchX / 2, height - dotsPerInchY / 2};
}

int ClampReportFontSize(int points) { return points <= 5 ? kMinFontSize : std::min(points, kMaxFontSize); }

std::string FormatReportDate(const SystemTime& date) {
    static const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                          "July",    "August",   "September", "October", "November", "December"};
    const char* month = date.wMonth >= 1 && date.wMonth <= 12 ? kMonths[date.wMonth - 1] : "";
    const std::string day = (date.wDay < 10 ? "0" : "") + std::to_string(date.wDay);
    return std::string(month) + " " + day + ", " + std::to_string(date.wYear);
}

std::vector<ReportPage> LayOutReport(const std::vector<ReportSection>& sections, const ReportOptions& options,
                                     const FieldNames& names, const ReportCanvas& canvas,
                                     const ReportFrame& frame, const Locale& locale) {
    Layout layout(options, names, canvas, frame, locale);
    for (const ReportSection& section : sections) layout.Print(section);
    return layout.TakePages();
}

void DrawReport(const std::vector<ReportPage>& pages, ReportCanvas& canvas) {
    for (std::size_t n = 0; n < pages.size(); ++n) DrawReportPage(pages, n, canvas);
}

void DrawReportPage(const std::vector<ReportPage>& pages, std::size_t n, ReportCanvas& canvas) {
    if (n >= pages.size()) return;
    const std::string number = "Page " + std::to_string(n + 1) + " of " + std::to_string(pages.size());
    canvas.StartPage();
    for (const ReportItem& item : pages[n]) {
        switch (item.kind) {
            case ReportItem::Text: canvas.WriteText(item.font, item.x, item.y, item.text); break;
            case ReportItem::Bar: canvas.DrawBar(item.x, item.y, item.right, item.bottom); break;
            case ReportItem::Rule: canvas.DrawRule(item.x, item.right, item.y); break;
            case ReportItem::PageNumber:
                canvas.WriteText(item.font, item.right - canvas.Measure(item.font, number).width, item.y, number);
                break;
        }
    }
    canvas.EndPage();
}

}  // namespace kv
