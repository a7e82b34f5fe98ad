// The built KelvandorKey.dll and the programs that link it, as files and as
// loaded here: the exports the program binds, and binding by ordinal.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/hooklib/KeyLibraryLinkage.h"
#include "tests/ui/support/ProgramUnderTest.h"

namespace kv::keys {
namespace {

std::string ModulePath(HMODULE module) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(module, path, MAX_PATH);
    return path;
}

std::string Lines(const std::vector<std::string>& problems) {
    std::string lines;
    for (const std::string& problem : problems) lines += problem + "\n";
    return lines;
}

pe::PeImage Read(const std::string& path) {
    pe::PeImage image;
    std::string error;
    EXPECT_TRUE(pe::ReadPeFile(path, image, error)) << error;
    return image;
}

TEST(KeyLibraryFilesTest, LibraryExportsByNameAndOrdinal) {
    const HMODULE library = GetModuleHandleA("KelvandorKey.dll");
    ASSERT_NE(library, nullptr) << "linking the library loads it at start";
    const std::vector<std::string> problems = KeyLibraryExportProblems(Read(ModulePath(library)));
    EXPECT_TRUE(problems.empty()) << Lines(problems);

    EXPECT_NE(GetProcAddress(library, "SendKeys"), nullptr);
    EXPECT_EQ(GetProcAddress(library, MAKEINTRESOURCEA(3)), GetProcAddress(library, "SendKeys"));
    EXPECT_EQ(GetProcAddress(library, MAKEINTRESOURCEA(2)), GetProcAddress(library, "JrnlPlayBackHook"));
}

TEST(KeyLibraryFilesTest, ProgramsBindTheLibraryByOrdinal) {
    const std::string& program = uitest::ProgramUnderTest();
    ASSERT_FALSE(program.empty()) << "give the path of Kelvandor.exe as the first argument";
    for (const std::string& path : {program, ModulePath(nullptr)}) {
        const std::vector<std::string> problems = KeyLibraryImportProblems(Read(path));
        EXPECT_TRUE(problems.empty()) << path << "\n" << Lines(problems);
    }
}

}  // namespace
}  // namespace kv::keys
