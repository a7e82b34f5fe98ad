#include "transfer/Csv.h"

namespace kv {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

void AppendCsvField(std::string& out, std::string_view value) {
    out += '"';
    std::size_t start = 0;
    for (std::size_t quote = value.find('"'); quote != std::string_view::npos;
         quote = value.find('"', start)) {
        out.append(value.data() + start, quote + 1 - start);
        out += '"';
        start = quote + 1;
    }
    out.append(value.data() + start, value.size() - start);
    out += '"';
}

void CsvReader::EndOfLine() {
    if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    ++line_;
}

bool CsvReader::SkipLine() {
    if (pos_ >= text_.size()) return false;
    while (pos_ < text_.size() && !IsLineEnd(text_[pos_])) ++pos_;
    EndOfLine();
    return true;
}

void CsvReader::ReadQuoted(std::string& field, CsvRow& row) {
    ++pos_;  // the opening quote
    for (;;) {
        const std::size_t quote = text_.find('"', pos_);
        if (quote == std::string_view::npos) {
            field.append(text_.data() + pos_, text_.size() - pos_);
            pos_ = text_.size();
            row.unterminated = true;
            return;
        }
        for (std::size_t i = pos_; i < quote; ++i) {
            // A "\r\n" or lone "\r" inside the quotes still starts a new line.
            if (text_[i] == '\n' || (text_[i] == '\r' && (i + 1 >= quote || text_[i + 1] != '\n'))) ++line_;
        }
        field.append(text_.data() + pos_, quote - pos_);
        pos_ = quote + 1;
        if (pos_ < text_.size() && text_[pos_] == '"') {
            field += '"';
            ++pos_;
            continue;
        }
        break;
    }
    // Anything between the closing quote and the comma belongs to the field,
    // as lenient readers do; white space there is dropped.
    std::string rest;
    ReadUnquoted(rest);
    field += rest;
}

void CsvReader::ReadUnquoted(std::string& field) {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
    std::size_t first = start;
    std::size_t last = pos_;
    while (first < last && IsBlank(text_[first])) ++first;
    while (last > first && IsBlank(text_[last - 1])) --last;
    field.append(text_.data() + first, last - first);
}

bool CsvReader::Next(CsvRow& row) {
    row.fields.clear();
    row.line = line_;
    row.blank = false;
    row.unterminated = false;
    if (pos_ >= text_.size()) return false;
    if (IsLineEnd(text_[pos_])) {
        row.blank = true;
        EndOfLine();
        return true;
    }
    for (;;) {
        std::string& field = row.fields.emplace_back();
        std::size_t start = pos_;
        while (start < text_.size() && IsBlank(text_[start])) ++start;
        if (start < text_.size() && text_[start] == '"') {
            pos_ = start;
            ReadQuoted(field, row);
        } else {
            ReadUnquoted(field);
        }
        if (pos_ < text_.size() && text_[pos_] == ',') {
            ++pos_;
            continue;
        }
        if (pos_ < text_.size()) EndOfLine();
        return true;
    }
}

}  // namespace kv
