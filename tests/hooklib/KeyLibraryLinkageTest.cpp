#include <gtest/gtest.h>

#include <string>

#include "tests/hooklib/KeyLibraryLinkage.h"
#include "tests/hooklib/PeBuilder.h"

namespace kv::keys {
namespace {

using pe::test::PeBuilder;

pe::PeImage Read(PeBuilder builder) {
    pe::PeImage image;
    std::string error;
    EXPECT_TRUE(pe::ReadPeImage(builder.Build(), image, error)) << error;
    return image;
}

TEST(KeyLibraryLinkageTest, LibraryExportsByNameAndOrdinal) {
    EXPECT_TRUE(KeyLibraryExportProblems(Read(PeBuilder(false).Export("JrnlPlayBackHook", 2).Export("SendKeys", 3))).empty());
    EXPECT_TRUE(KeyLibraryExportProblems(
                    Read(PeBuilder(true).Export("JrnlPlayBackHook", 2).Export("SendKeys", 3).Export("SetHook", 5)))
                    .empty());

    EXPECT_EQ(KeyLibraryExportProblems(Read(PeBuilder(false).Export("JrnlPlayBackHook", 2).Export("SendKeys", 1))),
              (std::vector<std::string>{"exports SendKeys as ordinal 1, not 3"}));
    EXPECT_EQ(KeyLibraryExportProblems(Read(PeBuilder(false).Export("JrnlPlayBackHook", 2).Export("", 3))),
              (std::vector<std::string>{"does not export SendKeys by name"}));
    EXPECT_EQ(KeyLibraryExportProblems(Read(PeBuilder(false).Export("JrnlPlayBackHook@12", 2).Export("SendKeys", 3))),
              (std::vector<std::string>{"does not export JrnlPlayBackHook by name",
                                        "exports the decorated name JrnlPlayBackHook@12"}));
}

TEST(KeyLibraryLinkageTest, ProgramBindsSendKeysByOrdinal) {
    EXPECT_TRUE(KeyLibraryImportProblems(Read(PeBuilder(false).ImportOrdinal("KelvandorKey.dll", 3))).empty());
    EXPECT_TRUE(KeyLibraryImportProblems(
                    Read(PeBuilder(true).ImportName("user32.dll", "SendInput").ImportOrdinal("KELVANDORKEY.DLL", 3)))
                    .empty());

    EXPECT_EQ(KeyLibraryImportProblems(Read(PeBuilder(false).ImportName("KelvandorKey.dll", "SendKeys"))),
              (std::vector<std::string>{"imports SendKeys of KelvandorKey.dll by name",
                                        "does not import ordinal 3 (SendKeys) of KelvandorKey.dll"}));
    EXPECT_EQ(KeyLibraryImportProblems(Read(PeBuilder(false).ImportOrdinal("KelvandorKey.dll", 2))),
              (std::vector<std::string>{"does not import ordinal 3 (SendKeys) of KelvandorKey.dll"}));
    EXPECT_EQ(KeyLibraryImportProblems(Read(PeBuilder(false).ImportOrdinal("Other.dll", 3))),
              (std::vector<std::string>{"does not import ordinal 3 (SendKeys) of KelvandorKey.dll"}));
}

}  // namespace
}  // namespace kv::keys
