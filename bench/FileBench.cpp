// Load and save of a large protected file: keyed once against keyed per
// string, and against the floor of the format, raw Blowfish over its bytes.
#include <cstdio>
#include <filesystem>
#include <vector>

#include "bench/BenchSupport.h"
#include "bench/HeapCounter.h"
#include "bench/SyntheticDatabase.h"
#include "db/Blowfish.h"
#include "db/PasswordFile.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"

namespace kv::bench {
namespace {

double TimeSave(PasswordDatabase& db, KeyingPolicy keying, int runs) {
    SilentUi ui;
    return BestSeconds(runs, [&] {
        CPasswordFile file(db, ui, SystemFileSystem(), SystemLocale());
        file.SetKeyingPolicy(keying);
        if (!file.SaveFile(FoldersInArrayOrder(db))) std::abort();
    });
}

double TimeLoad(const PasswordDatabase& source, KeyingPolicy keying, int runs) {
    SilentUi ui;
    return BestSeconds(runs, [&] {
        PasswordDatabase db;
        db.FilePath = source.FilePath;
        db.MasterPassword = source.MasterPassword;
        CPasswordFile file(db, ui, SystemFileSystem(), SystemLocale());
        file.SetKeyingPolicy(keying);
        if (!file.LoadFile()) std::abort();
    });
}

void PrintRatio(const char* what, double seconds, double reference, const char* goal) {
    std::printf("  %-44s %8.3f s   ratio %6.1f  (%s)\n", what, seconds, seconds / reference, goal);
}

}  // namespace

void RunFileBenchmarks(const BenchOptions& options) {
    PasswordDatabase db = MakeSyntheticDatabase(options.records);
    db.FilePath = options.folder + "/bench-" + std::to_string(options.records) + ".kv";
    const std::size_t encrypted = EncryptedBytes(db);

    const double saveOnce = TimeSave(db, KeyingPolicy::OncePerKey, 3);
    FileContents bytes;
    SystemFileSystem().ReadAll(db.FilePath, bytes);
    std::printf("Password file: %zu records in %zu folders, protected; file %s, of it %s encrypted\n",
                options.records, db.Folders.size(), Megabytes(bytes.size()).c_str(),
                Megabytes(encrypted).c_str());
    bytes.clear();
    bytes.shrink_to_fit();

    const double loadOnce = TimeLoad(db, KeyingPolicy::OncePerKey, 3);
    const double saveEvery = TimeSave(db, KeyingPolicy::EveryUse, 1);
    const double loadEvery = TimeLoad(db, KeyingPolicy::EveryUse, 1);

    std::vector<unsigned char> raw(encrypted, 0x5A);
    const CBlowfish cipher(db.MasterPassword.c_str());
    const double rawEncrypt = BestSeconds(3, [&] { cipher.EncryptBuffer(raw.data(), raw.size()); });
    const double rawDecrypt = BestSeconds(3, [&] { cipher.DecryptBuffer(raw.data(), raw.size()); });

    std::printf("  %-44s %8.3f s\n", "save, cipher keyed once per key", saveOnce);
    std::printf("  %-44s %8.3f s\n", "load, cipher keyed once per key", loadOnce);
    PrintRatio("save, cipher keyed for every string", saveEvery, saveOnce, "speed-up, goal >= 50");
    PrintRatio("load, cipher keyed for every string", loadEvery, loadOnce, "speed-up, goal >= 50");
    std::printf("  %-44s %8.3f s\n", "raw Blowfish ECB encrypt of the same bytes", rawEncrypt);
    std::printf("  %-44s %8.3f s\n", "raw Blowfish ECB decrypt of the same bytes", rawDecrypt);
    PrintRatio("save against raw encrypt", saveOnce, rawEncrypt, "distance to the floor, goal <= 3");
    PrintRatio("load against raw decrypt", loadOnce, rawDecrypt, "distance to the floor, goal <= 2");

    const std::size_t before = HeapInUse();
    ResetHeapPeak();
    {
        SilentUi ui;
        PasswordDatabase loaded;
        loaded.FilePath = db.FilePath;
        loaded.MasterPassword = db.MasterPassword;
        CPasswordFile file(loaded, ui, SystemFileSystem(), SystemLocale());
        file.LoadFile();
        const std::size_t held = HeapInUse() - before;
        // A large file buffer lies outside the heap, and it lives through the whole load.
        const auto fileSize = static_cast<std::size_t>(std::filesystem::file_size(db.FilePath));
        const std::size_t peak = HeapPeak() - before + (fileSize >= kLargeFileBuffer ? fileSize : 0);
        std::printf("  peak memory during a load, file buffer included: %s (%zu bytes per record); held after it: %s\n",
                    Megabytes(peak).c_str(), peak / options.records, Megabytes(held).c_str());
    }
    SystemFileSystem().Remove(db.FilePath);
}

}  // namespace kv::bench
