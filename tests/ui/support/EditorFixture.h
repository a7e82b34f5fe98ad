// Tests of the editor in this process: files written to start from, the
// program started on them, and the editor's windows driven.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/TrayDlg.h"
#include "db/PasswordFile.h"
#include "tests/support/DatabaseFile.h"
#include "editor/EditorDlg.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "resources/resource.h"
#include "tests/support/ScriptedFileUi.h"
#include "tests/ui/support/AppFixture.h"
#include "tests/ui/support/UiHarness.h"

namespace kv::uitest {

class EditorFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        folder_ = std::filesystem::temp_directory_path() /
                  ("kelvandor-editor-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        QuietStart();
    }

    void TearDown() override {
        AppFixture::TearDown();
        std::filesystem::remove_all(folder_);
    }

    // Not a first run, and no tips: the editor opens straight on its file.
    void QuietStart() {
        if (std::unique_ptr<SettingsStore> store = app_->Storage().OpenOrCreate()) {
            store->WriteNumber("Init", 0);
            store->WriteNumber("ShowTips", 0);
        }
    }

    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

    // Writes a file to start from.
    void WriteFile(const std::string& path, const std::string& password, const std::vector<std::string>& folders) {
        PasswordDatabase db;
        for (const std::string& folder : folders) AddFolder(db, folder, 1);
        WriteDatabase(path, password, db);
    }

    // Writes a database as a file to start from.
    void WriteDatabase(const std::string& path, const std::string& password, PasswordDatabase db) {
        ASSERT_TRUE(test::WriteDatabaseFile(path, password, std::move(db)));
    }

    // Starts the program on `path` and waits until the editor has opened it.
    CEditorDlg& StartEditorOn(const std::string& path) {
        RememberFile(path);
        EXPECT_TRUE(app_->InitInstance("systray"));
        app_->ShowEditor();
        CEditorDlg& editor = *app_->Editor();
        EXPECT_TRUE(WaitUntil([&] { return app_->Database.FileLoaded != 0 || !shown_.empty(); }));
        Pump(100);
        return editor;
    }

    void Command(CEditorDlg& editor, int id) { editor.Send(WM_COMMAND, MAKEWPARAM(id, 0)); }

    // Types a password into the "Enter password" dialog and presses OK.
    static std::function<void(HWND)> Typing(const std::string& password) {
        return [password](HWND dialog) { SetItemText(dialog, IDC_PASSWORD, password); };
    }

    std::vector<std::string> TreeLabels(CEditorDlg& editor) {
        std::vector<std::string> labels;
        CFolderTree& tree = editor.view().tree();
        for (HTREEITEM item = tree.Root(); item != nullptr; item = tree.NextInPreOrder(item)) {
            labels.push_back(tree.ItemText(item));
        }
        return labels;
    }

    // Names the folder whose label is being edited and ends the edit.
    void FinishLabelEdit(CEditorDlg& editor, const std::string& name, bool cancel = false) {
        CFolderTree& tree = editor.view().tree();
        HWND edit = reinterpret_cast<HWND>(tree.Send(TVM_GETEDITCONTROL));
        ASSERT_NE(edit, nullptr);
        SetWindowTextA(edit, name.c_str());
        tree.Send(TVM_ENDEDITLABELNOW, cancel ? TRUE : FALSE);
        Pump(20);
    }

    // Types into the editor's open search dialog and presses "Find next".
    void Find(CEditorDlg& editor, const std::string& text, bool wholeWord = false, bool matchCase = false) {
        HWND dialog = editor.view().searchDialog()->hwnd();
        CheckDlgButton(dialog, IDC_WHOLE_WORD, wholeWord ? BST_CHECKED : BST_UNCHECKED);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_WHOLE_WORD, BN_CLICKED), 0);
        CheckDlgButton(dialog, IDC_MATCH_CASE, matchCase ? BST_CHECKED : BST_UNCHECKED);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_MATCH_CASE, BN_CLICKED), 0);
        SetItemText(dialog, IDC_SEARCH_TEXT, text);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }

    // Opens the tray dialog as a click on the icon does.
    CTrayDlg& OpenTray() {
        app_->Tray().OpenTrayDlg(true);
        CTrayDlg* dialog = app_->Tray().TrayDlg();
        EXPECT_NE(dialog, nullptr);
        Pump(50);
        return *dialog;
    }

    // The file as it is on disk now, read into a fresh database.
    static PasswordDatabase ReadBack(const std::string& path, const std::string& password = "") {
        PasswordDatabase db;
        db.FilePath = path;
        db.MasterPassword = password;
        test::ScriptedFileUi ui;
        EXPECT_TRUE(CPasswordFile(db, ui, SystemFileSystem(), SystemLocale()).LoadFile());
        return db;
    }

    std::filesystem::path folder_;
};

}  // namespace kv::uitest
