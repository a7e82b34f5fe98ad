#include "views/GridColumns.h"

#include "db/Database.h"

namespace kv {

std::vector<int> GridColumns(const AppSettings& settings, Category category) {
    std::vector<int> columns;
    for (const int column : settings.ColumnSets[static_cast<std::size_t>(EffectiveCategory(category) - 1)]) {
        if (column >= 0 && column < kNamedColumns) columns.push_back(column);
    }
    return columns;
}

std::string CellText(const Record& record, int field, bool mask, const Locale& locale) {
    if (field == kDateAssigned) return FormatDate(record.dateAssigned, locale);
    if (field == kDateExpires) return FormatDate(record.dateExpires, locale);
    const std::string& text = record.fields[static_cast<std::size_t>(field)];
    if (field == kPassword && mask && !text.empty()) return "*****";
    return text;
}

bool HasCellText(const Record& record, int field) {
    if (field == kDateAssigned) return IsDateSet(record.dateAssigned);
    if (field == kDateExpires) return IsDateSet(record.dateExpires);
    return !record.fields[static_cast<std::size_t>(field)].empty();
}

}  // namespace kv
