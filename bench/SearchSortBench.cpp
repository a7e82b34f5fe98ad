// Sorting records and searching them: the stable sort against the exchange
// sort whose order it keeps, and a record search that finds nothing against a
// plain scan of the same texts.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "bench/BenchSupport.h"
#include "bench/SyntheticDatabase.h"
#include "editor/RecordSearch.h"
#include "editor/RecordSort.h"
#include "platform/Locale.h"
#include "tests/support/CountingFinder.h"

namespace kv::bench {
namespace {

using SortFunction = std::vector<std::size_t> (*)(std::vector<Record>&, int, bool, const Locale&);

// The records of a synthetic database of `count` records in one folder, in no particular order.
std::vector<Record> FolderOf(std::size_t count) {
    const PasswordDatabase db = MakeSyntheticDatabase(count);
    std::vector<Record> records;
    records.reserve(count);
    for (const Folder& folder : db.Folders) records.insert(records.end(), folder.records.begin(), folder.records.end());
    std::shuffle(records.begin(), records.end(), std::mt19937(5));
    return records;
}

// The shortest of `runs` sorts of a copy of `records` by Description (the
// copying not timed); `sorted` receives the order.
double TimeSort(const std::vector<Record>& records, SortFunction sort, int runs, std::vector<Record>& sorted) {
    double best = 1e300;
    for (int run = 0; run < runs; ++run) {
        sorted = records;
        best = std::min(best, BestSeconds(1, [&] { sort(sorted, kDescription, true, SystemLocale()); }));
    }
    return best;
}

void PrintTime(const std::string& what, double seconds) {
    std::printf("  %-44s %10.3f ms\n", what.c_str(), seconds * 1e3);
}

void PrintRatio(const std::string& what, double seconds, double reference, const std::string& meaning) {
    std::printf("  %-44s %10.3f ms   ratio %8.1f  (%s)\n", what.c_str(), seconds * 1e3, seconds / reference,
                meaning.c_str());
}

void RunSortBenchmark(const BenchOptions& options) {
    const std::size_t large = std::min<std::size_t>(20000, options.records);
    const std::size_t small = std::min<std::size_t>(1000, large);
    const std::vector<Record> smallFolder = FolderOf(small);
    const std::vector<Record> largeFolder = FolderOf(large);
    std::printf("\nRecord sort: one folder of synthetic records in random order, by Description\n");

    std::vector<Record> smallSorted;
    std::vector<Record> largeSorted;
    std::vector<Record> reference;
    const double smallSort = TimeSort(smallFolder, SortRecords, 5, smallSorted);
    const double largeSort = TimeSort(largeFolder, SortRecords, 3, largeSorted);
    const std::string smallName = std::to_string(small) + " records";
    const std::string largeName = std::to_string(large) + " records";
    PrintTime("SortRecords, " + smallName, smallSort);
    PrintRatio("SortRecords, " + largeName, largeSort, smallSort,
               "growth for " + std::to_string(large / small) + " times the records, " + std::to_string(large / small) +
                   " would be linear");

    const double smallExchange = TimeSort(smallFolder, ExchangeSortRecords, 1, reference);
    if (reference != smallSorted) std::abort();
    PrintRatio("exchange sort, " + smallName, smallExchange, smallSort, "against SortRecords");

    // Quadratic: the large sort runs only when it should end within about ten seconds.
    const double growth = static_cast<double>(large) / static_cast<double>(small);
    const double expected = smallExchange * growth * growth;
    if (expected > 10.0) {
        std::printf("  %-44s skipped, about %.0f s expected\n", ("exchange sort, " + largeName).c_str(), expected);
        return;
    }
    const double largeExchange = TimeSort(largeFolder, ExchangeSortRecords, 1, reference);
    if (reference != largeSorted) std::abort();
    PrintRatio("exchange sort, " + largeName, largeExchange, largeSort, "against SortRecords");
}

void RunSearchBenchmark(const BenchOptions& options) {
    const PasswordDatabase db = MakeSyntheticDatabase(options.records);
    FolderTreeModel tree;
    tree.Build(db.Folders);
    const AppSettings settings;
    const std::uint32_t searchOptions = settings.SearchOptions;
    const std::string text = "no-such-text";  // synthetic texts hold no hyphen
    std::size_t notes = 0;
    for (const Folder& folder : db.Folders) {
        for (const Record& record : folder.records) notes += record.fields[kNotes].empty() ? 0 : 1;
    }
    std::printf("\nRecord search: %zu records (%zu with notes) in %zu folders, a text found nowhere, options %u\n",
                options.records, notes, db.Folders.size(), searchOptions);

    constexpr int kRuns = 3;
    test::CountingFinder finder;
    RecordSearch search(finder);
    const double searched = BestSeconds(kRuns, [&] {
        search.Reset();
        if (search.FindNext(tree, tree.First(), db.Folders, settings, text, searchOptions)) std::abort();
    });
    std::size_t matches = 0;
    const double scanned = BestSeconds(kRuns, [&] {
        for (const Folder& folder : db.Folders) {
            for (const Record& record : folder.records) {
                for (const std::string& value : record.fields) matches += MatchesSearch(value, text, searchOptions);
            }
        }
    });
    if (matches != 0) std::abort();

    PrintTime("plain scan: MatchesSearch on every field", scanned);
    PrintRatio("RecordSearch::FindNext through the whole tree", searched, scanned, "against the scan");
    std::printf("  notes that needed a rich edit control: %zu of %zu\n", finder.calls / kRuns, notes);
}

}  // namespace

void RunSearchSortBenchmarks(const BenchOptions& options) {
    RunSortBenchmark(options);
    RunSearchBenchmark(options);
}

}  // namespace kv::bench
