// The editor's File > Report and its Report button open the report dialog
// on the editor's folder tree and file.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "tests/ui/support/EditorFixture.h"

namespace kv {
namespace {

using namespace uitest;

class EditorReportTest : public EditorFixture {
protected:
    // Opens the report from the editor by `open`, notes what it shows and closes it.
    void OpenReport(const std::function<void(CEditorDlg&)>& open) {
        WriteFile(PathOf("Home.kv"), "", {"Web", "Web~Mail", "Bank"});
        CEditorDlg& editor = StartEditorOn(PathOf("Home.kv"));
        DialogAnswerer answerer;
        answerer.Expect("Report", IDCANCEL, [this](HWND dialog) {
            heading_ = ItemText(dialog, IDC_REPORT_HEADING);
            folders_ = static_cast<int>(TreeView_GetCount(GetDlgItem(dialog, IDC_REPORT_FOLDERS)));
        });
        open(editor);
        EXPECT_TRUE(answerer.AllAnswered());
    }

    std::string heading_;
    int folders_ = 0;
};

TEST_F(EditorReportTest, TheMenuCommandOpensTheReportOnTheOpenFile) {
    OpenReport([this](CEditorDlg& editor) { Command(editor, ID_REPORT); });
    EXPECT_EQ(heading_, "Kelvandor - Home.kv");
    EXPECT_EQ(folders_, 3);
}

TEST_F(EditorReportTest, TheReportButtonOpensItToo) {
    OpenReport([](CEditorDlg& editor) {
        SendMessageA(editor.view().hwnd(), WM_COMMAND, MAKEWPARAM(ID_REPORT, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(editor.view().hwnd(), ID_REPORT)));
    });
    EXPECT_EQ(heading_, "Kelvandor - Home.kv");
    EXPECT_EQ(folders_, 3);
}

}  // namespace
}  // namespace kv
