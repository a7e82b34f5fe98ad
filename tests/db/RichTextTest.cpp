#include <gtest/gtest.h>

#include "db/RichText.h"

namespace kv {
namespace {

TEST(RichTextTest, PlainTextPassesThrough) {
    EXPECT_EQ(PlainTextOf("just {text}\\par").get(), "just {text}\\par");
    EXPECT_EQ(PlainTextOf("").get(), "");
}

TEST(RichTextTest, DocumentTextWithoutFormatting) {
    const char* rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
        "{\\colortbl ;\\red255\\green0\\blue0;}"
        "{\\*\\generator Riched20 10.0;}\\viewkind4\\uc1\\pard\\f0\\fs20 "
        "First \\b bold\\b0  line\\par\nSecond\\tab tab\\par\n}";
    EXPECT_EQ(PlainTextOf(rtf).get(), "First bold line\r\nSecond\ttab");
}

TEST(RichTextTest, EscapesHexAndUnicode) {
    EXPECT_EQ(PlainTextOf("{\\rtf1 a\\{b\\}c\\\\d}").get(), "a{b}c\\d");
    EXPECT_EQ(PlainTextOf("{\\rtf1 caf\\'e9}").get(), "caf\xE9");
    EXPECT_EQ(PlainTextOf("{\\rtf1\\uc1 \\u233?t\\u8364?}").get(), "\xE9t?");
    EXPECT_EQ(PlainTextOf("{\\rtf1 a\\~b\\emdash c}").get(), "a\xA0" "b\x97" "c");
}

TEST(RichTextTest, EmptyDocumentsHaveNoText) {
    EXPECT_EQ(PlainTextOf("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 \\par\n}").get(), "");
    EXPECT_EQ(PlainTextOf("{\\rtf1}").get(), "");
    EXPECT_EQ(PlainTextOf("{\\rtf1{\\*\\unknown hidden}}").get(), "");
}

TEST(RichTextTest, BrokenDocumentsDoNotOverrun) {
    EXPECT_EQ(PlainTextOf("{\\rtf1 abc\\").get(), "abc");
    EXPECT_EQ(PlainTextOf("{\\rtf1 x\\'4").get(), "x");
    EXPECT_EQ(PlainTextOf("{\\rtf1 }}}} y").get(), " y");
    EXPECT_EQ(PlainTextOf("{\\rtf1 \\u-3").get(), "");
}

}  // namespace
}  // namespace kv
