#include "tests/hooklib/KeyLibraryLinkage.h"

#include <algorithm>
#include <cctype>

namespace kv::keys {
namespace {

constexpr char kLibrary[] = "KelvandorKey.dll";
// The functions that programs bind when they start, by ordinal.
struct BoundFunction {
    const char* name;
    std::uint32_t ordinal;
};
constexpr BoundFunction kBound[] = {{"SendKeys", 3}, {"SetHook", 5}, {"GetFormData", 8}, {"FillAuthDlg", 9}};

constexpr char kSharedSection[] = ".Shared";
constexpr std::uint32_t kSharedSectionSize = 176;

struct ExpectedExport {
    const char* name;
    std::uint32_t ordinal;
};
constexpr ExpectedExport kExpectedExports[] = {
    {"JrnlPlayBackHook", 2}, {"SendKeys", 3},     {"SetHook", 5},        {"RemoveHook", 6},
    {"CBT_Proc", 7},         {"GetFormData", 8},  {"FillAuthDlg", 9},    {"bMessageSent", 10},
    {"hHook", 11},           {"hWndKelvandor", 12}, {"m_hWndIE", 13},    {"szPassword", 14},
    {"szUsername", 15}};

void CheckSharedSection(const pe::PeImage& library, std::vector<std::string>& problems) {
    const auto section = std::find_if(library.sections.begin(), library.sections.end(),
                                      [](const pe::SectionHeader& s) { return s.name == kSharedSection; });
    if (section == library.sections.end()) {
        problems.push_back(std::string("has no ") + kSharedSection + " section");
        return;
    }
    if (section->virtualSize != kSharedSectionSize) {
        problems.push_back(std::string(kSharedSection) + " holds " + std::to_string(section->virtualSize) +
                           " bytes, not " + std::to_string(kSharedSectionSize));
    }
    const std::uint32_t needed = pe::kSectionShared | pe::kSectionReadable | pe::kSectionWritable;
    if ((section->characteristics & needed) != needed) {
        problems.push_back(std::string(kSharedSection) + " is not shared, readable and writable");
    }
}

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
    CheckSharedSection(library, problems);
    return problems;
}

std::vector<std::string> KeyLibraryImportProblems(const pe::PeImage& program) {
    std::vector<std::string> problems;
    for (const pe::ImportedSymbol& symbol : program.imports) {
        if (IsKeyLibrary(symbol.module) && !symbol.byOrdinal) {
            problems.push_back("imports " + symbol.name + " of " + kLibrary + " by name");
        }
    }
    for (const BoundFunction& bound : kBound) {
        const bool imported = std::any_of(program.imports.begin(), program.imports.end(), [&](const pe::ImportedSymbol& s) {
            return IsKeyLibrary(s.module) && s.byOrdinal && s.ordinal == bound.ordinal;
        });
        if (!imported) {
            problems.push_back(std::string("does not import ordinal ") + std::to_string(bound.ordinal) + " (" +
                               bound.name + ") of " + kLibrary);
        }
    }
    return problems;
}

}  // namespace kv::keys
