// libFuzzer target: the PassCard reader and its import into a folder must
// never crash, overrun or hang, whatever the page holds (UTF-16 included).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "db/Database.h"
#include "tests/support/FixedLocale.h"
#include "webforms/PassCardImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::test::FixedLocale locale;
    kv::PasswordDatabase db;
    kv::AddFolder(db, "Target", kv::kDefaultCategory);
    const kv::PassCardImportResult result =
        kv::ImportPassCards(std::string_view(reinterpret_cast<const char*>(data), size), db, 0, locale);
    kv::PassCardSummary(result);
    return 0;
}
