// libFuzzer target: the comma-separated reader and the import over it must
// never crash, overrun or hang on any bytes, in any encoding they claim.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tests/support/FixedLocale.h"
#include "transfer/CsvImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kv::test::FixedLocale locale;
    kv::ImportOptions options;
    options.order = {0, -1, 2, 9, 10, 13};
    options.skipLines = size > 0 ? data[0] % 3 : 0;
    const kv::ImportResult result = kv::ImportCsv(std::string(bytes), options, locale);
    kv::ImportSummary(result);
    kv::ProposeOrder(kv::HeadingOf(bytes, locale), kv::FieldNames{}, locale);
    return 0;
}
