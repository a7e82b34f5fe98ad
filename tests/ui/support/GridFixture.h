// Tests of the record grid on the real editor: a file of folders and
// records opened in it, cells edited and searches run as a user does.
#pragma once

#include <string>
#include <vector>

#include "tests/ui/support/EditorFixture.h"

namespace kv::uitest {

class GridFixture : public EditorFixture {
protected:
    // A file with the given folders (path, category, records), opened in the editor.
    CEditorDlg& Open(const std::vector<Folder>& folders) {
        PasswordDatabase db;
        db.Folders = folders;
        WriteDatabase(PathOf("Grid.kv"), "", db);
        CEditorDlg& editor = StartEditorOn(PathOf("Grid.kv"));
        editor.view().tree().SelectFolder(0);
        Pump(20);
        return editor;
    }

    static Folder MakeFolder(const std::string& path, Category category, std::vector<Record> records) {
        Folder folder;
        folder.path = path;
        folder.category = category;
        folder.records.write() = std::move(records);
        return folder;
    }

    CRecordGrid& Grid(CEditorDlg& editor) { return editor.view().grid(); }
    const Folder& FolderAt(int index) { return app_->Database.Folders[static_cast<std::size_t>(index)]; }

    void EditCell(CEditorDlg& editor, Cell cell, const std::string& text) {
        Grid(editor).MoveTo(cell);
        Grid(editor).OpenEditor();
        Grid(editor).textEditor().SetText(text);
        Grid(editor).CommitEditor();
    }

    std::string CurrentDescription(CEditorDlg& editor) {
        const Record* record = Grid(editor).CurrentRecord();
        return record != nullptr ? record->fields[kDescription] : "<none>";
    }
};

}  // namespace kv::uitest
