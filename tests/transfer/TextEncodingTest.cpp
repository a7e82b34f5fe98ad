#include <gtest/gtest.h>

#include "tests/support/FixedLocale.h"
#include "transfer/TextEncoding.h"

namespace kv {
namespace {

std::string Utf16(std::u16string_view text, bool littleEndian) {
    std::string out = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (char16_t unit : text) {
        const char lo = static_cast<char>(unit & 0xFF), hi = static_cast<char>(unit >> 8);
        out += littleEndian ? lo : hi;
        out += littleEndian ? hi : lo;
    }
    return out;
}

class TextEncodingTest : public ::testing::Test {
protected:
    test::FixedLocale locale;
};

TEST_F(TextEncodingTest, AnsiBytesStayAsTheyAre) {
    const DecodedText d = DecodeToAnsi("caf\xE9 \x80", locale);
    EXPECT_EQ(d.encoding, TextEncoding::Ansi);
    EXPECT_EQ(d.text, "caf\xE9 \x80");
}

TEST_F(TextEncodingTest, Utf8WithAndWithoutByteOrderMark) {
    const DecodedText bom = DecodeToAnsi("\xEF\xBB\xBF" "caf\xC3\xA9 \xE2\x82\xAC", locale);
    EXPECT_EQ(bom.encoding, TextEncoding::Utf8WithBom);
    EXPECT_EQ(bom.text, "caf\xE9 \x80");
    const DecodedText bare = DecodeToAnsi("caf\xC3\xA9", locale);
    EXPECT_EQ(bare.encoding, TextEncoding::Utf8);
    EXPECT_EQ(bare.text, "caf\xE9");
}

TEST_F(TextEncodingTest, Utf16BothByteOrders) {
    for (bool le : {true, false}) {
        const DecodedText d = DecodeToAnsi(Utf16(u"a\u00E9\u20AC", le), locale);
        EXPECT_EQ(d.encoding, le ? TextEncoding::Utf16LE : TextEncoding::Utf16BE);
        EXPECT_EQ(d.text, "a\xE9\x80");
        EXPECT_EQ(d.unrepresentable, 0u);
    }
}

TEST_F(TextEncodingTest, CharactersOutsideTheCodePageAreCounted) {
    const DecodedText utf8 = DecodeToAnsi("x\xE4\xB8\xAD" "y\xF0\x9F\x94\x91", locale);
    EXPECT_EQ(utf8.text, "x?y?");
    EXPECT_EQ(utf8.unrepresentable, 2u);
    // A surrogate pair is one character; a lone surrogate and an odd last byte are faults.
    std::string utf16 = Utf16(u"a\U0001F511b\xD800", true) + "z";
    const DecodedText wide = DecodeToAnsi(utf16, locale);
    EXPECT_EQ(wide.text, "a?b?");
    EXPECT_EQ(wide.unrepresentable, 3u);
}

}  // namespace
}  // namespace kv
