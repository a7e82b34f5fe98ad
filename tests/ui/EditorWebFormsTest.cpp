// The editor's web-form commands on the real editor: the form-data editor
// driven through its list, its cell editors and its buttons (one undo level,
// the overwrite warning, a sort while it is open), the ignored sites, and the
// launch button filling a record's form through the program.
#include <gtest/gtest.h>
#include "tests/support/Records.h"
#include "tests/ui/support/GridFixture.h"
#include "tests/ui/support/MemoryBrowser.h"

namespace kv {
namespace {

using namespace uitest;

constexpr char kZetaCaption[] = "Edit form data - Zeta";

// "Zeta" holds a login's form data; "Alpha" has none and sorts first.
Record Zeta() {
    Record record = test::LoginRecord("Zeta", "bob", "secret");
    record.fields[kUrl] = "https://forum.example/login";
    record.formData = {test::ColumnEntry(kTextInput, "user", "bob", kUsername), test::ColumnEntry(kPasswordInput, "pwd", "secret", kPassword),
                       test::ColumnEntry(kTextInput, "password2", "again", kPassword), test::ColumnEntry(kCheckBox, "remember", "on", -1)};
    return record;
}

std::string CellText(HWND dialog, int row, int column) {
    char text[260] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendDlgItemMessageA(dialog, IDC_FORM_DATA_LIST, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

// A click on a cell of the list, as the mouse gives it.
void ClickCell(HWND dialog, int row, int column) {
    HWND list = GetDlgItem(dialog, IDC_FORM_DATA_LIST);
    RECT cell{};
    cell.top = column;
    cell.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    const LPARAM at = MAKELPARAM(cell.left + 4, (cell.top + cell.bottom) / 2);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    Pump(20);
}

// Types into the value editor of a row and leaves it.
void EditValue(HWND dialog, int row, const std::string& text) {
    ClickCell(dialog, row, 2);
    HWND edit = GetDlgItem(dialog, IDC_FORM_VALUE_EDIT);
    ASSERT_TRUE(IsWindowVisible(edit));
    SetWindowTextA(edit, text.c_str());
    SetFocus(GetDlgItem(dialog, IDC_FORM_DATA_LIST));
    Pump(20);
}

// Chooses a record field for a row in its column list.
void ChooseColumn(HWND dialog, int row, const std::string& name) {
    ClickCell(dialog, row, 3);
    HWND columns = GetDlgItem(dialog, IDC_FORM_COLUMN_LIST);
    ASSERT_TRUE(IsWindowVisible(columns));
    const LRESULT item = SendMessageA(columns, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
    ASSERT_GE(item, 0);
    SendMessageA(columns, CB_SHOWDROPDOWN, FALSE, 0);
    SendMessageA(columns, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_FORM_COLUMN_LIST, CBN_SELENDOK), reinterpret_cast<LPARAM>(columns));
    Pump(20);
}

class EditorWebFormsTest : public GridFixture {
protected:
    CEditorDlg& OpenZeta() {
        CEditorDlg& editor = Open({MakeFolder("Internet", kInternetCategory, {Zeta(), test::LoginRecord("Alpha")})});
        Grid(editor).MoveTo(Cell{RowOf(editor, "Zeta"), 0});
        return editor;
    }

    int RowOf(CEditorDlg& editor, const std::string& description) {
        const auto& records = FolderAt(Grid(editor).FolderIndex()).records;
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (records[i].fields[kDescription] == description) return static_cast<int>(i);
        }
        return -1;
    }

    const Record& RecordNamed(const std::string& description) {
        const auto& records = FolderAt(0).records;
        for (const Record& record : records) {
            if (record.fields[kDescription] == description) return record;
        }
        static const Record none;
        return none;
    }
};

TEST_F(EditorWebFormsTest, TheListShowsEveryFieldMaskedWhereItIsAPassword) {
    CEditorDlg& editor = OpenZeta();
    DialogAnswerer answerer;
    std::vector<std::vector<std::string>> rows;
    bool autoSubmit = true;
    answerer.Expect(kZetaCaption, IDCANCEL, [&](HWND dialog) {
        for (int row = 0; row < 4; ++row) {
            rows.push_back({CellText(dialog, row, 0), CellText(dialog, row, 1), CellText(dialog, row, 2), CellText(dialog, row, 3)});
        }
        autoSubmit = IsDlgButtonChecked(dialog, IDC_FORM_AUTO_SUBMIT) == BST_CHECKED;
    });
    Command(editor, ID_EDIT_FORM_DATA);
    ASSERT_TRUE(answerer.AllAnswered());
    const std::string user = app_->Settings.ColumnNames[kUsername];
    const std::string password = app_->Settings.ColumnNames[kPassword];
    EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{{"EditBox", "user", "bob", user},
                                                             {"Password", "pwd", "*****", password},
                                                             // A text input classified into Password is masked too.
                                                             {"EditBox", "password2", "*****", password},
                                                             {"Checkbox", "remember", "on", "Unassigned"}}));
    EXPECT_FALSE(autoSubmit);
    EXPECT_FALSE(app_->Database.Modified);
    EXPECT_EQ(app_->Undo.Count(), 0);
}

TEST_F(EditorWebFormsTest, AnEditedValueReachesEntryAndFieldAsOneUndoLevelThatUndoes) {
    CEditorDlg& editor = OpenZeta();
    DialogAnswerer answerer;
    answerer.Expect(kZetaCaption, IDOK, [](HWND dialog) {
        EditValue(dialog, 0, "carol");
        CheckDlgButton(dialog, IDC_FORM_AUTO_SUBMIT, BST_CHECKED);
    });
    Command(editor, ID_EDIT_FORM_DATA);
    ASSERT_TRUE(answerer.AllAnswered());
    const Record& changed = RecordNamed("Zeta");
    EXPECT_EQ(changed.fields[kUsername], "carol");
    EXPECT_EQ(changed.formData[0].value, "carol");
    for (const FormField& entry : changed.formData) EXPECT_EQ(entry.autoSubmit, 1);
    EXPECT_TRUE(app_->Database.Modified);
    EXPECT_EQ(app_->Undo.Count(), 1);
    EXPECT_EQ(app_->Undo.MenuText(), "&Undo Edit form data");
    // The grid shows the new user name.
    EXPECT_EQ(Grid(editor).ItemText(RowOf(editor, "Zeta"), 1), "carol");

    Command(editor, ID_UNDO);
    EXPECT_EQ(RecordNamed("Zeta").fields[kUsername], "bob");
    Grid(editor).MoveTo(Cell{RowOf(editor, "Zeta"), 0});
    DialogAnswerer reopen;
    std::string shown;
    reopen.Expect(kZetaCaption, IDCANCEL, [&](HWND dialog) { shown = CellText(dialog, 0, 2); });
    Command(editor, ID_EDIT_FORM_DATA);
    EXPECT_EQ(shown, "bob");
}

TEST_F(EditorWebFormsTest, MovingAColumnWarnsWithTheFieldsTextAndNoKeepsTheDialogOpen) {
    CEditorDlg& editor = OpenZeta();
    answers_ = {IDNO, IDYES};
    DialogAnswerer answerer;
    answerer.Expect(kZetaCaption, IDOK, [&](HWND dialog) {
        ChooseColumn(dialog, 0, app_->Settings.ColumnNames[kEmail]);
        EXPECT_EQ(CellText(dialog, 0, 3), app_->Settings.ColumnNames[kEmail]);
        // OK again once No kept the dialog open (asked for only now: the
        // answerer would otherwise give it while this step handles messages).
        answerer.Expect(kZetaCaption, IDOK);
    });
    Command(editor, ID_EDIT_FORM_DATA);
    ASSERT_TRUE(answerer.AllAnswered());
    ASSERT_EQ(shown_.size(), 2u);
    EXPECT_EQ(shown_[0].text,
              "Warning: You are about to overwrite the column contents for 'bob'.\n\nDo you wish to continue?");
    const Record& changed = RecordNamed("Zeta");
    EXPECT_EQ(changed.fields[kUsername], "");
    EXPECT_EQ(changed.fields[kEmail], "bob");
    EXPECT_EQ(changed.formData[0].column, kEmail);
}

TEST_F(EditorWebFormsTest, ASortWhileTheDialogIsOpenStillChangesTheRecordItOpenedOn) {
    CEditorDlg& editor = OpenZeta();
    const int before = RowOf(editor, "Zeta");
    DialogAnswerer answerer;
    answerer.Expect(kZetaCaption, IDOK, [&](HWND dialog) {
        // The grid is sorted the other way round, which swaps the two records.
        Grid(editor).SortBy(0);
        EditValue(dialog, 1, "better");
    });
    Command(editor, ID_EDIT_FORM_DATA);
    ASSERT_TRUE(answerer.AllAnswered());
    ASSERT_NE(RowOf(editor, "Zeta"), before);
    EXPECT_EQ(RecordNamed("Zeta").fields[kPassword], "better");
    EXPECT_EQ(RecordNamed("Alpha"), test::LoginRecord("Alpha"));
}

TEST_F(EditorWebFormsTest, TheLaunchButtonOpensTheRecordsSiteAndFillsItsFormAfterASort) {
    const auto browser = std::make_shared<MemoryBrowserState>();
    browser->window = CreateBrowserWindow("Forum - Microsoft Internet Explorer");
    browser->page->address = "about:blank";
    test::MemoryForm& form = browser->page->AddForm({{"text", "user", "", false}, {"password", "pwd", "", false}});
    const MemoryBrowserInPlace inPlace(browser);
    CEditorDlg& editor = OpenZeta();
    Grid(editor).SortBy(0);
    Grid(editor).MoveTo(Cell{RowOf(editor, "Zeta"), 0});
    SendMessageA(editor.view().hwnd(), WM_COMMAND, MAKEWPARAM(IDC_LAUNCH_URL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(editor.view().hwnd(), IDC_LAUNCH_URL)));
    Pump(50);
    EXPECT_EQ(browser->opened, 1);
    EXPECT_EQ(browser->navigated, std::vector<std::string>{"https://forum.example/login"});
    EXPECT_EQ(form.inputs[0].value, "bob");
    EXPECT_EQ(form.inputs[1].value, "secret");
    EXPECT_EQ(form.submitted, 0);
    DestroyWindow(browser->window);
}

TEST_F(EditorWebFormsTest, DeleteFormDataEmptiesItAfterAskingAndTheButtonGoesGrey) {
    CEditorDlg& editor = OpenZeta();
    answers_ = {IDNO, IDYES};
    DialogAnswerer answerer;
    answerer.Expect(kZetaCaption, IDC_FORM_DELETE);
    answerer.Expect(kZetaCaption, IDC_FORM_DELETE);
    Command(editor, ID_EDIT_FORM_DATA);
    ASSERT_TRUE(answerer.AllAnswered());
    ASSERT_EQ(shown_.size(), 2u);
    EXPECT_EQ(shown_[0].text, "Delete all form data for this site?");
    EXPECT_TRUE(RecordNamed("Zeta").formData.empty());
    EXPECT_EQ(RecordNamed("Zeta").fields[kUsername], "bob");
    EXPECT_TRUE(app_->Database.Modified);
    EXPECT_EQ(app_->Undo.MenuText(), "&Undo Edit form data");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(editor.view().hwnd(), ID_EDIT_FORM_DATA)));
}

TEST_F(EditorWebFormsTest, IgnoredSitesAreRemovedFromACopyThatOnlyOkKeeps) {
    CEditorDlg& editor = OpenZeta();
    const std::vector<std::string> sites{"a.example/", "b.example/", "c.example/"};
    app_->Database.IgnoredSites = sites;
    struct Seen {
        std::string total;
        int firstSelected;
        bool removeEnabled;
    };
    std::vector<Seen> seen;
    const auto look = [&seen](HWND dialog) {
        seen.push_back({ItemText(dialog, IDC_IGNORED_TOTAL),
                        static_cast<int>(SendDlgItemMessageA(dialog, IDC_IGNORED_LIST, LB_GETSEL, 0, 0)),
                        IsWindowEnabled(GetDlgItem(dialog, IDC_IGNORED_REMOVE)) != FALSE});
    };
    const auto remove = [&](HWND dialog, std::vector<int> entries) {
        SendDlgItemMessageA(dialog, IDC_IGNORED_LIST, LB_SETSEL, FALSE, -1);
        for (const int entry : entries) SendDlgItemMessageA(dialog, IDC_IGNORED_LIST, LB_SETSEL, TRUE, entry);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_IGNORED_REMOVE, BN_CLICKED), 0);
        look(dialog);
    };
    DialogAnswerer answerer;
    answerer.Expect("Ignored sites", IDCANCEL, [&](HWND dialog) { remove(dialog, {0, 1, 2}); });
    answerer.Expect("Ignored sites", IDOK);
    answerer.Expect("Ignored sites", IDOK, [&](HWND dialog) {
        look(dialog);
        remove(dialog, {0, 2});
    });
    for (int i = 0; i < 3; ++i) Command(editor, ID_IGNORED_SITES);
    ASSERT_TRUE(answerer.AllAnswered());
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].total, "There are no sites in your list.");
    EXPECT_FALSE(seen[0].removeEnabled);
    EXPECT_EQ(seen[1].total, "Total items: 3");
    EXPECT_GT(seen[1].firstSelected, 0);
    EXPECT_TRUE(seen[1].removeEnabled);
    EXPECT_EQ(seen[2].total, "Total items: 1");
    EXPECT_EQ(app_->Database.IgnoredSites, std::vector<std::string>{"b.example/"});
    EXPECT_TRUE(app_->Database.Modified);
}

TEST_F(EditorWebFormsTest, IgnoredSitesLeftAsTheyWereDoNotMarkTheFileModified) {
    CEditorDlg& editor = OpenZeta();
    app_->Database.IgnoredSites = {"a.example/"};
    DialogAnswerer answerer;
    answerer.Expect("Ignored sites", IDOK);
    Command(editor, ID_IGNORED_SITES);
    ASSERT_TRUE(answerer.AllAnswered());
    EXPECT_FALSE(app_->Database.Modified);
}

}  // namespace
}  // namespace kv
