#include "editor/RecordTransfer.h"

#include <algorithm>


namespace kv {
namespace {

bool IsRow(int row, std::size_t recordCount) { return row >= 0 && static_cast<std::size_t>(row) < recordCount; }

// Removes the records at the rows that exist, keeping the others in order.
void EraseRows(std::vector<Record>& records, const std::vector<int>& rows) {
    std::vector<bool> doomed(records.size(), false);
    for (const int row : rows) {
        if (IsRow(row, records.size())) doomed[static_cast<std::size_t>(row)] = true;
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (doomed[i]) continue;
        if (kept != i) records[kept] = std::move(records[i]);
        ++kept;
    }
    records.erase(records.begin() + static_cast<std::ptrdiff_t>(kept), records.end());
}

// The rows that exist, each once, in the order of their first appearance.
std::vector<int> DistinctRows(const std::vector<int>& rows, std::size_t recordCount) {
    std::vector<bool> seen(recordCount, false);
    std::vector<int> distinct;
    for (const int row : rows) {
        if (!IsRow(row, recordCount) || seen[static_cast<std::size_t>(row)]) continue;
        seen[static_cast<std::size_t>(row)] = true;
        distinct.push_back(row);
    }
    return distinct;
}

// "Are you sure you want to delete the information for %s ?"
std::string InformationQuestion(const std::string& what) {
    return "Are you sure you want to delete the information for " + what + " ?";
}

}  // namespace

std::optional<std::string> DeleteQuestion(const Folder& folder, const std::vector<int>& rows,
                                          const std::string& firstColumnText) {
    if (rows.size() > 1) return InformationQuestion("the selected items");
    if (rows.empty() || !IsRow(rows.front(), folder.records.size()) ||
        IsEntirelyEmpty(folder.records[static_cast<std::size_t>(rows.front())])) {
        return std::nullopt;
    }
    if (firstColumnText.empty()) return std::string("Are you sure you want to delete the selected information?");
    return InformationQuestion(firstColumnText);
}

std::string DeleteUndoLabel(std::size_t rowCount) { return rowCount > 1 ? "delete records" : "delete record"; }

int DeleteRecords(Folder& folder, const std::vector<int>& rows, int currentRow) {
    std::vector<Record>& records = folder.records.write();
    EraseRows(records, rows);
    if (records.empty()) return -1;
    return std::min(currentRow, static_cast<int>(records.size()) - 1);
}

bool CanStartDrag(const Folder& folder, int row) {
    return IsRow(row, folder.records.size()) && !IsEntirelyEmpty(folder.records[static_cast<std::size_t>(row)]);
}

void TransferRecords(Folder& source, const std::vector<int>& rows, Folder& target, bool move) {
    const std::vector<int> order = DistinctRows(rows, source.records.size());
    for (const int row : order) {
        // Copied before the target changes, so that the source is read from unchanged storage.
        Record copy = source.records[static_cast<std::size_t>(row)];
        std::vector<Record>& records = target.records.write();
        if (!records.empty() && IsEntirelyEmpty(records.back())) {
            records.back() = std::move(copy);
        } else {
            records.push_back(std::move(copy));
        }
    }
    if (move) EraseRows(source.records.write(), order);
}

}  // namespace kv
