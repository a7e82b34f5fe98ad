// Comma-separated text as RFC 4180 writes it: every field in double quotes, a
// quote inside doubled, line breaks kept inside the quotes, "\r\n" between rows.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// Appends one field in quotes, each quote inside doubled.
void AppendCsvField(std::string& out, std::string_view value);

// One row of the text: its fields and the line (from 1) on which it starts.
struct CsvRow {
    std::vector<std::string> fields;
    std::size_t line = 0;
    // The row's text was only an empty line.
    bool blank = false;
    // A quoted field was still open at the end of the text.
    bool unterminated = false;
};

// Reads rows one by one. A quoted field keeps everything between its quotes
// (commas, line breaks, tabs, spaces), a doubled quote standing for one; an
// unquoted field ends at a comma or the end of the line and loses the white
// space at both ends, as files written by hand expect. A line ends with
// "\r\n", "\n" or a lone "\r".
class CsvReader {
public:
    explicit CsvReader(std::string_view text) : text_(text) {}

    // Drops whole lines before the rows are read; false at the end of the text.
    bool SkipLine();
    // The next row; false at the end of the text.
    bool Next(CsvRow& row);
    // The line the next row starts on.
    std::size_t Line() const { return line_; }

private:
    void EndOfLine();
    void ReadQuoted(std::string& field, CsvRow& row);
    void ReadUnquoted(std::string& field);

    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
};

}  // namespace kv
