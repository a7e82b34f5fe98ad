// A database with an in-memory file system, scripted prompts and a fixed
// locale: everything a load or a save needs.
#pragma once

#include <string>
#include <vector>

#include "db/Database.h"
#include "db/PasswordFile.h"
#include "tests/support/FixedLocale.h"
#include "tests/support/MemoryFileSystem.h"
#include "tests/support/ScriptedFileUi.h"

namespace kv::test {

constexpr char kTestPath[] = "C:\\Data\\Secrets.kv";

struct FileHarness {
    PasswordDatabase db;
    MemoryFileSystem fs;
    ScriptedFileUi ui;
    FixedLocale locale;
    std::string version;  // of the last file loaded

    FileHarness() {
        db.FilePath = kTestPath;
        db.FileLoaded = 1;
    }

    bool Save(KeyingPolicy keying = KeyingPolicy::OncePerKey) {
        CPasswordFile file(db, ui, fs, locale);
        file.SetKeyingPolicy(keying);
        return file.SaveFile(FoldersInArrayOrder(db));
    }

    // Loads the file into a fresh database that knows `password` (as the
    // program does right after the file was created or typed in).
    bool Load(const std::string& password = "") {
        const std::string path = db.FilePath;
        db = PasswordDatabase();
        db.FilePath = path;
        db.MasterPassword = password;
        CPasswordFile file(db, ui, fs, locale);
        const bool loaded = file.LoadFile();
        version = file.Version();
        return loaded;
    }

    void Put(const std::vector<unsigned char>& bytes) { fs.files[db.FilePath] = bytes; }
    const std::vector<unsigned char>& Bytes() { return fs.files[db.FilePath]; }
};

}  // namespace kv::test
