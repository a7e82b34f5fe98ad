// The editor in this process on real windows: new, open and save flows with
// the password dialogs, the folder tree's rules, drag and drop, undo, and
// the close flow.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/PasswordApp.h"
#include "db/FileMessages.h"
#include "db/PasswordFile.h"
#include "desktop/MessageBox.h"
#include "editor/EditorDlg.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "resources/resource.h"
#include "tests/support/ScriptedFileUi.h"
#include "tests/ui/support/EditorFixture.h"
#include "tests/ui/support/UiHarness.h"

namespace kv {
namespace {

using namespace uitest;
using NodeId = FolderTreeModel::NodeId;

using EditorTest = EditorFixture;

TEST_F(EditorTest, ANewMasterPasswordWithACharacterTheFileCannotHoldIsRefused) {
    WriteFile(PathOf("Start.kv"), "", {"Old"});
    CEditorDlg& editor = StartEditorOn(PathOf("Start.kv"));
    DialogAnswerer answerer;
    // "\u0142" is not in the code page: read as ANSI it would be "?".
    answerer.Expect("Change password", IDOK, [](HWND dialog) {
        CheckDlgButton(dialog, IDC_ENABLE_PROTECTION, BST_CHECKED);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ENABLE_PROTECTION, BN_CLICKED), 0);
        SetWindowTextW(GetDlgItem(dialog, IDC_PASSWORD), L"w\u0142adza");
        SetWindowTextW(GetDlgItem(dialog, IDC_PASSWORD_CONFIRM), L"w\u0142adza");
    });
    answerer.Expect("Change password", IDCANCEL);
    Command(editor, ID_MASTER_PASSWORD);
    EXPECT_TRUE(answerer.AllAnswered());
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text, kUnstorableText);
    EXPECT_EQ(app_->Database.MasterPassword, "");
}

TEST_F(EditorTest, NewProtectedFileReopenedAfterTwoWrongPasswords) {
    WriteFile(PathOf("Start.kv"), "", {"Old"});
    CEditorDlg& editor = StartEditorOn(PathOf("Start.kv"));
    ASSERT_EQ(TreeLabels(editor), (std::vector<std::string>{"Old"}));

    const std::string newFile = PathOf("Fresh.kv");
    DialogAnswerer answerer;
    answerer.Expect("New file", IDOK, [&](HWND dialog) {
        EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_CREATE_DEFAULT_FOLDERS));
        CheckDlgButton(dialog, IDC_ENABLE_PROTECTION, BST_CHECKED);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ENABLE_PROTECTION, BN_CLICKED), 0);
        SetItemText(dialog, IDC_PASSWORD, "Tr0ub4dor");
        SetItemText(dialog, IDC_PASSWORD_CONFIRM, "Tr0ub4dor");
        SetItemText(dialog, IDC_REMINDER, "the horse");
        SetItemText(dialog, IDC_FILE_NAME, newFile);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
        // 9 characters of 62: the strength line warns while the user types.
        EXPECT_EQ(ItemText(dialog, IDC_PASSWORD_STRENGTH), "Weak: about 53 bits; 80 bits or more resist guessing.");
    });
    answers_ = {IDYES};  // use the weak password anyway
    Command(editor, ID_NEW);
    EXPECT_TRUE(answerer.AllAnswered());
    ASSERT_FALSE(shown_.empty());
    EXPECT_EQ(shown_[0].text.rfind("This password is weak: about 53 bits. A password of at least 80 bits", 0), 0u);
    EXPECT_EQ(editor.Text(), "Fresh.kv - Kelvandor");
    EXPECT_EQ(TreeLabels(editor), (std::vector<std::string>{"Internet", "Banking", "Software", "Email"}));
    EXPECT_TRUE(app_->Database.Modified);
    Command(editor, ID_SAVE);
    EXPECT_FALSE(app_->Database.Modified);
    EXPECT_TRUE(std::filesystem::exists(newFile));

    DialogAnswerer reopen;
    const std::string caption = "Enter password - Fresh.kv";
    reopen.Expect(caption, IDOK, Typing("wrong"));
    reopen.Expect(caption, IDOK, [](HWND dialog) {
        EXPECT_EQ(ItemText(dialog, IDC_ERROR_LINE), "Incorrect password");
        EXPECT_EQ(ItemText(dialog, IDC_REMINDER_TEXT), "the horse");
        SetItemText(dialog, IDC_PASSWORD, "Tr0ub4dor!");
    });
    reopen.Expect(caption, IDOK, Typing("Tr0ub4dor"));
    Command(editor, ID_RECENT_FILE_1);
    EXPECT_TRUE(reopen.AllAnswered());
    EXPECT_EQ(app_->Database.FileLoaded, 1);
    EXPECT_EQ(app_->Database.MasterPassword, "Tr0ub4dor");
    EXPECT_EQ(TreeLabels(editor), (std::vector<std::string>{"Internet", "Banking", "Software", "Email"}));
}

TEST_F(EditorTest, ThreeWrongPasswordsLoadNothingAndSavingIsRefused) {
    WriteFile(PathOf("Locked.kv"), "right", {"Secret"});
    const auto before = std::filesystem::file_size(PathOf("Locked.kv"));
    DialogAnswerer answerer;
    for (const char* typed : {"one", "two", "three"}) answerer.Expect("Enter password - Locked.kv", IDOK, Typing(typed));
    CEditorDlg& editor = StartEditorOn(PathOf("Locked.kv"));
    EXPECT_TRUE(answerer.AllAnswered());
    ASSERT_FALSE(shown_.empty());
    EXPECT_EQ(shown_.back().text, "Incorrect password and this was your last attempt.");
    EXPECT_EQ(app_->Database.FileLoaded, 0);
    EXPECT_TRUE(TreeLabels(editor).empty());
    app_->Database.Modified = true;
    shown_.clear();
    answers_ = {IDNO};
    Command(editor, ID_SAVE);
    EXPECT_EQ(std::filesystem::file_size(PathOf("Locked.kv")), before);
    // The refusal is said, with "Save as" offered, and the changes stay marked.
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_NE(shown_[0].text.find("Locked.kv was not read completely"), std::string::npos);
    EXPECT_TRUE(app_->Database.Modified);
}

TEST_F(EditorTest, FolderNameRules) {
    WriteFile(PathOf("Names.kv"), "", {"Bank", "Mail"});
    CEditorDlg& editor = StartEditorOn(PathOf("Names.kv"));
    Command(editor, ID_ADD_FOLDER);
    FinishLabelEdit(editor, "Bad~Name");
    EXPECT_EQ(shown_.back().text, "Please do not use the ~ character in folder names.");
    Command(editor, ID_ADD_FOLDER);
    FinishLabelEdit(editor, "Bank");
    EXPECT_EQ(shown_.back().text, "An entry with that name already exists");
    EXPECT_EQ(TreeLabels(editor), (std::vector<std::string>{"Bank", "Mail"}));
    EXPECT_FALSE(app_->Undo.CanUndo());

    // Escape while naming a new folder removes it and keeps no undo level.
    Command(editor, ID_ADD_FOLDER);
    FinishLabelEdit(editor, "", true);
    EXPECT_EQ(TreeLabels(editor), (std::vector<std::string>{"Bank", "Mail"}));
    EXPECT_FALSE(app_->Undo.CanUndo());

    // A full path of 259 characters is accepted, of 260 refused with a stop icon.
    editor.view().tree().SelectFolder(0);
    Command(editor, ID_ADD_SUBFOLDER);
    FinishLabelEdit(editor, std::string(259 - 5, 'x'));
    EXPECT_EQ(app_->Database.Folders.back().path, "Bank~" + std::string(254, 'x'));
    editor.view().tree().SelectFolder(0);
    Command(editor, ID_ADD_SUBFOLDER);
    const std::size_t shownBefore = shown_.size();
    FinishLabelEdit(editor, std::string(260 - 5, 'y'));
    ASSERT_EQ(shown_.size(), shownBefore + 1);
    EXPECT_EQ(shown_.back().text,
              "The full length of this folder exceeds the maximum size of 260 characters.\nPlease shorten the name or "
              "create a new non-subfolder.");
    EXPECT_EQ(shown_.back().flags & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
    EXPECT_EQ(app_->Database.Folders.size(), 3u);
}

TEST_F(EditorTest, DragAndDropOfFolders) {
    WriteFile(PathOf("Drag.kv"), "", {"Top", "Top~Sub", "Top~Sub~Leaf", "Other"});
    CEditorDlg& editor = StartEditorOn(PathOf("Drag.kv"));
    CFolderTree& tree = editor.view().tree();
    const NodeId top = tree.model().FindFolder(0);
    const NodeId sub = tree.model().FindFolder(1);
    const NodeId leaf = tree.model().FindFolder(2);
    tree.Drop(top, leaf);
    EXPECT_EQ(shown_.back().text, "A folder can't be dropped onto one of its children");
    EXPECT_FALSE(app_->Database.Modified);
    tree.Drop(sub, FolderTreeModel::kRoot);
    EXPECT_EQ(TreeLabels(editor), (std::vector<std::string>{"Top", "Other", "Sub", "Leaf"}));
    EXPECT_EQ(app_->Database.Folders[1].path, "Sub");
    EXPECT_EQ(app_->Database.Folders[2].path, "Sub~Leaf");
    EXPECT_TRUE(app_->Database.Modified);
    EXPECT_EQ(app_->Undo.MenuText(), "&Undo move folder: Sub");
    // Dropping a top-level folder on the empty space changes nothing.
    tree.Drop(top, FolderTreeModel::kRoot);
    EXPECT_EQ(app_->Undo.Count(), 1);
}

TEST_F(EditorTest, SixChangesFiveUndos) {
    WriteFile(PathOf("Undo.kv"), "", {"A"});
    CEditorDlg& editor = StartEditorOn(PathOf("Undo.kv"));
    for (int i = 1; i <= 6; ++i) {
        editor.view().tree().SelectFolder(0);
        Command(editor, ID_RENAME_FOLDER);
        FinishLabelEdit(editor, "A" + std::to_string(i));
    }
    EXPECT_EQ(TreeLabels(editor), (std::vector<std::string>{"A6"}));
    EXPECT_EQ(app_->Undo.Count(), 5);
    for (int i = 0; i < 5; ++i) Command(editor, ID_UNDO);
    EXPECT_EQ(TreeLabels(editor), (std::vector<std::string>{"A1"}));
    EXPECT_FALSE(app_->Undo.CanUndo());
    EXPECT_EQ(app_->Undo.MenuText(), "&Undo");
}

TEST_F(EditorTest, CloseFlowYesNoAndCancel) {
    WriteFile(PathOf("Close.kv"), "", {"A"});
    CEditorDlg& editor = StartEditorOn(PathOf("Close.kv"));
    app_->Database.Modified = true;
    answers_ = {IDCANCEL};
    editor.Send(WM_CLOSE);
    EXPECT_TRUE(editor.IsVisible());
    EXPECT_TRUE(app_->Database.Modified);
    answers_ = {IDNO};
    editor.Send(WM_CLOSE);
    EXPECT_FALSE(editor.IsVisible());
    EXPECT_FALSE(app_->Database.Modified);
    app_->ShowEditor();
    app_->Database.Folders[0].path = "Renamed";
    editor.view().RebuildTree();
    app_->Database.Modified = true;
    answers_ = {IDYES};
    editor.Send(WM_CLOSE);
    EXPECT_FALSE(editor.IsVisible());
    const PasswordDatabase reread = ReadBack(PathOf("Close.kv"));
    ASSERT_FALSE(reread.Folders.empty());
    EXPECT_EQ(reread.Folders[0].path, "Renamed");
}

TEST_F(EditorTest, SplitterPositionsAreKeptBetweenRuns) {
    WriteFile(PathOf("Split.kv"), "", {"A"});
    CEditorDlg& editor = StartEditorOn(PathOf("Split.kv"));
    HWND splitter = GetDlgItem(editor.view().hwnd(), IDC_SPLITTER_HORIZONTAL);
    HWND grid = GetDlgItem(editor.view().hwnd(), IDC_RECORD_GRID);
    RECT before{};
    GetWindowRect(grid, &before);
    // Drag the bar 30 pixels down.
    SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 0));
    SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 30));
    SendMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(5, 0));  // the bar is under the mouse again
    RECT after{};
    GetWindowRect(grid, &after);
    EXPECT_EQ(after.bottom - before.bottom, 30);
    app_->Exit(true);
    NewApp();
    CEditorDlg& again = StartEditorOn(PathOf("Split.kv"));
    RECT restored{};
    GetWindowRect(GetDlgItem(again.view().hwnd(), IDC_RECORD_GRID), &restored);
    EXPECT_EQ(restored.bottom - restored.top, after.bottom - after.top);
}

TEST_F(EditorTest, FailedSaveKeepsTheChangesMarked) {
    WriteFile(PathOf("Fail.kv"), "", {"A"});
    CEditorDlg& editor = StartEditorOn(PathOf("Fail.kv"));
    app_->Database.FilePath = PathOf("missing-folder\\Fail.kv");
    app_->Database.Modified = true;
    shown_.clear();
    Command(editor, ID_SAVE);
    EXPECT_TRUE(app_->Database.Modified);
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text.rfind("Error: ", 0), 0u);
    answers_ = {IDYES};
    editor.Send(WM_CLOSE);
    EXPECT_TRUE(editor.IsVisible());  // the window stays to try again
    EXPECT_TRUE(app_->Database.Modified);
}

}  // namespace
}  // namespace kv
