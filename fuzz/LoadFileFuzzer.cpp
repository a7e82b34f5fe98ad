// libFuzzer target: LoadFile on arbitrary bytes must never crash, overrun or
// hang, whatever the file holds; a file read completely saves, and the saved
// file loads without a prompt and saves again to the same bytes.
#include <cstddef>
#include <cstdint>

#include "db/PasswordFile.h"
#include "fuzz/FuzzCheck.h"
#include "tests/support/FixedLocale.h"
#include "tests/support/MemoryFileSystem.h"
#include "tests/support/ScriptedFileUi.h"

namespace {

// The password the fuzz seeds are protected with.
constexpr char kPassword[] = "fuzz";

bool Save(kv::PasswordDatabase& db, kv::FileSystem& files, const char* path) {
    kv::test::ScriptedFileUi ui;
    kv::test::FixedLocale locale;
    db.FilePath = path;
    return kv::CPasswordFile(db, ui, files, locale).SaveFile(kv::FoldersInArrayOrder(db));
}

// Loads the saved copy under the password it was saved with: no prompt.
void CheckSavedCopy(const kv::PasswordDatabase& loaded, kv::test::MemoryFileSystem& files) {
    kv::PasswordDatabase copy;
    copy.FilePath = "copy.kv";
    copy.MasterPassword = loaded.MasterPassword;
    kv::test::ScriptedFileUi ui;
    kv::test::FixedLocale locale;
    kv::fuzz::Check(kv::CPasswordFile(copy, ui, files, locale).LoadFile(), "a saved file loads");
    kv::fuzz::Check(ui.asked.empty(), "a saved file loads under its own password without a prompt");
    kv::fuzz::Check(copy.Folders.size() == loaded.Folders.size(), "a saved file keeps every folder");
    kv::fuzz::Check(Save(copy, files, "again.kv"), "a reloaded file saves");
    kv::fuzz::Check(files.files["again.kv"] == files.files["copy.kv"], "a reloaded file saves to the same bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::test::MemoryFileSystem files;
    files.files["fuzz.kv"].assign(data, data + size);
    files.files["other.kv"].assign(data, data + size / 2);
    kv::test::ScriptedFileUi ui;
    // The first prompt types a wrong password, then the seeds' one, and then
    // browses to another file; the second prompt cancels.
    ui.prompts.push_back(kv::test::PromptScript{{"wrong", kPassword}, "other.kv"});
    kv::test::FixedLocale locale;
    kv::PasswordDatabase db;
    db.FilePath = "fuzz.kv";
    if (kv::CPasswordFile(db, ui, files, locale).LoadFile()) {
        kv::fuzz::Check(Save(db, files, "copy.kv"), "a file read completely saves");
        CheckSavedCopy(db, files);
    }
    return 0;
}
