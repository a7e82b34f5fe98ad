// The undo history over copy-on-write records: one undoable change against a
// full deep copy of the folder array, and the memory that five levels hold.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "bench/HeapCounter.h"
#include "bench/SyntheticDatabase.h"
#include "views/UndoHistory.h"

namespace kv::bench {
namespace {

// A copy that duplicates every record, as a history without shared storage
// takes: writing each folder's records gives the copy storage of its own.
std::vector<Folder> DeepCopy(const std::vector<Folder>& folders) {
    std::vector<Folder> copy = folders;
    for (Folder& folder : copy) folder.records.write();
    return copy;
}

// An edit of one field of one record, which copies the records of that folder only.
void EditOneRecord(std::vector<Folder>& folders, std::size_t folder) {
    folders[folder].records.write().front().fields[kPassword] += "!";
}

void PrintMilliseconds(const char* what, double seconds) {
    std::printf("  %-44s %8.3f ms\n", what, seconds * 1e3);
}

}  // namespace

void RunUndoBenchmarks(const BenchOptions& options) {
    const std::size_t empty = HeapInUse();
    PasswordDatabase db = MakeSyntheticDatabase(options.records);
    const std::size_t database = HeapInUse() - empty;
    std::vector<Folder>& folders = db.Folders;
    std::printf("\nUndo history: %zu records in %zu folders, %s on the heap\n", options.records, folders.size(),
                Megabytes(database).c_str());

    // One change is far below the clock's grain: time a batch of them.
    constexpr int kChanges = 100;
    const std::string label = "edit Password: " + folders[folders.size() / 2].records.front().fields[kPassword];
    UndoHistory history;
    const double change = BestSeconds(5, [&] {
        for (int i = 0; i < kChanges; ++i) {
            history.PushUndo(label, false, folders, {});
            EditOneRecord(folders, folders.size() / 2);
            if (!history.Undo(folders)) std::abort();
        }
    }) / kChanges;

    // The copies stay until every run is done, so that only the copying is timed.
    constexpr int kCopies = 3;
    std::vector<std::vector<Folder>> copies;
    copies.reserve(kCopies);
    const double deepCopy = BestSeconds(kCopies, [&] { copies.push_back(DeepCopy(folders)); });
    copies.clear();

    PrintMilliseconds("PushUndo, edit of one record, Undo", change);
    std::printf("  %-44s %8.3f ms   ratio %6.1f  (%s)\n", "full deep copy of every folder and record", deepCopy * 1e3,
                deepCopy / change, "speed-up, goal >= 20");

    // Each level is followed by a change of another folder.
    const std::size_t levels = UndoHistory::kLevels;
    const std::size_t before = HeapInUse();
    for (std::size_t level = 0; level < levels; ++level) {
        history.PushUndo(label, false, folders, {});
        EditOneRecord(folders, level * folders.size() / levels);
    }
    const std::size_t held = HeapInUse() - before;
    std::printf("  five undo levels, each followed by a one-folder change, hold %s: %.2f%% of the database\n",
                Megabytes(held).c_str(), 100.0 * static_cast<double>(held) / static_cast<double>(database));
}

}  // namespace kv::bench
