// Export and import of comma-separated text against the floor: a plain
// write and read of the same bytes, and the growth from 10,000 rows to 100,000.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/BenchSupport.h"
#include "bench/SyntheticDatabase.h"
#include "platform/Locale.h"
#include "transfer/CsvExport.h"
#include "transfer/CsvImport.h"

namespace kv::bench {
namespace {

struct TransferTimes {
    double exportSeconds = 0;
    double importSeconds = 0;
    double writeSeconds = 0;
    double readSeconds = 0;
    std::size_t bytes = 0;
};

// Plain stdio for export, import and the floor alike.
void WriteFile(const std::string& path, const std::string& bytes) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() || std::fclose(out) != 0) {
        std::abort();
    }
}

std::string ReadFile(const std::string& path) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in || std::fseek(in, 0, SEEK_END) != 0) std::abort();
    std::string bytes(static_cast<std::size_t>(std::ftell(in)), '\0');
    std::rewind(in);
    if (std::fread(bytes.data(), 1, bytes.size(), in) != bytes.size()) std::abort();
    std::fclose(in);
    return bytes;
}

TransferTimes TimeTransfer(std::size_t records, const std::string& folder) {
    const PasswordDatabase db = MakeSyntheticDatabase(records);
    ExportOptions exportOptions;
    for (std::size_t i = 0; i < db.Folders.size(); ++i) exportOptions.folders.push_back(static_cast<int>(i));
    ImportOptions importOptions;
    for (int f = 0; f < kFieldCount; ++f) {
        exportOptions.fields.push_back(f);
        importOptions.order.push_back(f);
    }
    const FieldNames names = CurrentFieldNames(AppSettings());
    const std::string path = folder + "/bench-" + std::to_string(records) + ".csv";
    TransferTimes t;
    std::string bytes;
    t.exportSeconds = BestSeconds(3, [&] {
        std::FILE* out = std::fopen(path.c_str(), "wb");
        const bool written = out && ExportCsv(db, exportOptions, names, SystemLocale(), [&](std::string_view piece) {
            return std::fwrite(piece.data(), 1, piece.size(), out) == piece.size();
        });
        if (!written || std::fclose(out) != 0) std::abort();
    });
    bytes = ReadFile(path);
    t.bytes = bytes.size();
    t.writeSeconds = BestSeconds(3, [&] { WriteFile(path, bytes); });
    t.readSeconds = BestSeconds(3, [&] { bytes = ReadFile(path); });
    std::size_t imported = 0;
    t.importSeconds = BestSeconds(3, [&] {
        imported = ImportCsv(ReadFile(path), importOptions, SystemLocale()).records.size();
    });
    if (imported == 0) std::abort();
    std::remove(path.c_str());
    return t;
}

void Print(const char* what, double seconds, double reference, const char* goal) {
    std::printf("  %-44s %8.3f s   ratio %6.1f  (%s)\n", what, seconds, seconds / reference, goal);
}

}  // namespace

void RunTransferBenchmarks(const BenchOptions& options) {
    const TransferTimes small = TimeTransfer(options.records / 10, options.folder);
    const TransferTimes large = TimeTransfer(options.records, options.folder);
    std::printf("\nComma-separated text: %zu records, %s\n", options.records, Megabytes(large.bytes).c_str());
    std::printf("  %-44s %8.3f s\n", "plain write of the same bytes", large.writeSeconds);
    std::printf("  %-44s %8.3f s\n", "plain read of the same bytes", large.readSeconds);
    Print("export (lay out and write)", large.exportSeconds, large.writeSeconds, "distance to the floor, goal <= 3");
    Print("import (read and parse)", large.importSeconds, large.readSeconds, "distance to the floor, goal <= 3");
    Print("export growth, 10x the rows", large.exportSeconds, small.exportSeconds, "linear is 10");
    Print("import growth, 10x the rows", large.importSeconds, small.importSeconds, "linear is 10");
}

}  // namespace kv::bench
