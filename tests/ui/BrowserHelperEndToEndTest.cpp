// The real Kelvandor.exe answering a browser helper that runs in another
// process (a test program named as Internet Explorer's is): the records of a
// site read from the shared block, hostile request sizes, the state query.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "db/Database.h"
#include "resources/resource.h"
#include "tests/support/DatabaseFile.h"
#include "tests/support/Records.h"
#include "tests/ui/support/EndToEnd.h"

namespace kv {
namespace {

using namespace uitest;

std::string FakeBrowserPath() { return PathBesideThisProgram("fakebrowser\\iexplore.exe"); }

Record WebRecord(const std::string& description, const std::string& address) {
    Record record = test::LoginRecord(description, "ann", "s3cret");
    record.fields[kUrl] = address;
    record.formData = {{kPasswordInput, "pass", "s3cret", 0, -1, -1, -1, "", 0}};
    return record;
}

class BrowserHelperEndToEndTest : public EndToEndTest {
protected:
    void SetUp() override {
        EndToEndTest::SetUp();
        const std::filesystem::path temp = std::filesystem::temp_directory_path();
        file_ = (temp / "kelvandor-helper.kv").string();
        answers_ = (temp / "kelvandor-helper-answers.txt").string();
    }

    void TearDown() override {
        EndToEndTest::TearDown();
        std::filesystem::remove(file_);
        std::filesystem::remove(answers_);
    }

    // Starts the program on a file of two mail records and a shop, loaded
    // (and unlocked with `password`) through the tray dialog.
    void StartOnFile(const std::string& password) {
        PasswordDatabase db;
        const int folder = AddFolder(db, "Internet", kInternetCategory);
        db.Folders[static_cast<std::size_t>(folder)].records.write() = {
            WebRecord("Web mail", "https://mail.example/login"), WebRecord("Shop", "https://shop.example/"),
            WebRecord("Second mail", "http://mail.example/login?from=home")};
        ASSERT_TRUE(test::WriteDatabaseFile(file_, password, std::move(db)));
        RememberFile(file_);
        SetNumber("Init", 0);
        StartFirst("systray");
        ClickNotificationIcon(TrayWindowOfFirst());
        if (!password.empty()) {
            HWND prompt = WaitForWindow({first.id(), "Enter password - kelvandor-helper.kv", "", true}, 10000);
            ASSERT_NE(prompt, nullptr) << "no password prompt";
            SetItemText(prompt, 1068, password);
            PressButton(prompt, IDOK);
        }
        ASSERT_NE(WaitForWindow({first.id(), "", "#32770", true}, 10000), nullptr) << "the tray dialog did not open";
    }

    // What the helper process was answered.
    std::string Helper(const std::string& arguments) {
        ChildProcess helper;
        if (!helper.Start(FakeBrowserPath(), "\"" + answers_ + "\" " + arguments)) return "not started";
        if (!helper.WaitForExit(15000)) return "did not end";
        if (helper.ExitCode() != 0) return "exit " + std::to_string(helper.ExitCode());
        std::ifstream in(answers_);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string file_;
    std::string answers_;
};

TEST_F(BrowserHelperEndToEndTest, TheHelperReadsTheRecordsOfItsSiteFromTheSharedBlock) {
    StartOnFile("");
    EXPECT_EQ(Helper("list 528 https://MAIL.example/login?user=1"), "answer 1\n0 0 Web mail\n0 2 Second mail\n");
    EXPECT_EQ(Helper("list 528 https://news.example/"), "answer 1\n");
}

TEST_F(BrowserHelperEndToEndTest, RequestsOfAnotherSizeAreIgnored) {
    StartOnFile("");
    EXPECT_EQ(Helper("list 527 https://mail.example/login"), "answer 0\n");
    EXPECT_EQ(Helper("list 529 https://mail.example/login"), "answer 0\n");
    EXPECT_EQ(Helper("list 0 https://mail.example/login"), "answer 0\n");
    EXPECT_EQ(Helper("list 528 https://shop.example/"), "answer 1\n0 1 Shop\n");
}

TEST_F(BrowserHelperEndToEndTest, TheStateQueryFollowsTheLock) {
    StartOnFile("sesame");
    EXPECT_EQ(Helper("query"), "answer 0\n");
    SendMessageA(TrayWindowOfFirst(), WM_COMMAND, ID_LOCK_DATABASE, 0);
    EXPECT_EQ(Helper("query"), "answer " + std::to_string(8 << 16) + "\n");
    EXPECT_EQ(Helper("list 528 https://mail.example/login"), "answer 1\n");
}

TEST_F(BrowserHelperEndToEndTest, AFileWithoutAMasterPasswordCannotBeLockedFromTheBrowser) {
    StartOnFile("");
    EXPECT_EQ(Helper("query"), "answer 3\n");
}

}  // namespace
}  // namespace kv
