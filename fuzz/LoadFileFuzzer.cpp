// libFuzzer target: LoadFile on arbitrary bytes must never crash, overrun or
// hang, whatever the file holds.
#include <cstddef>
#include <cstdint>

#include "db/PasswordFile.h"
#include "tests/support/FixedLocale.h"
#include "tests/support/MemoryFileSystem.h"
#include "tests/support/ScriptedFileUi.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::test::MemoryFileSystem files;
    files.files["fuzz.kv"].assign(data, data + size);
    files.files["other.kv"].assign(data, data + size / 2);
    kv::test::ScriptedFileUi ui;
    // One prompt types a password and then browses to another file; the
    // second prompt cancels.
    ui.prompts.push_back(kv::test::PromptScript{{"fuzz"}, "other.kv"});
    kv::test::FixedLocale locale;
    kv::PasswordDatabase db;
    db.FilePath = "fuzz.kv";
    db.MasterPassword = "fuzz";
    kv::CPasswordFile file(db, ui, files, locale);
    if (file.LoadFile()) {
        // A file read completely can be written again and read back.
        db.FilePath = "copy.kv";
        file.SaveFile(kv::FoldersInArrayOrder(db));
    }
    return 0;
}
