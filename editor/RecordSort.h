// Sorting a folder's records by one field, as the grid does when it loads a
// folder or a column header is clicked.
#pragma once

#include <cstddef>
#include <vector>

#include "db/Record.h"

namespace kv {

class Locale;

// Orders `records` by `field` (0 to 13; any other number leaves them as they
// are). Fields 9 and 10 compare their date values, a missing or invalid date
// counting as the end of year 9999 ascending and the start of year 100
// descending, so that undated records come last either way; other fields
// compare their texts with `locale.CompareNoCase`. A record whose fourteen
// fields are empty (the notes by their plain text) comes after every other
// record in both directions. Records that compare equal keep their order,
// which makes the result exactly that of ExchangeSortRecords in O(n log n).
// Gives for each new position the position the record came from.
std::vector<std::size_t> SortRecords(std::vector<Record>& records, int field, bool ascending, const Locale& locale);
// Whether SortRecords would leave the records as they are.
bool RecordsInOrder(const std::vector<Record>& records, int field, bool ascending, const Locale& locale);

// The same order by repeated passes that swap neighbours standing in the wrong
// order until a pass swaps nothing: quadratic, the reference for SortRecords.
std::vector<std::size_t> ExchangeSortRecords(std::vector<Record>& records, int field, bool ascending,
                                             const Locale& locale);

}  // namespace kv
