#include <gtest/gtest.h>

#include "tests/support/FixedLocale.h"
#include "transfer/PassCardReader.h"

namespace kv {
namespace {

const char* const kPage =
    "<HTML><TITLE>RoboForm Passcards List</TITLE>\r\n"
    "<TD class=caption>Mail &amp; News</TD>\r\n"
    "<TD class=subcaption>http://mail.exa<WBR>mple.com</TD>\r\n"
    "<TD class=field>User ID$</TD><TD class=wordbreakfield>joe&nbsp;</TD>\r\n"
    "<TD class=field>Password$</TD><TD class=wordbreakfield>a&lt;b&gt;&quot;c&#233;&#x20AC;</TD>\r\n"
    "<TD class=field>$Note$</TD><TD class=wordbreakfield>line 1<BR>line 2</TD>\r\n"
    "<TD class=caption>Second</TD><TD class=field>Login$</TD><TD class=wordbreakfield>ann</TD>\r\n"
    "</HTML>";

class PassCardReaderTest : public ::testing::Test {
protected:
    test::FixedLocale locale;
};

TEST_F(PassCardReaderTest, ReadsCardsFieldsAndNotes) {
    const PassCardList list = ReadPassCards(kPage, locale);
    ASSERT_TRUE(list.valid);
    ASSERT_EQ(list.cards.size(), 2u);
    const PassCard& mail = list.cards[0];
    EXPECT_EQ(mail.name, "Mail & News");
    EXPECT_EQ(mail.subcaption, "http://mail.example.com");
    EXPECT_EQ(mail.username, "joe ");
    EXPECT_EQ(mail.password, "a<b>\"c\xE9\x80");
    EXPECT_EQ(mail.note, "line 1\r\nline 2");
    ASSERT_EQ(mail.fields.size(), 2u);
    EXPECT_EQ(mail.fields[0].name, "User ID$");
    EXPECT_EQ(mail.fields[0].type, kPassCardField);
    EXPECT_EQ(mail.fields[0].column, kUsername);
    EXPECT_EQ(mail.fields[1].column, kPassword);
    ASSERT_EQ(list.cards[1].fields.size(), 1u);
    EXPECT_EQ(list.cards[1].fields[0].column, -1);  // left to the classifier
    EXPECT_EQ(list.cards[1].username, "");
}

TEST_F(PassCardReaderTest, EntitiesDecodeAndUnknownOnesStay) {
    std::size_t unrepresentable = 0;
    EXPECT_EQ(DecodeEntities("&nbsp;", locale, unrepresentable), " ");
    EXPECT_EQ(DecodeEntities("&copy; & &#; &#0; &amp", locale, unrepresentable), "&copy; & &#; &#0; &amp");
    EXPECT_EQ(DecodeEntities("&#20013;&#X41;", locale, unrepresentable), "?A");
    EXPECT_EQ(unrepresentable, 1u);
}

TEST_F(PassCardReaderTest, AFileWithoutTheListTitleIsRefused) {
    const PassCardList list = ReadPassCards("<TD class=caption>x</TD>", locale);
    EXPECT_FALSE(list.valid);
    EXPECT_TRUE(list.cards.empty());
}

TEST_F(PassCardReaderTest, AnUnknownMarkerEndsTheCard) {
    const PassCardList list = ReadPassCards(
        "RoboForm Passcards List<p class=caption>A</p><p class=other>x</p>"
        "<p class=field>skipped</p><p class=wordbreakfield>v</p><p class=caption",
        locale);
    ASSERT_EQ(list.cards.size(), 2u);
    EXPECT_TRUE(list.cards[0].fields.empty());
    EXPECT_EQ(list.cards[1].name, "");  // no ">" after the marker
}

TEST_F(PassCardReaderTest, Utf16WithByteOrderMarkReadsLikeItsAnsiCounterpart) {
    const std::string ansi = std::string(kPage) + "\xE9";
    std::string wide = "\xFF\xFE";
    for (unsigned char c : ansi) {
        const char16_t unit = c == 0xE9 ? 0xE9 : c;
        wide += static_cast<char>(unit & 0xFF);
        wide += static_cast<char>(unit >> 8);
    }
    const PassCardList a = ReadPassCards(ansi, locale);
    const PassCardList w = ReadPassCards(wide, locale);
    ASSERT_EQ(a.cards.size(), w.cards.size());
    for (std::size_t i = 0; i < a.cards.size(); ++i) {
        EXPECT_EQ(a.cards[i].name, w.cards[i].name);
        EXPECT_EQ(a.cards[i].password, w.cards[i].password);
        EXPECT_EQ(a.cards[i].note, w.cards[i].note);
    }
}

TEST_F(PassCardReaderTest, AnOddUtf16TailIsNotReadPastTheBytes) {
    // The text ends in the middle of an element and of a code unit.
    std::string wide = "\xFF\xFE";
    for (char c : std::string("RoboForm Passcards List<a class=caption>Na")) {
        wide += c;
        wide += '\0';
    }
    wide += 'm';
    const PassCardList list = ReadPassCards(std::string_view(wide), locale);
    ASSERT_EQ(list.cards.size(), 1u);
    EXPECT_EQ(list.cards[0].name, "Na");
    EXPECT_EQ(list.unrepresentable, 1u);
}

}  // namespace
}  // namespace kv
