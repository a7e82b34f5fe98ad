#include "editor/RecordSort.h"

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <utility>

#include "platform/Locale.h"

namespace kv {
namespace {

// The order of the records of one sort, with each record's key worked out once.
// Before() is a strict weak ordering (given a consistent CompareNoCase), so the
// stable sort by it has one result, the one the exchange sort reaches too: that
// sort swaps only pairs whose second record is strictly Before() the first, so
// it never swaps records that compare equal.
class RecordOrder {
public:
    RecordOrder(const std::vector<Record>& records, int field, bool ascending, const Locale& locale)
        : records_(records), field_(field), ascending_(ascending), locale_(locale) {
        empty_.reserve(records.size());
        dates_.reserve(IsDateField() ? records.size() : 0);
        for (const Record& record : records) {
            empty_.push_back(IsEntirelyEmpty(record));
            if (field == kDateAssigned) dates_.push_back(DateKey(record.dateAssigned));
            if (field == kDateExpires) dates_.push_back(DateKey(record.dateExpires));
        }
    }

    // Whether record `a` belongs strictly before record `b`.
    bool Before(std::size_t a, std::size_t b) const {
        if (empty_[a] != empty_[b]) return empty_[b];
        if (empty_[a]) return false;
        const int order = IsDateField() ? CompareDateTimes(dates_[a], dates_[b])
                                        : locale_.CompareNoCase(Text(a), Text(b));
        return ascending_ ? order < 0 : order > 0;
    }

private:
    bool IsDateField() const { return field_ == kDateAssigned || field_ == kDateExpires; }

    const std::string& Text(std::size_t record) const {
        return records_[record].fields[static_cast<std::size_t>(field_)];
    }

    // A date that is missing or invalid stands in as the latest date of year
    // 9999 ascending and the earliest of year 100 descending: last either way.
    SystemTime DateKey(const SystemTime& date) const {
        if (IsValidDateTime(date)) return date;
        return ascending_ ? SystemTime{9999, 12, 0, 31, 23, 59, 59, 999} : SystemTime{100, 1, 0, 1, 0, 0, 0, 0};
    }

    const std::vector<Record>& records_;
    int field_;
    bool ascending_;
    const Locale& locale_;
    std::vector<bool> empty_;
    std::vector<SystemTime> dates_;
};

// Sorts the positions of the records with `sortPositions`, which is given them
// in their present order and the order to sort them by, then moves the records there.
template <typename SortPositions>
std::vector<std::size_t> Reorder(std::vector<Record>& records, int field, bool ascending, const Locale& locale,
                                 SortPositions sortPositions) {
    std::vector<std::size_t> positions(records.size());
    std::iota(positions.begin(), positions.end(), std::size_t{0});
    if (field < 0 || field >= kFieldCount) return positions;
    sortPositions(positions, RecordOrder(records, field, ascending, locale));
    std::vector<Record> sorted;
    sorted.reserve(records.size());
    for (const std::size_t from : positions) sorted.push_back(std::move(records[from]));
    records = std::move(sorted);
    return positions;
}

}  // namespace

std::vector<std::size_t> SortRecords(std::vector<Record>& records, int field, bool ascending, const Locale& locale) {
    return Reorder(records, field, ascending, locale, [](std::vector<std::size_t>& positions, const RecordOrder& order) {
        std::stable_sort(positions.begin(), positions.end(),
                         [&](std::size_t a, std::size_t b) { return order.Before(a, b); });
    });
}

bool RecordsInOrder(const std::vector<Record>& records, int field, bool ascending, const Locale& locale) {
    if (field < 0 || field >= kFieldCount) return true;
    const RecordOrder order(records, field, ascending, locale);
    for (std::size_t i = 1; i < records.size(); ++i) {
        if (order.Before(i, i - 1)) return false;
    }
    return true;
}

std::vector<std::size_t> ExchangeSortRecords(std::vector<Record>& records, int field, bool ascending,
                                             const Locale& locale) {
    return Reorder(records, field, ascending, locale, [](std::vector<std::size_t>& positions, const RecordOrder& order) {
        for (bool swapped = true; swapped;) {
            swapped = false;
            for (std::size_t i = 1; i < positions.size(); ++i) {
                if (order.Before(positions[i], positions[i - 1])) {
                    std::swap(positions[i], positions[i - 1]);
                    swapped = true;
                }
            }
        }
    });
}

}  // namespace kv
