// kelvandor-pecheck: checks built Windows files on any platform: that
// KelvandorKey.dll exports its functions under the names and ordinals the
// program relies on, and that each program binds the library by ordinal.
#include <cstdio>
#include <string>
#include <vector>

#include "tests/hooklib/KeyLibraryLinkage.h"

namespace {

// Prints the file's problems; returns whether there were none.
bool Report(const std::string& path, std::vector<std::string> (*problemsOf)(const kv::pe::PeImage&)) {
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
        std::fprintf(stderr, "usage: kelvandor-pecheck KelvandorKey.dll PROGRAM.exe...\n");
        return 2;
    }
    bool ok = Report(argv[1], kv::keys::KeyLibraryExportProblems);
    for (int i = 2; i < argc; ++i) ok = Report(argv[i], kv::keys::KeyLibraryImportProblems) && ok;
    return ok ? 0 : 1;
}
