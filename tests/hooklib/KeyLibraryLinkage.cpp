#include "tests/hooklib/KeyLibraryLinkage.h"

#include <algorithm>
#include <cctype>

namespace kv::keys {
namespace {

constexpr char kLibrary[] = "KelvandorKey.dll";
constexpr std::uint32_t kSendKeysOrdinal = 3;

struct ExpectedExport {
    const char* name;
    std::uint32_t ordinal;
};
constexpr ExpectedExport kExpectedExports[] = {{"JrnlPlayBackHook", 2}, {"SendKeys", kSendKeysOrdinal}};

bool IsKeyLibrary(const std::string& module) {
    const std::string expected = kLibrary;
    return std::equal(module.begin(), module.end(), expected.begin(), expected.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

}  // namespace

std::vector<std::string> KeyLibraryExportProblems(const pe::PeImage& library) {
    std::vector<std::string> problems;
    for (const ExpectedExport& expected : kExpectedExports) {
        const auto found = std::find_if(library.exports.begin(), library.exports.end(),
                                        [&](const pe::ExportedSymbol& symbol) { return symbol.name == expected.name; });
        if (found == library.exports.end()) {
            problems.push_back(std::string("does not export ") + expected.name + " by name");
        } else if (found->ordinal != expected.ordinal) {
            problems.push_back(std::string("exports ") + expected.name + " as ordinal " + std::to_string(found->ordinal) +
                               ", not " + std::to_string(expected.ordinal));
        }
    }
    for (const pe::ExportedSymbol& symbol : library.exports) {
        if (symbol.name.find('@') != std::string::npos) problems.push_back("exports the decorated name " + symbol.name);
    }
    return problems;
}

std::vector<std::string> KeyLibraryImportProblems(const pe::PeImage& program) {
    std::vector<std::string> problems;
    bool bindsSendKeys = false;
    for (const pe::ImportedSymbol& symbol : program.imports) {
        if (!IsKeyLibrary(symbol.module)) continue;
        if (!symbol.byOrdinal) problems.push_back("imports " + symbol.name + " of " + kLibrary + " by name");
        bindsSendKeys = bindsSendKeys || (symbol.byOrdinal && symbol.ordinal == kSendKeysOrdinal);
    }
    if (!bindsSendKeys) {
        problems.push_back(std::string("does not import ordinal ") + std::to_string(kSendKeysOrdinal) + " (SendKeys) of " + kLibrary);
    }
    return problems;
}

}  // namespace kv::keys
