#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "views/SearchMatch.h"

namespace kv {
namespace {

constexpr std::uint32_t kWholeWordMatchCase = 0;
constexpr std::uint32_t kWholeWord = kSearchIgnoreCase;
constexpr std::uint32_t kAnywhereMatchCase = kSearchAnywhere;
constexpr std::uint32_t kAnywhere = kSearchIgnoreCase | kSearchAnywhere;  // the default

TEST(MatchesSearchTest, DefaultOptionsFindTheTextInsideValues) {
    EXPECT_TRUE(MatchesSearch("MyBank Online", "bank", kAnywhere));
    EXPECT_TRUE(MatchesSearch("BANKING", "bank", kAnywhere));
    EXPECT_FALSE(MatchesSearch("MyBnk Online", "bank", kAnywhere));
}

TEST(MatchesSearchTest, WholeWordsWithoutCase) {
    EXPECT_TRUE(MatchesSearch("my bank", "bank", kWholeWord));
    EXPECT_TRUE(MatchesSearch("BANK", "bank", kWholeWord));
    EXPECT_FALSE(MatchesSearch("mybank", "bank", kWholeWord));
    EXPECT_FALSE(MatchesSearch("bank, main", "bank", kWholeWord));  // words end at spaces only
}

TEST(MatchesSearchTest, MatchCase) {
    EXPECT_FALSE(MatchesSearch("bank", "Bank", kWholeWordMatchCase));
    EXPECT_TRUE(MatchesSearch("my Bank", "Bank", kWholeWordMatchCase));
    EXPECT_TRUE(MatchesSearch("MyBank", "Bank", kAnywhereMatchCase));
    EXPECT_FALSE(MatchesSearch("MyBANK", "Bank", kAnywhereMatchCase));
}

TEST(MatchesSearchTest, EmptyValuesAndTextsNeverMatch) {
    for (std::uint32_t options = 0; options < 4; ++options) {
        EXPECT_FALSE(MatchesSearch("", "bank", options));
        EXPECT_FALSE(MatchesSearch("bank", "", options));
        EXPECT_FALSE(MatchesSearch("", "", options));
    }
}

TEST(MatchesSearchTest, ValuesSplitAtEverySpace) {
    EXPECT_TRUE(MatchesSearch("a  bank", "bank", kWholeWord));
    EXPECT_TRUE(MatchesSearch("bank ", "bank", kWholeWord));
    EXPECT_TRUE(MatchesSearch(" bank", "bank", kWholeWord));
    // A text with a space can only equal the whole value.
    EXPECT_TRUE(MatchesSearch("My Bank", "my bank", kWholeWord));
    EXPECT_FALSE(MatchesSearch("my bank account", "my bank", kWholeWord));
    EXPECT_TRUE(MatchesSearch("my bank account", "my bank", kAnywhere));
}

TEST(MatchesSearchTest, LetterCaseOfTheCodePage) {
    EXPECT_TRUE(MatchesSearch("Caf\xC9", "caf\xE9", kWholeWord));  // E acute
    EXPECT_FALSE(MatchesSearch("Caf\xC9", "Caf\xE9", kWholeWordMatchCase));
    EXPECT_TRUE(MatchesSearch("\x8A" "koda", "\x9A" "KODA", kAnywhere));  // S caron
}

TEST(PlainTextNotesFinderTest, FindsOneOccurrenceAfterAnother) {
    PlainTextNotesFinder finder;
    const std::string notes = "Bank: my bank, mybank. BANK banking";
    EXPECT_EQ(finder.Find(notes, "bank", 0, kWholeWord), (TextRange{0, 4}));
    EXPECT_EQ(finder.Find(notes, "bank", 4, kWholeWord), (TextRange{9, 13}));
    EXPECT_EQ(finder.Find(notes, "bank", 13, kWholeWord), (TextRange{23, 27}));
    EXPECT_EQ(finder.Find(notes, "bank", 27, kWholeWord), std::nullopt);

    EXPECT_EQ(finder.Find(notes, "bank", 0, kWholeWordMatchCase), (TextRange{9, 13}));
    EXPECT_EQ(finder.Find(notes, "bank", 13, kWholeWordMatchCase), std::nullopt);

    EXPECT_EQ(finder.Find(notes, "bank", 13, kAnywhere), (TextRange{17, 21}));
    EXPECT_EQ(finder.Find(notes, "bank", 21, kAnywhereMatchCase), (TextRange{28, 32}));
    EXPECT_EQ(finder.Find(notes, "bank", 29, kAnywhere), std::nullopt);
    EXPECT_EQ(finder.Find(notes, "bank", 500, kAnywhere), std::nullopt);
    EXPECT_EQ(finder.Find(notes, "", 0, kAnywhere), std::nullopt);
}

TEST(PlainTextNotesFinderTest, WordsEndAtCharactersThatAreNotLettersOrDigits) {
    PlainTextNotesFinder finder;
    EXPECT_EQ(finder.Find("e-bank", "bank", 0, kWholeWord), (TextRange{2, 6}));
    EXPECT_EQ(finder.Find("(bank_)", "bank", 0, kWholeWord), (TextRange{1, 5}));
    EXPECT_EQ(finder.Find("bank2", "bank", 0, kWholeWord), std::nullopt);
    EXPECT_EQ(finder.Find("\xE9" "bank", "bank", 0, kWholeWord), std::nullopt);  // e acute is a letter
    EXPECT_EQ(finder.Find("\xD7" "bank", "bank", 0, kWholeWord), (TextRange{1, 5}));  // the multiply sign is not
}

TEST(PlainTextNotesFinderTest, RichTextIsSearchedByItsPlainText) {
    PlainTextNotesFinder finder;
    const std::string notes = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Online {\\b ba}nk\\par second bank}";
    EXPECT_EQ(finder.Find(notes, "bank", 0, kAnywhere), (TextRange{7, 11}));
    EXPECT_EQ(finder.Find(notes, "bank", 11, kAnywhere), (TextRange{20, 24}));
    EXPECT_EQ(finder.Find(notes, "arial", 0, kAnywhere), std::nullopt);
}

TEST(NotesMightContainTest, SaysNoOnlyWhenTheTextIsNotThere) {
    EXPECT_TRUE(NotesMightContain("My BANK", "bank"));
    EXPECT_FALSE(NotesMightContain("My BNK", "bank"));
    EXPECT_FALSE(NotesMightContain("", "bank"));
    EXPECT_FALSE(NotesMightContain("bank", ""));
    EXPECT_TRUE(NotesMightContain("{\\rtf1 ba{\\b nk}}", "BANK"));      // split by formatting
    EXPECT_TRUE(NotesMightContain("{\\rtf1 caf\\'e9}", "CAF\xC9"));     // an escaped character
    EXPECT_FALSE(NotesMightContain("{\\rtf1 ba{\\b nc}}", "bank"));
}

TEST(NotesMightContainTest, NeverSaysNoWhenTheFinderFinds) {
    const std::vector<std::string> notes = {
        "Bank: my bank, mybank. BANK banking",
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Online {\\b ba}nk\\par second Bank}",
        "{\\rtf1 e-\\'e9t\\'c9 {\\i B}ANK\\line bank\\tab x}",
        "no match here",
        "",
    };
    const std::vector<std::string> texts = {"bank", "BANK", "Bank", "\xE9t\xE9", "online", "e-", "arial", "x"};
    PlainTextNotesFinder finder;
    int found = 0;
    for (const std::string& note : notes) {
        for (const std::string& text : texts) {
            for (std::uint32_t options = 0; options < 4; ++options) {
                for (std::size_t from = 0; from <= 40; from += 5) {
                    if (!finder.Find(note, text, from, options)) continue;
                    ++found;
                    EXPECT_TRUE(NotesMightContain(note, text)) << note << " / " << text;
                }
            }
        }
    }
    EXPECT_GT(found, 50);
}

}  // namespace
}  // namespace kv
