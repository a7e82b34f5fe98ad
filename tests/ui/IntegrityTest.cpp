// Sequences of ordinary editing on the real editor after which the tree, the
// grid, the database and the saved file must still agree: undo after a
// rename, a cell editor left open across undo, load, save and exit, loads
// that overlap, saves that are refused, searches and jumps into folders that
// selecting sorts, and drops that break the folder-name rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "app/TrayDlg.h"
#include "tests/support/Records.h"
#include "tests/ui/support/GridFixture.h"
#include "views/UndoHistory.h"

namespace kv {
namespace {

using namespace uitest;
using test::LoginRecord;

class IntegrityTest : public GridFixture {
protected:
    // The descriptions of each present folder's records, by path.
    static std::map<std::string, std::vector<std::string>> Contents(const PasswordDatabase& db) {
        std::map<std::string, std::vector<std::string>> contents;
        for (const Folder& folder : db.Folders) {
            if (folder.present == 0) continue;
            std::vector<std::string>& descriptions = contents[folder.path];
            for (const Record& record : folder.records) descriptions.push_back(record.fields[kDescription]);
            std::sort(descriptions.begin(), descriptions.end());
        }
        return contents;
    }

    // Every tree item names the folder whose path it shows.
    void ExpectTreeMatchesDatabase(CEditorDlg& editor) {
        CFolderTree& tree = editor.view().tree();
        for (HTREEITEM item = tree.Root(); item != nullptr; item = tree.NextInPreOrder(item)) {
            const FolderTreeModel::NodeId node = tree.NodeOf(item);
            const int index = tree.model().FolderIndex(node);
            if (index < 0) continue;
            ASSERT_LT(static_cast<std::size_t>(index), app_->Database.Folders.size());
            EXPECT_EQ(app_->Database.Folders[static_cast<std::size_t>(index)].path, tree.model().PathOf(node));
        }
    }

    // Opens the cell editor on `cell` and types `text`, leaving it open.
    void TypeIntoCell(CEditorDlg& editor, Cell cell, const std::string& text) {
        Grid(editor).MoveTo(cell);
        Grid(editor).OpenEditor();
        Grid(editor).textEditor().SetText(text);
        ASSERT_TRUE(Grid(editor).EditorOpen());
    }

    CEditorDlg& OpenShops() {
        return Open({MakeFolder("Internet", kInternetCategory, {LoginRecord("net")}),
                     MakeFolder("Banking", kBankingCategory, {LoginRecord("bank")}),
                     MakeFolder("Internet~Shop", kInternetCategory, {LoginRecord("shop")})});
    }
};

TEST_F(IntegrityTest, UndoingARenameAndACellEditKeepsEveryRecordInItsFolder) {
    CEditorDlg& editor = OpenShops();
    const auto before = Contents(app_->Database);
    editor.view().tree().SelectPath("Banking");
    EditCell(editor, Cell{0, 0}, "bank edited");
    Command(editor, ID_RENAME_FOLDER);
    FinishLabelEdit(editor, "Bank");
    Command(editor, ID_UNDO);
    ExpectTreeMatchesDatabase(editor);
    Command(editor, ID_UNDO);
    ExpectTreeMatchesDatabase(editor);
    EXPECT_EQ(Contents(app_->Database), before);
    Command(editor, ID_SAVE);
    EXPECT_EQ(Contents(ReadBack(PathOf("Grid.kv"))), before);
}

TEST_F(IntegrityTest, AnOpenCellEditorIsStoredBeforeAnUndo) {
    CEditorDlg& editor = OpenShops();
    editor.view().tree().SelectPath("Banking");
    Command(editor, ID_RENAME_FOLDER);
    FinishLabelEdit(editor, "Bank");
    editor.view().tree().SelectPath("Internet~Shop");
    TypeIntoCell(editor, Cell{0, 0}, "typed");
    // The typed text is the newest change: the undo takes it back, not the rename.
    Command(editor, ID_UNDO_FOLDERS);
    ExpectTreeMatchesDatabase(editor);
    EXPECT_EQ(Contents(app_->Database)["Internet~Shop"], std::vector<std::string>{"shop"});
    EXPECT_EQ(Contents(app_->Database).count("Bank"), 1u);
    EXPECT_EQ(app_->Undo.MenuText(), "&Undo rename folder: Banking");
}

TEST_F(IntegrityTest, AnOpenCellEditorBelongsToTheFileItWasOpenedIn) {
    PasswordDatabase small;
    AddFolder(small, "Only", kDefaultCategory);
    small.Folders[0].records.write().push_back(LoginRecord("alone"));
    WriteDatabase(PathOf("Small.kv"), "", small);
    CEditorDlg& editor = OpenShops();
    app_->Settings.RecentFiles = {PathOf("Small.kv"), PathOf("Grid.kv")};
    editor.view().tree().SelectPath("Internet~Shop");  // the third folder: Small.kv has one
    TypeIntoCell(editor, Cell{0, 0}, "typed");
    answers_ = {IDYES};  // save the changes to Grid.kv
    Command(editor, ID_RECENT_FILE_1);
    EXPECT_EQ(app_->Database.FilePath, PathOf("Small.kv"));
    EXPECT_EQ(Contents(app_->Database), (std::map<std::string, std::vector<std::string>>{{"Only", {"alone"}}}));
    EXPECT_FALSE(app_->Undo.CanUndo());
    EXPECT_FALSE(Grid(editor).EditorOpen());
    EXPECT_EQ(Contents(ReadBack(PathOf("Grid.kv")))["Internet~Shop"], std::vector<std::string>{"typed"});
}

TEST_F(IntegrityTest, SaveAndExitTakeOverTheOpenCellEditor) {
    CEditorDlg& editor = OpenShops();
    editor.view().tree().SelectPath("Banking");
    TypeIntoCell(editor, Cell{0, 0}, "saved while typing");
    Command(editor, ID_SAVE);
    EXPECT_EQ(Contents(ReadBack(PathOf("Grid.kv")))["Banking"], std::vector<std::string>{"saved while typing"});
    EXPECT_FALSE(app_->Database.Modified);

    TypeIntoCell(editor, Cell{0, 0}, "typed before exit");
    answers_ = {IDYES};
    Command(editor, ID_EXIT);
    EXPECT_TRUE(QuitPosted());
    DropQuit();
    EXPECT_EQ(Contents(ReadBack(PathOf("Grid.kv")))["Banking"], std::vector<std::string>{"typed before exit"});
}

TEST_F(IntegrityTest, ATrayClickWhileTheEditorsPromptIsOpenStartsNoSecondLoad) {
    PasswordDatabase five;
    for (const char* path : {"A", "B", "C", "D", "E"}) AddFolder(five, path, kDefaultCategory);
    WriteDatabase(PathOf("Five.kv"), "pw", five);
    CEditorDlg& editor = OpenShops();
    app_->Settings.RecentFiles = {PathOf("Five.kv")};
    std::size_t prompts = 0;
    DialogAnswerer answerer;
    answerer.Expect("Enter password - Five.kv", IDOK, [&](HWND prompt) {
        app_->Tray().OpenTrayDlg(true);
        prompts = FindWindows({GetCurrentProcessId(), "Enter password - Five.kv", "", true}).size();
        SetItemText(prompt, IDC_PASSWORD, "pw");
    });
    Command(editor, ID_RECENT_FILE_1);
    EXPECT_TRUE(answerer.AllAnswered());
    EXPECT_EQ(prompts, 1u);
    EXPECT_EQ(app_->Database.Folders.size(), 5u);
    ExpectTreeMatchesDatabase(editor);
}

TEST_F(IntegrityTest, ExitWhoseSaveFailsKeepsTheProgramAndTheChanges) {
    CEditorDlg& editor = OpenShops();
    app_->Database.FilePath = PathOf("missing-folder\\Grid.kv");
    app_->Database.Modified = true;
    answers_ = {IDYES};
    EXPECT_FALSE(app_->Exit(false));
    EXPECT_FALSE(app_->Exiting);
    EXPECT_FALSE(QuitPosted());
    EXPECT_NE(editor.hwnd(), nullptr);
    EXPECT_TRUE(app_->Database.Modified);
}

TEST_F(IntegrityTest, ASearchHitInAFolderNotYetShownIsTheRecordHighlighted) {
    CEditorDlg& editor = Open({MakeFolder("First", kInternetCategory, {LoginRecord("one")}),
                               MakeFolder("Unsorted", kInternetCategory,
                                          {LoginRecord("zulu"), LoginRecord("yankee"), LoginRecord("alpha serial 7"),
                                           LoginRecord("mike serial 8")})});
    editor.view().OpenSearch(CSearchDlg::Mode::Items);
    Find(editor, "serial");
    EXPECT_EQ(CurrentDescription(editor), "alpha serial 7");
    Find(editor, "serial");
    EXPECT_EQ(CurrentDescription(editor), "mike serial 8");
}

TEST_F(IntegrityTest, TheTrayJumpsToTheRecordItChoseInAFolderThatSelectingSorts) {
    WriteDatabase(PathOf("Jump.kv"), "",
                  [] {
                      PasswordDatabase db;
                      AddFolder(db, "First", kInternetCategory);
                      db.Folders[0].records.write().push_back(LoginRecord("one"));
                      AddFolder(db, "Unsorted", kInternetCategory);
                      db.Folders[1].records.write() = {LoginRecord("zulu"), LoginRecord("yankee"), LoginRecord("alpha")};
                      return db;
                  }());
    CEditorDlg& editor = StartEditorOn(PathOf("Jump.kv"));
    app_->Tray().OpenTrayDlg(true);
    CTrayDlg* tray = app_->Tray().TrayDlg();
    ASSERT_NE(tray, nullptr);
    CTrayTreeView& tree = tray->tree();
    tree.ExpandAll();
    HTREEITEM yankee = nullptr;
    for (HTREEITEM item = tree.Root(); item != nullptr; item = tree.NextInPreOrder(item)) {
        if (tree.ItemText(item) == "yankee") yankee = item;
    }
    ASSERT_NE(yankee, nullptr);
    tree.Select(yankee);
    PressButton(tray->hwnd(), IDC_TRAY_EDITOR);
    Pump(50);
    EXPECT_EQ(editor.view().tree().SelectedPath(), "Unsorted");
    EXPECT_EQ(CurrentDescription(editor), "yankee");
}

TEST_F(IntegrityTest, AFolderDroppedBesideASiblingOfItsNameIsRefused) {
    WriteFile(PathOf("Drop.kv"), "", {"Mail", "Work", "Work~Mail", std::string(256, 'w')});
    CEditorDlg& editor = StartEditorOn(PathOf("Drop.kv"));
    CFolderTree& tree = editor.view().tree();
    const FolderTreeModel::NodeId workMail = tree.model().FindFolder(2);
    shown_.clear();
    tree.Drop(workMail, FolderTreeModel::kRoot);
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text, "An entry with that name already exists");
    // Under the long folder the path would pass 259 characters.
    tree.Drop(tree.model().FindFolder(0), tree.model().FindFolder(3));
    ASSERT_EQ(shown_.size(), 2u);
    EXPECT_EQ(shown_[1].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
    EXPECT_FALSE(app_->Undo.CanUndo());
    EXPECT_FALSE(app_->Database.Modified);
    EXPECT_EQ(app_->Database.Folders[2].path, "Work~Mail");
}

TEST_F(IntegrityTest, TheFileOpenedLastIsTheOneTheNextStartOpens) {
    WriteFile(PathOf("Other.kv"), "", {"Other"});
    CEditorDlg& editor = OpenShops();
    app_->Settings.RecentFiles = {PathOf("Other.kv")};
    Command(editor, ID_RECENT_FILE_1);
    EXPECT_EQ(app_->Settings.LastFile, PathOf("Other.kv"));
    std::unique_ptr<SettingsStore> store = app_->Storage().OpenExisting();
    ASSERT_TRUE(store);
    EXPECT_EQ(store->ReadText("LastFile", 260).value_or(""), PathOf("Other.kv"));
}

TEST_F(IntegrityTest, TheTrayOpensOnTheFileTheEditorReadWithoutALastFile) {
    OpenShops();
    app_->Settings.LastFile.clear();  // as on a first run, before the editor opened its file
    app_->Tray().OpenTrayDlg(true);
    ASSERT_NE(app_->Tray().TrayDlg(), nullptr);
    EXPECT_TRUE(app_->Tray().TrayDlg()->IsVisible());
}

TEST_F(IntegrityTest, TheTrayDoesNotReadTheFileOverChangesMadeAfterAFailedLoad) {
    WriteFile(PathOf("Locked.kv"), "right", {"Secret"});
    DialogAnswerer answerer;
    for (const char* typed : {"one", "two", "three"}) answerer.Expect("Enter password - Locked.kv", IDOK, Typing(typed));
    CEditorDlg& editor = StartEditorOn(PathOf("Locked.kv"));
    ASSERT_EQ(app_->Database.FileLoaded, 0);
    AddFolder(app_->Database, "Typed since", kDefaultCategory);
    editor.view().RebuildTree();
    app_->Database.Modified = true;
    shown_.clear();
    app_->Tray().OpenTrayDlg(true);
    EXPECT_EQ(app_->Database.Folders.size(), 1u);
    EXPECT_EQ(app_->Database.Folders[0].path, "Typed since");
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_NE(shown_[0].text.find("Save as"), std::string::npos);
}

TEST_F(IntegrityTest, EscapeInTheTreeLeavesTheEditorAsItIs) {
    CEditorDlg& editor = OpenShops();
    app_->Database.Modified = true;
    editor.view().tree().Focus();
    shown_.clear();
    editor.Send(WM_COMMAND, MAKEWPARAM(IDCANCEL, 0));
    EXPECT_TRUE(editor.IsVisible());
    EXPECT_TRUE(shown_.empty());
}

}  // namespace
}  // namespace kv
