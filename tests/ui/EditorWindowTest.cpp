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

RECT ScreenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

bool Overlap(const RECT& a, const RECT& b) {
    RECT both{};
    return IntersectRect(&both, &a, &b) != FALSE;
}

// Whether the open search dialog leaves the grid's current row and the
// lower fields in sight.
void ExpectSearchDialogClearOfTheHits(CEditorDlg& editor) {
    ASSERT_NE(editor.view().searchDialog(), nullptr);
    const RECT dialog = ScreenRect(editor.view().searchDialog()->hwnd());
    CRecordGrid& grid = editor.view().grid();
    RECT row{};
    row.left = LVIR_BOUNDS;
    grid.Send(LVM_GETITEMRECT, static_cast<WPARAM>(grid.CurrentRow()), reinterpret_cast<LPARAM>(&row));
    MapWindowPoints(grid.hwnd(), nullptr, reinterpret_cast<POINT*>(&row), 2);
    EXPECT_FALSE(Overlap(dialog, row));
    for (const int id : kLowerControls) {
        EXPECT_FALSE(Overlap(dialog, ScreenRect(GetDlgItem(editor.view().hwnd(), id)))) << id;
    }
    RECT desktop{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &desktop, 0);
    RECT onScreen{};
    IntersectRect(&onScreen, &dialog, &desktop);
    EXPECT_TRUE(EqualRect(&onScreen, &dialog));
}

TEST_F(EditorWindowTest, TheSearchDialogLeavesTheHitsInSight) {
    CEditorDlg& editor = OpenWith({test::LoginRecord("first"), test::LoginRecord("second"), test::LoginRecord("third")});
    SetWindowPos(editor.hwnd(), nullptr, 0, 0, 640, 480, SWP_NOZORDER);
    editor.view().grid().MoveTo(Cell{2, 0});
    editor.view().OpenSearch(CSearchDlg::Mode::Items);
    ExpectSearchDialogClearOfTheHits(editor);
    editor.view().CloseSearch();

    ShowWindow(editor.hwnd(), SW_MAXIMIZE);
    Pump(100);
    for (const int row : {0, 2}) {
        editor.view().grid().MoveTo(Cell{row, 0});
        editor.view().OpenSearch(CSearchDlg::Mode::Items);
        ExpectSearchDialogClearOfTheHits(editor);
        editor.view().CloseSearch();
    }
}

}  // namespace
}  // namespace kv
