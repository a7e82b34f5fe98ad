#include "tests/support/ServerExports.h"

#include <algorithm>

namespace kv::pe {

std::vector<std::string> ServerExportProblems(const PeImage& server) {
    std::vector<std::string> problems;
    for (const char* name : {"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer", "DllUnregisterServer"}) {
        const bool found = std::any_of(server.exports.begin(), server.exports.end(),
                                       [&](const ExportedSymbol& symbol) { return symbol.name == name; });
        if (!found) problems.push_back(std::string("does not export ") + name);
    }
    for (const ExportedSymbol& symbol : server.exports) {
        if (symbol.name.find('@') != std::string::npos) problems.push_back("exports the decorated name " + symbol.name);
    }
    return problems;
}

}  // namespace kv::pe
