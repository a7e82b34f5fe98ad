// kelvandor-pecheck: checks built Windows files on any platform: that
// KelvandorKey.dll exports its functions under the names and ordinals the
// program relies on, that each program binds the library by ordinal, and
// that each browser helper exports the entry points of a COM server.
#include <cstdio>
#include <string>
#include <vector>

#include "tests/hooklib/KeyLibraryLinkage.h"
#include "tests/support/ServerExports.h"

namespace {

// Prints the file's problems; returns whether there were none.
using ProblemCheck = std::vector<std::string> (*)(const kv::pe::PeImage&);

bool Report(const std::string& path, ProblemCheck problemsOf) {
    kv::pe::PeImage image;
    std::string error;
    if (!kv::pe::ReadPeFile(path, image, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    const std::vector<std::string> problems = problemsOf(image);
    for (const std::string& problem : problems) std::fprintf(stderr, "%s %s\n", path.c_str(), problem.c_str());
    if (problems.empty()) std::printf("%s: ok\n", path.c_str());
    return problems.empty();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: kelvandor-pecheck KelvandorKey.dll PROGRAM.exe... [--server SERVER.dll...]\n");
        return 2;
    }
    bool ok = Report(argv[1], kv::keys::KeyLibraryExportProblems);
    ProblemCheck check = kv::keys::KeyLibraryImportProblems;
    for (int i = 2; i < argc; ++i) {
        if (std::string(argv[i]) == "--server") {
            check = kv::pe::ServerExportProblems;
            continue;
        }
        ok = Report(argv[i], check) && ok;
    }
    return ok ? 0 : 1;
}
