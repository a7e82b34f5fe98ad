#include <gtest/gtest.h>

#include "db/RichText.h"

namespace kv {
namespace {

TEST(RichTextTest, PlainTextPassesThrough) {
    EXPECT_EQ(PlainTextOf("just {text}\\par").view(), "just {text}\\par");
    EXPECT_EQ(PlainTextOf("").view(), "");
}

TEST(RichTextTest, DocumentTextWithoutFormatting) {
    const char* rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
        "{\\colortbl ;\\red255\\green0\\blue0;}"
        "{\\*\\generator Riched20 10.0;}\\viewkind4\\uc1\\pard\\f0\\fs20 "
        "First \\b bold\\b0  line\\par\nSecond\\tab tab\\par\n}";
    EXPECT_EQ(PlainTextOf(rtf).view(), "First bold line\r\nSecond\ttab");
}

TEST(RichTextTest, EscapesHexAndUnicode) {
    EXPECT_EQ(PlainTextOf("{\\rtf1 a\\{b\\}c\\\\d}").view(), "a{b}c\\d");
    EXPECT_EQ(PlainTextOf("{\\rtf1 caf\\'e9}").view(), "caf\xE9");
    EXPECT_EQ(PlainTextOf("{\\rtf1\\uc1 \\u233?t\\u8364?}").view(), "\xE9t?");
    EXPECT_EQ(PlainTextOf("{\\rtf1 a\\~b\\emdash c}").view(), "a\xA0" "b\x97" "c");
}

TEST(RichTextTest, EmptyDocumentsHaveNoText) {
    EXPECT_EQ(PlainTextOf("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 \\par\n}").view(), "");
    EXPECT_EQ(PlainTextOf("{\\rtf1}").view(), "");
    EXPECT_EQ(PlainTextOf("{\\rtf1{\\*\\unknown hidden}}").view(), "");
}

TEST(RichTextTest, BrokenDocumentsDoNotOverrun) {
    EXPECT_EQ(PlainTextOf("{\\rtf1 abc\\").view(), "abc");
    EXPECT_EQ(PlainTextOf("{\\rtf1 x\\'4").view(), "x");
    EXPECT_EQ(PlainTextOf("{\\rtf1 }}}} y").view(), " y");
    EXPECT_EQ(PlainTextOf("{\\rtf1 \\u-3").view(), "");
}

}  // namespace
}  // namespace kv
