// The record grid, the search and record moves on the real editor.
#include <gtest/gtest.h>

#include <cstdlib>

#include "db/FileMessages.h"
#include "desktop/Clipboard.h"
#include "tests/support/Records.h"
#include "tests/ui/support/GridFixture.h"
#include "uikit/Controls.h"
#include "views/UndoHistory.h"

namespace kv {
namespace {

using namespace uitest;

SystemTime Day(int year, int month, int day) {
    return SystemTime{static_cast<std::uint16_t>(year), static_cast<std::uint16_t>(month), 0,
                      static_cast<std::uint16_t>(day), 0, 0, 0, 0};
}

// Sends a key to `window` with Ctrl held down in this thread's key state.
void PressWithControl(HWND window, UINT key) {
    BYTE keys[256]{};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(window, WM_KEYDOWN, key, 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

// Turns the mouse wheel over `window` by one notch (down when `down`).
void TurnWheel(HWND window, bool down) {
    const short delta = static_cast<short>(down ? -WHEEL_DELTA : WHEEL_DELTA);
    SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
}

// Whether the screen shows what `window` draws of itself, along the middle
// row of its client area.
bool ScreenShowsItsDrawing(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    int same = 0;
    for (int x = 0; x < client.right; ++x) {
        const int y = client.bottom / 2;
        if (GetPixel(memory, x, y) == GetPixel(screen, origin.x + x, origin.y + y)) ++same;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return client.right > 0 && same == client.right;
}

// The text of this process's visible tip, once one shows within `timeoutMs`.
std::string ShownTip(DWORD timeoutMs) {
    std::string text;
    WaitUntil(
        [&text] {
            for (HWND tip : FindWindows({GetCurrentProcessId(), "", TOOLTIPS_CLASSA, true})) {
                text = TextOf(tip);
                if (!text.empty()) return true;
            }
            return false;
        },
        timeoutMs);
    return text;
}

// Rests the mouse on the middle of a cell of the grid.
void RestMouseOn(CRecordGrid& grid, Cell cell) {
    RECT rect{};
    rect.top = cell.column;
    rect.left = LVIR_LABEL;
    grid.Send(LVM_GETSUBITEMRECT, static_cast<WPARAM>(cell.row), reinterpret_cast<LPARAM>(&rect));
    POINT middle{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    POINT screen = middle;
    ClientToScreen(grid.hwnd(), &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageA(grid.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(middle.x, middle.y));
}

using GridTest = GridFixture;

TEST_F(GridTest, MaskingShowsFiveStarsOrNothing) {
    CEditorDlg& editor = Open({MakeFolder("Web", kInternetCategory,
                                          {test::LoginRecord("one", "u", "x"), test::LoginRecord("long", "u", std::string(30, 'p')),
                                           test::LoginRecord("none", "u", "")})});
    CRecordGrid& grid = Grid(editor);
    ASSERT_EQ(grid.Count(), 3);
    // Sorted by description: long, none, one.
    EXPECT_EQ(grid.ItemText(0, 2), "*****");
    EXPECT_EQ(grid.ItemText(1, 2), "");
    EXPECT_EQ(grid.ItemText(2, 2), "*****");
    // The editor of a masked cell holds the real password.
    grid.MoveTo(Cell{0, 2});
    grid.OpenEditor();
    EXPECT_EQ(grid.textEditor().Text(), std::string(30, 'p'));
    grid.CancelEditor();
}

TEST_F(GridTest, UndoOnlyForChangedNonEmptyCells) {
    CEditorDlg& editor = Open({MakeFolder("Web", kInternetCategory, {test::LoginRecord("Old"), test::LoginRecord("")})});
    EditCell(editor, Cell{0, 0}, "New");
    EXPECT_EQ(app_->Undo.MenuText(), "&Undo edit Description: Old");
    EXPECT_EQ(FolderAt(0).records[0].fields[kDescription], "New");
    EditCell(editor, Cell{1, 0}, "Filled");
    EXPECT_EQ(app_->Undo.Count(), 1);
    EXPECT_EQ(FolderAt(0).records[1].fields[kDescription], "Filled");
    EXPECT_TRUE(app_->Database.Modified);
}

TEST_F(GridTest, DownOnTheLastRow) {
    CEditorDlg& editor = Open({MakeFolder("A", 1, {test::LoginRecord("a"), test::LoginRecord("")}),
                               MakeFolder("B", 1, {test::LoginRecord("a"), test::LoginRecord("b")})});
    Grid(editor).MoveTo(Cell{1, 0});
    Grid(editor).Move(GridMove::Down);
    EXPECT_EQ(Grid(editor).Count(), 2);
    EXPECT_EQ(Grid(editor).CurrentRow(), 1);
    editor.view().tree().SelectFolder(1);
    Grid(editor).MoveTo(Cell{1, 0});
    Grid(editor).Move(GridMove::Down);
    EXPECT_EQ(Grid(editor).Count(), 3);
    EXPECT_EQ(Grid(editor).CurrentRow(), 2);
    EXPECT_TRUE(Grid(editor).EditorOpen());
    Grid(editor).CancelEditor();
}

TEST_F(GridTest, TheWheelMovesTheRowButNeverAddsOne) {
    CEditorDlg& editor = Open({MakeFolder("A", 1, {test::LoginRecord("a"), test::LoginRecord("b")})});
    CRecordGrid& grid = Grid(editor);
    grid.MoveTo(Cell{0, 1});
    TurnWheel(grid.hwnd(), true);
    EXPECT_EQ(grid.CurrentRow(), 1);
    TurnWheel(grid.hwnd(), true);
    EXPECT_EQ(grid.Count(), 2);
    EXPECT_EQ(FolderAt(0).records.size(), 2u);
    EXPECT_EQ(grid.CurrentRow(), 1);
    EXPECT_EQ(grid.CurrentCell().column, 1);
    EXPECT_FALSE(grid.EditorOpen());
    TurnWheel(grid.hwnd(), false);
    EXPECT_EQ(grid.CurrentRow(), 0);
}

TEST_F(GridTest, ControlZUndoesAndControlFSearchesInTheGrid) {
    CEditorDlg& editor = Open({MakeFolder("Web", kInternetCategory, {test::LoginRecord("Old")})});
    CRecordGrid& grid = Grid(editor);
    EditCell(editor, Cell{0, 0}, "New");
    ASSERT_EQ(app_->Undo.Count(), 1);
    grid.Focus();
    PressWithControl(grid.hwnd(), 'Z');
    EXPECT_EQ(FolderAt(0).records[0].fields[kDescription], "Old");
    EXPECT_EQ(app_->Undo.Count(), 0);
    PressWithControl(grid.hwnd(), 'F');
    ASSERT_NE(editor.view().searchDialog(), nullptr);
    EXPECT_EQ(TextOf(editor.view().searchDialog()->hwnd()), "Search items");
}

TEST_F(GridTest, TheCellEditorOffersCompletionsWhileAutoCompleteIsOn) {
    CEditorDlg& editor = Open({MakeFolder("Web", kInternetCategory, {test::LoginRecord("Mailbox", "alice"), test::LoginRecord("")})});
    CRecordGrid& grid = Grid(editor);
    grid.MoveTo(Cell{1, 0});
    grid.OpenEditor();
    ASSERT_EQ(GetFocus(), grid.textEditor().hwnd());
    SendMessageA(grid.textEditor().hwnd(), WM_CHAR, 'm', 0);
    EXPECT_EQ(grid.textEditor().Offered(), std::vector<std::string>{"Mailbox"});
    grid.CancelEditor();

    app_->Settings.AutoComplete = 0;
    grid.OpenEditor();
    SendMessageA(grid.textEditor().hwnd(), WM_CHAR, 'm', 0);
    EXPECT_TRUE(grid.textEditor().Offered().empty());
    grid.CancelEditor();
}

TEST_F(GridTest, ThePasswordEditorAndItsButtonShowAtOnce) {
    CEditorDlg& editor = Open({MakeFolder("Web", kInternetCategory, {test::LoginRecord("site", "alice", "s3cret")})});
    CRecordGrid& grid = Grid(editor);
    grid.MoveTo(Cell{0, 2});
    grid.OpenEditor();
    HWND edit = grid.textEditor().hwnd();
    HWND button = GetDlgItem(editor.view().hwnd(), IDC_CELL_GENERATE);
    ASSERT_TRUE(IsWindowVisible(edit));
    ASSERT_TRUE(IsWindowVisible(button));
    Pump(300);  // the grid has painted again since the editor took the focus
    RECT client{};
    GetClientRect(edit, &client);
    EXPECT_EQ(ScreenPixel(edit, POINT{client.right - 3, client.bottom / 2}), GetSysColor(COLOR_WINDOW));
    EXPECT_TRUE(ScreenShowsItsDrawing(button));
    grid.CancelEditor();
}

TEST_F(GridTest, TheCellEditorShowsItsLineWholeCentredOnTheCell) {
    CEditorDlg& editor = Open({MakeFolder("Web", kInternetCategory, {test::LoginRecord("Typing", "alice")})});
    CRecordGrid& grid = Grid(editor);
    grid.MoveTo(Cell{0, 1});
    grid.OpenEditor();
    HWND edit = grid.textEditor().hwnd();
    RECT client{};
    GetClientRect(edit, &client);
    EXPECT_GE(client.bottom, ui::FontLineHeight(edit) + 2);
    RECT cell{};
    cell.top = 1;
    cell.left = LVIR_BOUNDS;
    grid.Send(LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
    RECT box{};
    GetWindowRect(edit, &box);
    MapWindowPoints(nullptr, grid.hwnd(), reinterpret_cast<POINT*>(&box), 2);
    EXPECT_LE(std::abs((box.top + box.bottom) - (cell.top + cell.bottom)), 2);
    grid.CancelEditor();
}

TEST_F(GridTest, ACutOffCellShowsItsWholeTextInATip) {
    const std::string longText = "A description far too long for its narrow column";
    CEditorDlg& editor = Open({MakeFolder("Web", kInternetCategory,
                                          {test::LoginRecord(longText, "al", "a password of thirty characters")})});
    CRecordGrid& grid = Grid(editor);
    SetForegroundWindow(editor.hwnd());
    grid.Send(LVM_SETCOLUMNWIDTH, 0, 80);
    grid.Send(LVM_SETCOLUMNWIDTH, 2, 24);
    RestMouseOn(grid, Cell{0, 0});
    EXPECT_EQ(ShownTip(3000), longText);
    // A cell that shows its whole text has no tip.
    RestMouseOn(grid, Cell{0, 1});
    EXPECT_EQ(ShownTip(1500), "");
    // A masked password's tip shows the mask, never the password.
    RestMouseOn(grid, Cell{0, 2});
    EXPECT_EQ(ShownTip(3000), "*****");
}

TEST_F(GridTest, DeletingRecords) {
    CEditorDlg& editor = Open({MakeFolder("A", 1, {test::LoginRecord("a"), test::LoginRecord("b"), test::LoginRecord("")})});
    Grid(editor).MoveTo(Cell{2, 0});
    Grid(editor).DeleteRecords();
    EXPECT_TRUE(shown_.empty());  // a single empty record goes without a question
    EXPECT_EQ(FolderAt(0).records.size(), 2u);
    answers_ = {IDNO, IDYES};
    Grid(editor).MoveTo(Cell{0, 0});
    Grid(editor).DeleteRecords();
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text, "Are you sure you want to delete the information for a ?");
    EXPECT_EQ(FolderAt(0).records.size(), 2u);
    Grid(editor).DeleteRecords();
    EXPECT_EQ(FolderAt(0).records.size(), 1u);
    EXPECT_EQ(app_->Undo.MenuText(), "&Undo delete record");
}

TEST_F(GridTest, CellClipboardCommands) {
    CEditorDlg& editor = Open({MakeFolder("Web", kInternetCategory, {test::LoginRecord("site", "alice", "s3cret")})});
    CRecordGrid& grid = Grid(editor);
    grid.MoveTo(Cell{0, 2});
    Command(editor, ID_CELL_COPY);
    EXPECT_EQ(ClipboardText().value_or(""), "s3cret");  // the real password, never the mask
    grid.MoveTo(Cell{0, 1});
    Command(editor, ID_CELL_CUT);
    EXPECT_EQ(ClipboardText().value_or(""), "alice");
    EXPECT_EQ(FolderAt(0).records[0].fields[kUsername], "");
    EXPECT_EQ(app_->Undo.MenuText(), "&Undo delete Username: alice");
    Command(editor, ID_CELL_PASTE);
    EXPECT_EQ(FolderAt(0).records[0].fields[kUsername], "alice");
    EXPECT_EQ(app_->Undo.Count(), 1);
    Command(editor, ID_CELL_CLEAR);
    EXPECT_EQ(app_->Undo.MenuText(), "&Undo clear Username: alice");
    Command(editor, ID_UNDO);
    EXPECT_EQ(FolderAt(0).records[0].fields[kUsername], "alice");
}

TEST_F(GridTest, CutOrClearOfAMaskedPasswordKeepsItOutOfTheUndoItem) {
    CEditorDlg& editor = Open({MakeFolder("Web", kInternetCategory, {test::LoginRecord("site", "alice", "hunter2")})});
    ASSERT_NE(app_->Settings.Mask, 0u);
    Grid(editor).MoveTo(Cell{0, 2});
    Command(editor, ID_CELL_CUT);
    EXPECT_EQ(ClipboardText().value_or(""), "hunter2");
    EXPECT_EQ(app_->Undo.MenuText(), "&Undo delete Password: *****");
    Command(editor, ID_UNDO);
    ASSERT_EQ(FolderAt(0).records[0].fields[kPassword], "hunter2");
    Grid(editor).MoveTo(Cell{0, 2});
    Command(editor, ID_CELL_CLEAR);
    EXPECT_EQ(app_->Undo.MenuText(), "&Undo clear Password: *****");
}

// "\u0142" (l with stroke) is not in the code page; a paste puts it into
// the control, which holds UTF-16 even behind an ANSI window.
TEST_F(GridTest, APasswordWithACharacterTheFileCannotHoldIsRefusedAndTheEditorStaysOpen) {
    CEditorDlg& editor = Open({MakeFolder("Web", kInternetCategory, {test::LoginRecord("site", "alice", "hunter2")})});
    CRecordGrid& grid = Grid(editor);
    grid.MoveTo(Cell{0, 2});
    grid.OpenEditor();
    SetWindowTextW(grid.textEditor().hwnd(), L"hunter\u0142");
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text, kUnstorableText);
    EXPECT_TRUE(grid.EditorOpen());
    EXPECT_EQ(grid.textEditor().Text(), "hunter2");
    SetWindowTextW(grid.textEditor().hwnd(), L"hunter3");
    grid.CommitEditor();
    EXPECT_EQ(FolderAt(0).records[0].fields[kPassword], "hunter3");
    EXPECT_EQ(shown_.size(), 1u);
}

TEST_F(GridTest, AWebAddressWithACharacterTheFileCannotHoldIsRefused) {
    Record record = test::LoginRecord("site");
    record.fields[kUrl] = "http://example.com";
    CEditorDlg& editor = Open({MakeFolder("Web", kInternetCategory, {record})});
    HWND url = GetDlgItem(editor.view().hwnd(), IDC_URL);
    SetFocus(url);
    SetWindowTextW(url, L"http://\u0142odz.example");
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text, kUnstorableText);
    EXPECT_EQ(FolderAt(0).records[0].fields[kUrl], "http://example.com");
    EXPECT_EQ(ui::WindowText(url), "http://example.com");
}

TEST_F(GridTest, ExpiryFollowsTheDateAssignedOnlyWhenEmpty) {
    Record dated = test::LoginRecord("dated");
    dated.dateExpires = Day(2030, 1, 1);
    CEditorDlg& editor = Open({MakeFolder("D", kDefaultCategory, {test::LoginRecord("plain"), dated})});
    app_->Settings.ExpirationDays = 90;
    CRecordGrid& grid = Grid(editor);
    const int assignedColumn = 3;  // Description, Username, Password, Date assigned, Date expires
    ASSERT_EQ(grid.FieldAt(assignedColumn), kDateAssigned);
    for (int row = 0; row < 2; ++row) {
        grid.MoveTo(Cell{row, assignedColumn});
        grid.OpenEditor();
        SYSTEMTIME picked{};
        picked.wYear = 2026;
        picked.wMonth = 1;
        picked.wDay = 10;
        SendDlgItemMessageA(editor.view().hwnd(), IDC_DATE_EDITOR, DTM_SETSYSTEMTIME, GDT_VALID,
                            reinterpret_cast<LPARAM>(&picked));
        grid.CommitEditor();
    }
    const auto& records = FolderAt(0).records;
    const Record& plain = records[0].fields[kDescription] == "plain" ? records[0] : records[1];
    const Record& other = records[0].fields[kDescription] == "plain" ? records[1] : records[0];
    EXPECT_EQ(plain.dateExpires.wYear, 2026);
    EXPECT_EQ(plain.dateExpires.wMonth, 4);
    EXPECT_EQ(plain.dateExpires.wDay, 10);
    EXPECT_EQ(other.dateExpires, Day(2030, 1, 1));
}

TEST_F(GridTest, DateExpiresSortKeepsUndatedRecordsLast) {
    Record first = test::LoginRecord("first");
    first.dateExpires = Day(2024, 1, 1);
    Record second = test::LoginRecord("second");
    second.dateExpires = Day(2025, 1, 1);
    CEditorDlg& editor = Open({MakeFolder("D", kDefaultCategory, {test::LoginRecord("undated"), second, first})});
    CRecordGrid& grid = Grid(editor);
    grid.SortBy(4);  // the first click sorts descending
    EXPECT_EQ(grid.ItemText(0, 0), "second");
    EXPECT_EQ(grid.ItemText(1, 0), "first");
    EXPECT_EQ(grid.ItemText(2, 0), "undated");
    grid.SortBy(4);
    EXPECT_EQ(grid.ItemText(0, 0), "first");
    EXPECT_EQ(grid.ItemText(1, 0), "second");
    EXPECT_EQ(grid.ItemText(2, 0), "undated");
}

TEST_F(GridTest, RightAndTabAtTheLastColumn) {
    CEditorDlg& editor = Open({MakeFolder("Web", kInternetCategory, {test::LoginRecord("a"), test::LoginRecord("b")})});
    CRecordGrid& grid = Grid(editor);
    grid.MoveTo(Cell{0, 2});
    grid.Move(GridMove::Right);
    EXPECT_EQ(grid.CurrentCell().row, 1);
    EXPECT_EQ(grid.CurrentCell().column, 0);
    grid.MoveTo(Cell{0, 2});
    grid.Move(GridMove::Next);
    EXPECT_EQ(GetFocus(), GetDlgItem(editor.view().hwnd(), IDC_URL));
}

TEST_F(GridTest, SearchingRecords) {
    Record noted = test::LoginRecord("Noted");
    noted.fields[kNotes] = "one key and two key";
    CEditorDlg& editor = Open({MakeFolder("Alpha", 1, {test::LoginRecord("early hit")}),
                               MakeFolder("Banking", 1, {test::LoginRecord("MyBank Online"), test::LoginRecord("Other"), noted}),
                               MakeFolder("Banking~Sub", 1, {test::LoginRecord("nothing")}),
                               MakeFolder("Words", 1, {test::LoginRecord("my bank"), test::LoginRecord("BANK"), test::LoginRecord("mybank")})});
    editor.view().tree().SelectFolder(1);
    editor.view().OpenSearch(CSearchDlg::Mode::Items);
    ASSERT_NE(editor.view().searchDialog(), nullptr);
    EXPECT_EQ(TextOf(editor.view().searchDialog()->hwnd()), "Search items");
    Find(editor, "bank");
    EXPECT_EQ(CurrentDescription(editor), "MyBank Online");

    // Whole words without case: "BANK" and "my bank" (sorted so), never "mybank".
    editor.view().tree().SelectFolder(3);
    editor.view().OpenSearch(CSearchDlg::Mode::Items);
    Find(editor, "bank", true, false);
    EXPECT_EQ(CurrentDescription(editor), "BANK");
    Find(editor, "bank", true, false);
    EXPECT_EQ(CurrentDescription(editor), "my bank");
    Find(editor, "bank", true, false);  // past "mybank" and round the tree
    EXPECT_EQ(CurrentDescription(editor), "BANK");

    shown_.clear();
    Find(editor, "Bank", true, true);
    EXPECT_EQ(shown_.back().text, "Search item was not found.");

    // Two hits in the same notes, one after the other.
    editor.view().tree().SelectFolder(1);
    editor.view().OpenSearch(CSearchDlg::Mode::Items);
    Find(editor, "key");
    EXPECT_EQ(CurrentDescription(editor), "Noted");
    CHARRANGE selection{};
    SendDlgItemMessageA(editor.view().hwnd(), IDC_NOTES, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    EXPECT_EQ(selection.cpMin, 4);
    Find(editor, "key");
    SendDlgItemMessageA(editor.view().hwnd(), IDC_NOTES, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    EXPECT_EQ(selection.cpMin, 16);

    // From the subfolder the search wraps round and finds the hit before it.
    editor.view().tree().SelectFolder(2);
    editor.view().OpenSearch(CSearchDlg::Mode::Items);
    Find(editor, "early");
    EXPECT_EQ(CurrentDescription(editor), "early hit");
    EXPECT_EQ(editor.view().tree().SelectedFolder(), 0);
}

TEST_F(GridTest, SearchHistoryKeepsFiveTextsOnce) {
    CEditorDlg& editor = Open({MakeFolder("A", 1, {test::LoginRecord("a")})});
    editor.view().OpenSearch(CSearchDlg::Mode::Items);
    for (const char* text : {"one", "two", "two", "three", "four", "five", "six"}) Find(editor, text);
    EXPECT_EQ(app_->Database.SearchItemHistory, (std::vector<std::string>{"six", "five", "four", "three", "two"}));
    editor.view().OpenSearch(CSearchDlg::Mode::Folders);
    EXPECT_EQ(TextOf(editor.view().searchDialog()->hwnd()), "Search folders");
    shown_.clear();
    Find(editor, "A");  // only the selected folder has that name
    EXPECT_EQ(shown_.back().text, "Search item was not found.");
}

TEST_F(GridTest, CopyingIntoAFolderWhoseLastRecordIsEmpty) {
    CEditorDlg& editor = Open({MakeFolder("Source", 1, {test::LoginRecord("a"), test::LoginRecord("b"), test::LoginRecord("c")}),
                               MakeFolder("Target", 1, {test::LoginRecord("x"), test::LoginRecord("")})});
    for (int row : {0, 1, 2}) Grid(editor).AddToMultiSelection(row);
    editor.view().DropRecords(1, false);
    ASSERT_EQ(FolderAt(1).records.size(), 4u);
    EXPECT_EQ(FolderAt(1).records[1].fields[kDescription], "a");
    EXPECT_EQ(FolderAt(1).records[3].fields[kDescription], "c");
    EXPECT_EQ(FolderAt(0).records.size(), 3u);
    EXPECT_EQ(app_->Undo.MenuText(), "&Undo Copy records");
}

TEST_F(GridTest, MovingTwoRecordsAndUndoingOnce) {
    CEditorDlg& editor = Open({MakeFolder("Source", 1, {test::LoginRecord("a"), test::LoginRecord("b"), test::LoginRecord("c")}),
                               MakeFolder("Target", 1, {test::LoginRecord("x")})});
    Grid(editor).AddToMultiSelection(0);
    Grid(editor).AddToMultiSelection(2);
    editor.view().DropRecords(1, true);
    ASSERT_EQ(FolderAt(0).records.size(), 1u);
    EXPECT_EQ(FolderAt(0).records[0].fields[kDescription], "b");
    EXPECT_EQ(FolderAt(1).records.size(), 3u);
    Command(editor, ID_UNDO);
    EXPECT_EQ(FolderAt(0).records.size(), 3u);
    EXPECT_EQ(FolderAt(1).records.size(), 1u);
    // Onto its own folder nothing happens.
    Grid(editor).AddToMultiSelection(0);
    editor.view().DropRecords(0, true);
    EXPECT_EQ(FolderAt(0).records.size(), 3u);
}

TEST_F(GridTest, CategoryWarningAndItsSuppression) {
    CEditorDlg& editor = Open({MakeFolder("Web", kInternetCategory, {test::LoginRecord("a"), test::LoginRecord("b")}),
                               MakeFolder("Bank", kBankingCategory, {test::LoginRecord("x")})});
    DialogAnswerer answerer;
    answerer.Expect("Kelvandor", IDCANCEL);
    Grid(editor).AddToMultiSelection(0);
    editor.view().DropRecords(1, false);
    EXPECT_TRUE(answerer.AllAnswered());
    EXPECT_EQ(FolderAt(1).records.size(), 1u);
    answerer.Expect("Kelvandor", IDOK, [](HWND dialog) { CheckDlgButton(dialog, IDC_SUPPRESS_WARNING, BST_CHECKED); });
    Grid(editor).AddToMultiSelection(0);
    editor.view().DropRecords(1, false);
    EXPECT_TRUE(answerer.AllAnswered());
    EXPECT_EQ(FolderAt(1).records.size(), 2u);
    Grid(editor).AddToMultiSelection(1);
    editor.view().DropRecords(1, false);  // no warning this time
    EXPECT_EQ(FolderAt(1).records.size(), 3u);
    EXPECT_EQ(answerer.seen().size(), 2u);
}

}  // namespace
}  // namespace kv
