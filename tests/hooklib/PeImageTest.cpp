#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/hooklib/PeBuilder.h"
#include "tests/support/PeImage.h"

namespace kv::pe {
namespace {

using test::kHeadersSize;
using test::PeBuilder;

std::vector<std::uint8_t> LibraryAndProgram(bool pe32Plus) {
    return PeBuilder(pe32Plus)
        .Export("Second", 2)
        .Export("Third", 3)
        .Export("", 5)
        .ImportOrdinal("Lib.dll", 3)
        .ImportName("Lib.dll", "Named")
        .ImportName("user32.dll", "SendInput")
        .Build();
}

TEST(PeImageTest, ReadsExportsAndImportsOfBothFormats) {
    for (const bool pe32Plus : {false, true}) {
        SCOPED_TRACE(pe32Plus ? "PE32+" : "PE32");
        PeImage image;
        std::string error;
        ASSERT_TRUE(ReadPeImage(LibraryAndProgram(pe32Plus), image, error)) << error;
        EXPECT_EQ(image.pe32Plus, pe32Plus);
        ASSERT_EQ(image.exports.size(), 3u);
        EXPECT_EQ(image.exports[0].name, "Second");
        EXPECT_EQ(image.exports[0].ordinal, 2u);
        EXPECT_EQ(image.exports[1].name, "Third");
        EXPECT_EQ(image.exports[1].ordinal, 3u);
        EXPECT_EQ(image.exports[2].name, "");
        EXPECT_EQ(image.exports[2].ordinal, 5u);
        ASSERT_EQ(image.imports.size(), 3u);
        EXPECT_EQ(image.imports[0].module, "Lib.dll");
        EXPECT_TRUE(image.imports[0].byOrdinal);
        EXPECT_EQ(image.imports[0].ordinal, 3u);
        EXPECT_FALSE(image.imports[1].byOrdinal);
        EXPECT_EQ(image.imports[1].name, "Named");
        EXPECT_EQ(image.imports[2].module, "user32.dll");
        EXPECT_EQ(image.imports[2].name, "SendInput");
    }
}

TEST(PeImageTest, ImageWithoutDirectoriesHasNoSymbols) {
    PeImage image;
    std::string error;
    ASSERT_TRUE(ReadPeImage(PeBuilder(false).Build(), image, error)) << error;
    EXPECT_TRUE(image.exports.empty());
    EXPECT_TRUE(image.imports.empty());
}

TEST(PeImageTest, RefusesWhatIsNoImage) {
    PeImage image;
    std::string error;
    EXPECT_FALSE(ReadPeImage({}, image, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(ReadPeImage(std::vector<std::uint8_t>(1024, 'M'), image, error));
    EXPECT_FALSE(ReadPeFile("/no/such/folder/file.dll", image, error));
}

TEST(PeImageTest, RefusesEveryCutCopy) {
    const std::vector<std::uint8_t> whole = LibraryAndProgram(true);
    for (std::size_t size = 0; size < whole.size(); ++size) {
        PeImage image;
        std::string error;
        EXPECT_FALSE(ReadPeImage({whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)}, image, error))
            << size;
    }
}

TEST(PeImageTest, RefusesDirectoriesThatPointOutside) {
    std::vector<std::uint8_t> bytes = LibraryAndProgram(false);
    const std::size_t exportDirectory = 0x98 + 96;
    bytes[exportDirectory + 1] = 0x90;  // export directory at 0x9000, beyond the section
    PeImage image;
    std::string error;
    EXPECT_FALSE(ReadPeImage(bytes, image, error));

    bytes = LibraryAndProgram(false);
    const std::size_t nameCount = kHeadersSize + 24;  // the export directory starts the section
    bytes[nameCount + 3] = 0xFF;
    EXPECT_FALSE(ReadPeImage(bytes, image, error));
    EXPECT_TRUE(image.exports.empty());
}

}  // namespace
}  // namespace kv::pe
