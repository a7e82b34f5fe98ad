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

constexpr std::uint32_t kSharedData = pe::kSectionShared | pe::kSectionReadable | pe::kSectionWritable;

// Every export of the library but those named in `leftOut`.
PeBuilder Library(bool pe32Plus, const std::string& leftOut = "") {
    PeBuilder builder(pe32Plus);
    const std::pair<const char*, std::uint16_t> exports[] = {
        {"JrnlPlayBackHook", 2}, {"SendKeys", 3},      {"SetHook", 5},       {"RemoveHook", 6},  {"CBT_Proc", 7},
        {"GetFormData", 8},      {"FillAuthDlg", 9},   {"bMessageSent", 10}, {"hHook", 11},      {"hWndKelvandor", 12},
        {"m_hWndIE", 13},        {"szPassword", 14},   {"szUsername", 15}};
    for (const auto& [name, ordinal] : exports) {
        if (leftOut != name) builder.Export(name, ordinal);
    }
    return builder;
}

TEST(KeyLibraryLinkageTest, LibraryExportsByNameAndOrdinalWithItsSharedSection) {
    EXPECT_TRUE(KeyLibraryExportProblems(Read(Library(false).Section(".Shared", 176, kSharedData))).empty());
    EXPECT_TRUE(KeyLibraryExportProblems(Read(Library(true).Section(".Shared", 176, kSharedData | 0x40))).empty());

    EXPECT_EQ(KeyLibraryExportProblems(Read(Library(false, "SendKeys").Export("SendKeys", 4).Section(".Shared", 176, kSharedData))),
              (std::vector<std::string>{"exports SendKeys as ordinal 4, not 3"}));
    EXPECT_EQ(KeyLibraryExportProblems(Read(Library(false, "szUsername").Export("", 15).Section(".Shared", 176, kSharedData))),
              (std::vector<std::string>{"does not export szUsername by name"}));
    EXPECT_EQ(KeyLibraryExportProblems(
                  Read(Library(false, "JrnlPlayBackHook").Export("JrnlPlayBackHook@12", 2).Section(".Shared", 176, kSharedData))),
              (std::vector<std::string>{"does not export JrnlPlayBackHook by name",
                                        "exports the decorated name JrnlPlayBackHook@12"}));
}

TEST(KeyLibraryLinkageTest, SharedSectionMustBeThereSharedAndOf176Bytes) {
    EXPECT_EQ(KeyLibraryExportProblems(Read(Library(false).Section(".data", 176, kSharedData))),
              (std::vector<std::string>{"has no .Shared section"}));
    EXPECT_EQ(KeyLibraryExportProblems(Read(Library(true).Section(".Shared", 352, kSharedData))),
              (std::vector<std::string>{".Shared holds 352 bytes, not 176"}));
    EXPECT_EQ(KeyLibraryExportProblems(
                  Read(Library(false).Section(".Shared", 176, pe::kSectionReadable | pe::kSectionWritable))),
              (std::vector<std::string>{".Shared is not shared, readable and writable"}));
}

TEST(KeyLibraryLinkageTest, ProgramBindsItsFourFunctionsByOrdinal) {
    const auto program = [](bool pe32Plus) {
        PeBuilder builder(pe32Plus);
        for (const std::uint16_t ordinal : {3, 5, 8, 9}) builder.ImportOrdinal("KelvandorKey.dll", ordinal);
        return builder;
    };
    EXPECT_TRUE(KeyLibraryImportProblems(Read(program(false))).empty());
    EXPECT_TRUE(KeyLibraryImportProblems(Read(program(true).ImportName("user32.dll", "SendInput"))).empty());

    EXPECT_EQ(KeyLibraryImportProblems(Read(program(false).ImportName("KelvandorKey.dll", "RemoveHook"))),
              (std::vector<std::string>{"imports RemoveHook of KelvandorKey.dll by name"}));
    EXPECT_EQ(KeyLibraryImportProblems(Read(PeBuilder(false)
                                                .ImportOrdinal("KELVANDORKEY.DLL", 3)
                                                .ImportOrdinal("KelvandorKey.dll", 5)
                                                .ImportOrdinal("Other.dll", 8)
                                                .ImportOrdinal("KelvandorKey.dll", 9))),
              (std::vector<std::string>{"does not import ordinal 8 (GetFormData) of KelvandorKey.dll"}));
}

}  // namespace
}  // namespace kv::keys
