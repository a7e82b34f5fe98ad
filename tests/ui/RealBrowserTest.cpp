// The same walk on a real browser: skipped unless KELVANDOR_REAL_BROWSER is
// set, on Windows with Internet Explorer (or Edge in IE mode) installed. It
// opens a browser, loads a login page written to the temporary folder,
// records it, fills it and submits it through the program's own code; and
// asks the shell's own window list, which under Wine is served by a second
// desktop process that takes the running desktop down when it ends.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "webforms/BrowserConnection.h"
#include "webforms/ComBrowserAccess.h"

namespace kv {
namespace {

std::string TemporaryFolder() {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return folder;
}

std::string WritePage(const std::string& name, const std::string& html) {
    const std::string path = TemporaryFolder() + name;
    std::ofstream(path) << html;
    return path;
}

const FormField* Named(const std::vector<FormField>& fields, const std::string& name) {
    for (const FormField& field : fields) {
        if (field.name == name) return &field;
    }
    return nullptr;
}

bool RealBrowserWanted() { return std::getenv("KELVANDOR_REAL_BROWSER") != nullptr; }

constexpr char kSkipped[] = "set KELVANDOR_REAL_BROWSER=1 on Windows with Internet Explorer or Edge in IE mode";

TEST(RealBrowserTest, TheShellsOwnListHasNoBrowserForAnOrdinaryWindow) {
    if (!RealBrowserWanted()) GTEST_SKIP() << kSkipped;
    HWND window = CreateWindowExA(0, "STATIC", "Not a browser", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        const std::unique_ptr<BrowserAccess> access = MakeComBrowserAccess();
        EXPECT_FALSE(access->AttachToWindow(window));
        EXPECT_EQ(access->Document(nullptr), nullptr);
    }
    CoUninitialize();
    DestroyWindow(window);
}

TEST(RealBrowserTest, ALoginPageIsRecordedFilledAndSubmitted) {
    if (!RealBrowserWanted()) GTEST_SKIP() << kSkipped;
    const std::string done = WritePage("kelvandor-done.html", "<html><body>done</body></html>");
    const std::string login = WritePage(
        "kelvandor-login.html",
        "<html><body><form action=\"kelvandor-done.html\">"
        "<input type=text name=user value=ann><input type=password name=pw value=s3cret>"
        "<input type=checkbox name=remember value=yes>"
        "<select name=country><option value=de>fr</option><option value=fr selected>France</option></select>"
        "<input type=submit name=go value=Go></form></body></html>");

    CBrowserConnection connection;
    BrowserChoice choice;
    ASSERT_TRUE(connection.OpenBrowser(choice));
    ASSERT_TRUE(connection.Navigate("file:///" + login));
    ASSERT_EQ(connection.WaitReady(15000), 1);

    std::vector<FormField> fields;
    connection.WalkForms(false, fields, false, "");
    EXPECT_TRUE(connection.FormsFound());
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(Named(fields, "pw")->value, "s3cret");
    EXPECT_EQ(Named(fields, "country")->value, "fr");

    fields[0].value = "bob";
    fields[2].value = "de";
    connection.WalkForms(true, fields, false, "");
    std::vector<FormField> again;
    connection.WalkForms(false, again, false, "");
    ASSERT_NE(Named(again, "user"), nullptr);
    EXPECT_EQ(Named(again, "user")->value, "bob");
    EXPECT_EQ(Named(again, "country")->value, "de");

    connection.WalkForms(true, fields, true, "");
    ASSERT_EQ(connection.WaitReady(15000), 1);
    EXPECT_NE(connection.GetLocationURL().find("kelvandor-done.html"), std::string::npos);
    PostMessageA(connection.Window(), WM_CLOSE, 0, 0);
    DeleteFileA(login.c_str());
    DeleteFileA(done.c_str());
}

}  // namespace
}  // namespace kv
