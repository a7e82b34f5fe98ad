#include <gtest/gtest.h>

#include "tests/support/FixedLocale.h"
#include "tests/support/Records.h"
#include "protocol/MessageNames.h"
#include "webforms/CapturedRecord.h"
#include "webforms/SiteRecords.h"

namespace kv {
namespace {

Record WithForm(const std::string& description, const std::string& address) {
    Record record;
    record.fields[kDescription] = description;
    record.fields[kUrl] = address;
    record.formData = {test::ColumnEntry(kTextInput, "user", "bob")};
    return record;
}

TEST(CapturedRecordTest, TheNameIsTheTitleBeforeItsLastDash) {
    EXPECT_EQ(FormNameFromTitle("Sign in - Forum - Microsoft Internet Explorer"), "Sign in - Forum");
    EXPECT_EQ(FormNameFromTitle("Welcome"), "Welcome");
    EXPECT_EQ(FormNameFromTitle("MyIE2 - [Bank login]"), "Bank login");
    EXPECT_EQ(FormNameFromTitle(""), "");
}

TEST(CapturedRecordTest, ACaptureGivesTheClassifiedRecordWithTheDialogsChoices) {
    CapturedForm form{"Forum", "https://forum.example/login",
                      {test::ColumnEntry(kTextInput, "username", "bob"), test::ColumnEntry(kPasswordInput, "pwd", "secret"),
                       test::ColumnEntry(kTextInput, "q", "query")},
                      true};
    const test::FixedLocale locale;
    const Record record = BuildCapturedRecord(form, locale);
    EXPECT_EQ(record.fields[kDescription], "Forum");
    EXPECT_EQ(record.fields[kUrl], "https://forum.example/login");
    EXPECT_EQ(record.fields[kUsername], "bob");
    EXPECT_EQ(record.fields[kPassword], "secret");
    EXPECT_EQ(record.dateAssigned, locale.now);
    EXPECT_EQ(record.fields[kDateAssigned], "12/7/2026");
    ASSERT_EQ(record.formData.size(), 3u);
    EXPECT_EQ(record.formData[2].column, -1);
    for (const FormField& entry : record.formData) EXPECT_EQ(entry.autoSubmit, 1);
}

TEST(CapturedRecordTest, AnAuthenticationDialogsEntriesGiveUserNameAndPassword) {
    CapturedForm form{"Router", "http://router/", {test::ColumnEntry(kAuthDialogUsername, "Username", "admin"),
                                                    test::ColumnEntry(kAuthDialogPassword, "Password", "pw")}, false};
    const Record record = BuildCapturedRecord(form, test::FixedLocale());
    EXPECT_EQ(record.fields[kUsername], "admin");
    EXPECT_EQ(record.fields[kPassword], "pw");
}

TEST(CapturedRecordTest, TheSameDescriptionWithoutCaseIsReplacedAndOnlyItsFormData) {
    PasswordDatabase db;
    const int folder = AddFolder(db, "Internet", kInternetCategory);
    Record existing = WithForm("Forum", "https://forum.example/");
    existing.fields[kNotes] = "kept";
    db.Folders[0].records.write().push_back(WithForm("Other", ""));
    db.Folders[0].records.write().push_back(existing);
    EXPECT_EQ(RecordNamed(db.Folders[0], "FORUM"), 1);
    EXPECT_EQ(RecordNamed(db.Folders[0], "Foru"), -1);

    Record captured = WithForm("FORUM", "https://forum.example/");
    captured.formData = {test::ColumnEntry(kPasswordInput, "pwd", "new")};
    EXPECT_EQ(StoreCapturedRecord(db, folder, captured, 1), 1);
    ASSERT_EQ(db.Folders[0].records.size(), 2u);
    EXPECT_EQ(db.Folders[0].records[1].fields[kNotes], "kept");
    EXPECT_EQ(db.Folders[0].records[1].formData, captured.formData);
    EXPECT_EQ(StoreCapturedRecord(db, folder, captured, -1), 2);
    EXPECT_EQ(db.Folders[0].records.size(), 3u);
}

TEST(CapturedRecordTest, ASitesRecordsHaveFormDataAndItsSiteFormInPresentFolders) {
    PasswordDatabase db;
    AddFolder(db, "A", 1);
    AddFolder(db, "Gone", 1);
    AddFolder(db, "B", 1);
    db.Folders[1].present = 0;
    Record bare = WithForm("no form", "https://www.shop.example/login");
    bare.formData.clear();
    db.Folders[0].records.write() = {WithForm("one", "https://www.shop.example/login?x=1"), bare,
                                     WithForm("other", "https://other.example/")};
    db.Folders[1].records.write() = {WithForm("deleted", "https://www.shop.example/login")};
    db.Folders[2].records.write() = {WithForm("", ""), WithForm("two", "http://WWW.shop.example/login")};
    const std::vector<RecordRef> found = RecordsOfSite(db, "https://www.shop.example/login");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(RecordAt(db, found[0].folder, found[0].record)->fields[kDescription], "one");
    EXPECT_EQ(RecordAt(db, found[1].folder, found[1].record)->fields[kDescription], "two");
    EXPECT_EQ(protocol::PackFillTarget(static_cast<std::uint32_t>(found[1].folder),
                                       static_cast<std::uint32_t>(found[1].record)),
              (1u << 16) | 2u);
}

TEST(CapturedRecordTest, IgnoredSitesHoldSiteFormsOnce) {
    std::vector<std::string> ignored;
    EXPECT_TRUE(IgnoreSite(ignored, "https://login.mail.example.co.uk/?a=1"));
    EXPECT_EQ(ignored, std::vector<std::string>{"mail.example.co.uk/"});
    // The stored site form is not reduced a second time.
    EXPECT_TRUE(IsIgnoredSite(ignored, "http://LOGIN.mail.example.co.uk/"));
    EXPECT_FALSE(IgnoreSite(ignored, "https://login.mail.example.co.uk/"));
    EXPECT_FALSE(IsIgnoredSite(ignored, "https://example.co.uk/"));
}

TEST(CapturedRecordTest, AMarkedRecordIsFoundAgainAfterASortAndLostWhenItChanged) {
    PasswordDatabase db;
    AddFolder(db, "A", 1);
    AddFolder(db, "B", 1);
    db.Folders[1].records.write() = {WithForm("x", "https://x.example/"), WithForm("y", "https://y.example/")};
    const std::optional<RecordMark> mark = MarkRecord(db.Folders, RecordPlace{1, 0});
    ASSERT_TRUE(mark.has_value());
    EXPECT_FALSE(MarkRecord(db.Folders, RecordPlace{1, 2}).has_value());
    EXPECT_FALSE(MarkRecord(db.Folders, RecordPlace{2, 0}).has_value());

    auto& records = db.Folders[1].records.write();
    std::swap(records[0], records[1]);
    std::optional<RecordPlace> place = FindRecordAgain(db.Folders, *mark);
    ASSERT_TRUE(place.has_value());
    EXPECT_EQ(place->folder, 1);
    EXPECT_EQ(place->record, 1);

    // The folder moved in the array: found by its path.
    std::swap(db.Folders[0], db.Folders[1]);
    place = FindRecordAgain(db.Folders, *mark);
    ASSERT_TRUE(place.has_value());
    EXPECT_EQ(place->folder, 0);

    db.Folders[0].records.write()[1].fields[kNotes] = "changed";
    EXPECT_FALSE(FindRecordAgain(db.Folders, *mark).has_value());
}

}  // namespace
}  // namespace kv
