// No block of memory given back to the heap while the tray and the editor
// prepare a password or a record's notes still holds a piece of them.
#include <gtest/gtest.h>

#include <string>

#include "app/NotesText.h"
#include "db/RichText.h"
#include "platform/SecretString.h"
#include "settings/Settings.h"
#include "tests/support/FixedLocale.h"
#include "tests/support/FreedCopies.h"
#include "tests/support/Records.h"
#include "views/TrayTree.h"

namespace kv {
namespace {

using test::FreedCopies;

// Long enough to live outside the string itself; the piece watched for
// leaves out the first characters, which a string given up may have cleared.
const std::string kSecret = "correct horse battery staple";
const std::string kPiece = "horse battery";

// Expected texts are made before the watch starts: their own temporaries
// would count.
TEST(SecretCopiesTest, AppendingMovesTheTextWithoutLeavingACopy) {
    const std::string twice = kSecret + kSecret;
    const std::string expected = twice + kSecret;
    FreedCopies watch(kPiece);
    {
        SecretString text;
        for (const char c : twice) text.Append(c);
        text.Append(kSecret);
        EXPECT_EQ(text.view(), expected);
    }
    EXPECT_EQ(watch.count(), 0);
}

TEST(SecretCopiesTest, GrowingTakingOverAPlainStringAndMovingLeaveNoCopy) {
    const std::string longer = kSecret + kSecret + kSecret;
    FreedCopies watch(kPiece);
    {
        SecretString text(std::string{kSecret});
        text.Assign(longer);
        text.Append(longer);
        SecretString moved(std::move(text));
        SecretString last;
        last = std::move(moved);
        EXPECT_EQ(last.size(), 2 * longer.size());
    }
    EXPECT_EQ(watch.count(), 0);
}

TEST(SecretCopiesTest, APieceOfItsOwnTextCanBeAssigned) {
    SecretString text(kSecret);
    text.Assign(text.view().substr(8, 5));
    EXPECT_EQ(text.view(), "horse");
    text = text.view();
    EXPECT_EQ(text.view(), "horse");
}

TEST(SecretCopiesTest, ConvertingBetweenCodePagesLeavesNoCopy) {
    const std::string longer = kSecret + " \xE9\x80 " + kSecret;
    const test::FixedLocale fixed;
    FreedCopies watch(kPiece);
    for (const Locale* locale : {static_cast<const Locale*>(&fixed), &SystemLocale()}) {
        const std::optional<SecretString> utf8 = locale->AnsiToUtf8(longer);
        ASSERT_TRUE(utf8.has_value());
        const std::optional<SecretString> back = locale->Utf8ToAnsi(*utf8);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(back->view(), longer);
    }
    EXPECT_EQ(watch.count(), 0);
}

TEST(SecretCopiesTest, PlainTextOfRichNotesLeavesNoCopy) {
    const std::string notes = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 PIN " + kSecret + "\\par and " + kSecret + "}";
    const std::string expected = "PIN " + kSecret + "\r\nand " + kSecret;
    FreedCopies watch(kPiece);
    {
        const SecretString plain = PlainTextOf(notes);
        EXPECT_EQ(plain.view(), expected);
    }
    EXPECT_EQ(watch.count(), 0);
}

TEST(SecretCopiesTest, NotesPopupTextEndsLinesWithCrLfAndLeavesNoCopy) {
    const std::string notes = "PIN\n" + kSecret + "\r" + kSecret + "\r\nend";
    const std::string expected = "PIN\r\n" + kSecret + "\r\n" + kSecret + "\r\nend";
    FreedCopies watch(kPiece);
    {
        const SecretString shown = NotesPopupText(notes);
        EXPECT_EQ(shown.view(), expected);
    }
    EXPECT_EQ(watch.count(), 0);
    EXPECT_EQ(NotesPopupText(std::string(600, 'n')).view(), std::string(512, 'n'));
}

TEST(SecretCopiesTest, TrayPasteOfAPasswordWithTabLeavesNoCopy) {
    PasswordDatabase db;
    AppSettings settings;
    ResetColumnSets(settings);
    test::FixedLocale locale;
    const int folder = AddFolder(db, "Internet", kInternetCategory);
    db.Folders[static_cast<std::size_t>(folder)].records.write() = {test::LoginRecord("", "", kSecret)};
    TrayTree tree(db, settings, locale);
    tree.BuildFromDatabase();
    const TrayItem password = tree.Next(tree.First());
    ASSERT_EQ(tree.CellOf(password).column, kPassword);
    const std::string expected = kSecret + "{TAB}";
    FreedCopies watch(kPiece);
    {
        EXPECT_EQ(tree.TypedText(password, true).view(), expected);
        EXPECT_EQ(tree.TypedText(password, false).view(), kSecret);
    }
    EXPECT_EQ(watch.count(), 0);
}

}  // namespace
}  // namespace kv
