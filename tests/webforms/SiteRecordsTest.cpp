#include <gtest/gtest.h>

#include "protocol/MessageNames.h"
#include "protocol/SharedBlock.h"
#include "tests/support/Records.h"
#include "webforms/SiteRecords.h"

namespace kv {
namespace {

Record WebRecord(const std::string& description, const std::string& address, bool withForm = true) {
    Record record = test::LoginRecord(description, "ann", "s3cret");
    record.fields[kUrl] = address;
    if (withForm) record.formData.push_back({kTextInput, "user", "ann", 0, -1, 0, -1, "", 0});
    return record;
}

class SiteRecordsTest : public ::testing::Test {
protected:
    int Folder(const std::string& path, std::vector<Record> records) {
        const int folder = AddFolder(db_, path, kInternetCategory);
        db_.Folders[static_cast<std::size_t>(folder)].records.write() = std::move(records);
        return folder;
    }

    PasswordDatabase db_;
};

TEST_F(SiteRecordsTest, ASiteListsItsRecordsWithFormDataInFolderOrder) {
    Folder("Mail", {WebRecord("Web mail", "https://www.mail.example.co/login"),
                    WebRecord("No form", "https://www.mail.example.co/login", false),
                    WebRecord("Shop", "https://shop.example/")});
    Folder("Work", {WebRecord("Work mail", "HTTP://WWW.MAIL.EXAMPLE.CO/LOGIN?next=1")});
    const std::vector<RecordRef> found = RecordsOfSite(db_, "https://mail.example.co/login");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0], (RecordRef{0, 0}));
    EXPECT_EQ(found[1], (RecordRef{1, 0}));
}

TEST_F(SiteRecordsTest, ADeletedFolderListsNothing) {
    Folder("Old", {WebRecord("Old mail", "https://mail.example/")});
    db_.Folders[0].present = 0;
    EXPECT_TRUE(RecordsOfSite(db_, "https://mail.example/").empty());
    EXPECT_EQ(RecordAt(db_, 0, 0), nullptr);
}

TEST_F(SiteRecordsTest, IndexesFromAMessageAreChecked) {
    Folder("Mail", {WebRecord("Web mail", "https://mail.example/")});
    EXPECT_NE(RecordAt(db_, 0, 0), nullptr);
    EXPECT_EQ(RecordAt(db_, 0, 1), nullptr);
    EXPECT_EQ(RecordAt(db_, 1, 0), nullptr);
    EXPECT_EQ(RecordAt(db_, -1, 0), nullptr);
    EXPECT_EQ(RecordAt(db_, 0, -1), nullptr);
    EXPECT_EQ(RecordAt(db_, 0xFFFF, 0xFFFF), nullptr);
}

TEST_F(SiteRecordsTest, A171RecordSiteFillsTheBlockWith170AndAnEndEntry) {
    std::vector<Record> records;
    for (int i = 0; i < 171; ++i) records.push_back(WebRecord("Mail " + std::to_string(i), "https://mail.example/"));
    records.push_back(WebRecord(std::string(60, 'x'), "https://mail.example/"));
    Folder("Mail", std::move(records));
    unsigned char block[protocol::kSharedBlockSize];
    EXPECT_EQ(protocol::WriteSiteEntries(block, SiteEntriesOf(db_, "https://mail.example/")), 170u);
    const std::vector<protocol::SiteEntry> read = protocol::ReadSiteEntries(block);
    ASSERT_EQ(read.size(), 170u);
    EXPECT_EQ(read[169].description, "Mail 169");
    EXPECT_EQ(block[170 * protocol::kSiteEntrySize + 8], 0);
}

TEST_F(SiteRecordsTest, ALongDescriptionIsListedByItsFirst39Characters) {
    Folder("Mail", {WebRecord(std::string(60, 'd'), "https://mail.example/")});
    unsigned char block[protocol::kSharedBlockSize];
    protocol::WriteSiteEntries(block, SiteEntriesOf(db_, "https://mail.example/"));
    ASSERT_EQ(protocol::ReadSiteEntries(block).size(), 1u);
    EXPECT_EQ(protocol::ReadSiteEntries(block)[0].description, std::string(39, 'd'));
}

TEST_F(SiteRecordsTest, ALoadedPageIsOfferedTheAddDialogOrThePopUp) {
    Folder("Mail", {WebRecord("Web mail", "https://mail.example/")});
    const ProgramState ready{true, false, false, false};
    EXPECT_EQ(DecideAutoFillOffer(ready, db_, "http://MAIL.example/?from=home"), AutoFillOffer::AutoFillPopup);
    EXPECT_EQ(DecideAutoFillOffer(ready, db_, "https://news.example/"), AutoFillOffer::AddWebForm);
    db_.IgnoredSites = {"NEWS.example/"};
    EXPECT_EQ(DecideAutoFillOffer(ready, db_, "https://news.example/"), AutoFillOffer::Nothing);
}

TEST_F(SiteRecordsTest, NoOfferWhileClosedLockedBusyOrADialogIsOpen) {
    Folder("Mail", {WebRecord("Web mail", "https://mail.example/")});
    for (const ProgramState& state : {ProgramState{false, false, false, false}, ProgramState{true, true, false, false},
                                      ProgramState{true, false, true, false}, ProgramState{true, false, false, true}}) {
        EXPECT_EQ(DecideAutoFillOffer(state, db_, "https://mail.example/"), AutoFillOffer::Nothing);
    }
}

TEST_F(SiteRecordsTest, TheWebFormMenuListsTheSitesRecordsWithTheirIndexes) {
    Folder("Shop", {WebRecord("Shop", "https://shop.example/")});
    Folder("Mail", {WebRecord("Other", "https://other.example/"), WebRecord("Web mail", "https://mail.example/")});
    const WebFormMenuPlan plan = PlanWebFormMenu({true, false, false, false}, true, db_, "https://mail.example/", false);
    ASSERT_TRUE(plan.show);
    ASSERT_EQ(plan.records.size(), 1u);
    EXPECT_EQ(plan.records[0].text, "Web mail");
    EXPECT_EQ(plan.records[0].data, (1u << 16) | 1u);
    EXPECT_TRUE(plan.keepPopupItems);
    EXPECT_TRUE(plan.autoFillEnabled);
    EXPECT_TRUE(plan.lockEnabled);
    EXPECT_FALSE(plan.lockChecked);
    EXPECT_TRUE(plan.addAndPopupEnabled);
}

TEST_F(SiteRecordsTest, TheMenuForADialogOrWithoutRecordsDropsThePopUpItems) {
    Folder("Mail", {WebRecord("Web mail", "https://mail.example/")});
    const ProgramState ready{true, false, false, false};
    const WebFormMenuPlan dialog = PlanWebFormMenu(ready, false, db_, "https://mail.example/", true);
    EXPECT_FALSE(dialog.keepPopupItems);
    EXPECT_TRUE(dialog.autoFillEnabled);
    EXPECT_FALSE(dialog.lockEnabled);
    const WebFormMenuPlan none = PlanWebFormMenu(ready, true, db_, "https://news.example/", false);
    EXPECT_FALSE(none.keepPopupItems);
    EXPECT_FALSE(none.autoFillEnabled);
}

TEST_F(SiteRecordsTest, ALockedProgramsMenuListsNoRecordsAndDisablesAdding) {
    Folder("Mail", {WebRecord("Web mail", "https://mail.example/")});
    const WebFormMenuPlan plan = PlanWebFormMenu({true, true, false, false}, true, db_, "https://mail.example/", false);
    EXPECT_TRUE(plan.show);
    EXPECT_TRUE(plan.records.empty());
    EXPECT_TRUE(plan.lockChecked);
    EXPECT_FALSE(plan.addAndPopupEnabled);
    EXPECT_EQ(protocol::LockItemState(true, true), 8u << 16);
}

TEST_F(SiteRecordsTest, NoMenuWithoutAFileOrDuringAFill) {
    EXPECT_FALSE(PlanWebFormMenu({false, false, false, false}, true, db_, "https://mail.example/", false).show);
    EXPECT_FALSE(PlanWebFormMenu({true, false, false, true}, true, db_, "https://mail.example/", false).show);
}

TEST(FillRulesTest, AutoSubmitFollowsTheFirstEntryUnlessOverridden) {
    Record record = WebRecord("Web mail", "https://mail.example/");
    EXPECT_FALSE(AutoSubmitOf(record, 0));
    EXPECT_TRUE(AutoSubmitOf(record, kForceAutoSubmit));
    record.formData[0].autoSubmit = 1;
    EXPECT_TRUE(AutoSubmitOf(record, 0));
    EXPECT_FALSE(AutoSubmitOf(record, kNoAutoSubmit));
}

TEST(FillRulesTest, AnAuthenticationDialogTakesTheRecordsDialogEntries) {
    Record record;
    record.formData = {{kAuthDialogUsername, "Username", std::string(100, 'u'), 0, -1, -1, -1, "", 0},
                       {kAuthDialogPassword, "Password", "pw", 0, -1, -1, -1, "", 0}};
    const AuthDialogValues values = AuthDialogValuesOf(record);
    EXPECT_EQ(values.username, std::string(80, 'u'));
    EXPECT_EQ(values.password, "pw");
}

TEST(FillRulesTest, AFillIsRoutedByItsRequestAndTheRecord) {
    Record web = WebRecord("Web mail", "https://mail.example/");
    Record dialog;
    dialog.formData = {{kAuthDialogUsername, "Username", "ann", 0, -1, -1, -1, "", 0}};
    EXPECT_EQ(RouteFill(Record{}, false, false, true), FillRoute::Ignored);
    EXPECT_EQ(RouteFill(web, true, false, true), FillRoute::AddWebFormOpen);
    EXPECT_EQ(RouteFill(dialog, false, true, false), FillRoute::AuthDialog);
    EXPECT_EQ(RouteFill(web, false, false, true), FillRoute::IntoBrowser);
    EXPECT_EQ(RouteFill(web, false, false, false), FillRoute::NavigateAndFill);
    EXPECT_EQ(RouteFill(dialog, false, false, false), FillRoute::OpenAddress);
}

}  // namespace
}  // namespace kv
