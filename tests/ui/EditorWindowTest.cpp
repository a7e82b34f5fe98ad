// How the editor's windows behave as windows: drawing after a resize and
// where the search dialog opens.
#include <gtest/gtest.h>

#include "tests/support/Records.h"
#include "tests/ui/support/EditorFixture.h"

namespace kv {
namespace {

using namespace uitest;

class EditorWindowTest : public EditorFixture {
protected:
    // The editor on a file with one folder of `records`, the folder selected.
    CEditorDlg& OpenWith(std::vector<Record> records) {
        PasswordDatabase db;
        const int folder = AddFolder(db, "Web", kInternetCategory);
        db.Folders[static_cast<std::size_t>(folder)].records.write() = std::move(records);
        WriteDatabase(PathOf("Window.kv"), "", std::move(db));
        CEditorDlg& editor = StartEditorOn(PathOf("Window.kv"));
        editor.view().tree().SelectFolder(folder);
        Pump(100);
        return editor;
    }
};

// The controls below the grid, which a resize moves.
const int kLowerControls[] = {IDC_LAUNCH_URL, IDC_URL, IDC_SEND_EMAIL, IDC_EMAIL, IDC_NOTES};

TEST_F(EditorWindowTest, MaximisingAndRestoringRedrawTheLowerFields) {
    CEditorDlg& editor = OpenWith({test::LoginRecord("site", "alice", "s3cret")});
    for (const int show : {SW_MAXIMIZE, SW_RESTORE}) {
        Pump(200);
        for (const int id : kLowerControls) {
            ASSERT_FALSE(GetUpdateRect(GetDlgItem(editor.view().hwnd(), id), nullptr, FALSE)) << id;
        }
        ShowWindow(editor.hwnd(), show);
        for (const int id : kLowerControls) {
            EXPECT_TRUE(GetUpdateRect(GetDlgItem(editor.view().hwnd(), id), nullptr, FALSE)) << id << " after " << show;
        }
    }
}

}  // namespace
}  // namespace kv
