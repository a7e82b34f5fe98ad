// kelvandor-gen: writes synthetic protected password files of 1,000, 10,000
// and 100,000 records into a folder, for trying the program on large files.
#include <cstdio>
#include <string>

#include "bench/BenchSupport.h"
#include "bench/SyntheticDatabase.h"
#include "db/PasswordFile.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kelvandor-gen FOLDER\n");
        return 2;
    }
    for (const std::size_t records : {1000u, 10000u, 100000u}) {
        kv::PasswordDatabase db = kv::bench::MakeSyntheticDatabase(records);
        db.FilePath = std::string(argv[1]) + "/synthetic-" + std::to_string(records) + ".kv";
        kv::bench::SilentUi ui;
        kv::CPasswordFile file(db, ui, kv::SystemFileSystem(), kv::SystemLocale());
        if (!file.SaveFile(kv::FoldersInArrayOrder(db))) return 1;
        std::printf("%s (password \"%s\")\n", db.FilePath.c_str(), db.MasterPassword.c_str());
    }
    return 0;
}
