// The record grid (CRecordGrid): the records of the selected folder, one row
// each, in the columns of the folder's category, with a current cell painted
// by the grid itself, a multi-selection, in-place text and date editors, the
// cell commands and sorting by a column. Rows are supplied on demand (an
// owner-data list), so that large folders open at once.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "db/Database.h"
#include "db/PasswordFile.h"
#include "editor/Completion.h"
#include "editor/GridNavigation.h"
#include "platform/SecretString.h"
#include "settings/AppSettings.h"
#include "uikit/CompletionEdit.h"
#include "uikit/Controls.h"
#include "uikit/ImageList.h"

namespace kv {

class UndoHistory;

// What the grid needs of the panel around it.
class GridHost {
public:
    virtual ~GridHost() = default;
    // Records of the folder were added, changed or deleted.
    virtual void RecordsChanged() = 0;
    // The current row moved (or the folder was loaded): show its record below.
    virtual void CurrentRowChanged() = 0;
    // Tab went past the last column: the focus goes to the web address.
    virtual void LeaveToWebAddress() = 0;
    // Shift+Tab went before cell (0, 0): the focus goes to the tree.
    virtual void LeaveToTree() = 0;
    virtual void SetMessageText(const std::string& text) = 0;
    // A click in the grid starts the record search over in this folder.
    virtual void RestartSearch() = 0;
    // The folder's records were put in a new order.
    virtual void RecordsSorted() = 0;
    // The order of the current folder's tree path for undo snapshots.
    virtual std::vector<FolderVisit> FolderWalk() = 0;
    // Ctrl+Z in the grid: undo the newest change, if any.
    virtual void Undo() = 0;
    // Ctrl+F in the grid: open the record search.
    virtual void SearchRecords() = 0;
};

class CRecordGrid : public ui::ListView {
public:
    CRecordGrid(PasswordDatabase& db, const AppSettings& settings, UndoHistory& undo, GridHost& host);
    ~CRecordGrid();

    void Initialise(HWND grid, HWND textEditor, HWND dateEditor, HWND generateButton);

    // Shows the records of folder `folderIndex` (-1: none) in the columns of
    // `category`, sorted by the sort column; cell (0, 0) becomes current.
    void LoadFolder(int folderIndex, Category category);
    void Clear();
    // Puts folder `folderIndex` in the order in which the grid shows it for
    // `category`, as loading it does, and gives the new row of the record
    // that stood at `row` (-1 for none).
    int SortForDisplay(int folderIndex, Category category, int row);
    // Rebuilds the rows of the same folder, keeping the current cell.
    void Reload();
    // Rebuilds the columns of the shown category as the settings now name
    // and list them, then the rows.
    void RefreshColumns();

    // The shown folder's index, -1 when none.
    int FolderIndex() const { return ShownFolder() != nullptr ? folderIndex_ : -1; }
    const std::vector<int>& Columns() const { return columns_; }
    int FieldAt(int column) const;
    // The folder the grid shows, or null when none (or its index no longer names one).
    const Folder* ShownFolder() const;
    Cell CurrentCell() const { return current_; }
    int CurrentRow() const { return current_.row; }
    // The record of the current row, or null.
    const Record* CurrentRecord() const;
    const std::vector<int>& MultiSelection() const { return selection_; }
    void AddToMultiSelection(int row);
    void ClearMultiSelection();

    // Makes a cell current (no editor), selects its row alone and shows it.
    void MoveTo(Cell cell);
    void Move(GridMove move);
    void ForgetCurrentCell();

    // The in-place editors.
    void OpenEditor(char typed = 0);
    bool EditorOpen() const { return editing_; }
    // Stores the open editor's text; closes it unless `keepOpen`.
    void CommitEditor(bool keepOpen = false);
    void CancelEditor();
    bool TextEditorOpen() const { return editing_ && !editingDate_; }
    // Puts a text into the open text editor (the generator's result), the
    // caret after it; false when none is open.
    bool PutIntoEditor(const SecretString& text);
    // While set, the editor stays open when the focus leaves it (for a
    // dialog whose result goes into it).
    void KeepEditorOpen(bool keep) { keepEditorOpen_ = keep; }
    // After every change of the text editor's text: text that the file's
    // code page cannot hold is reported, and the editor stays open with its
    // last text that it can (a password is never stored changed).
    void EditorTextChanged();

    // Commands.
    void AddRecord();
    void DeleteRecords();
    void CutCell();
    void CopyCell();
    void PasteCell();
    void ClearCell();
    void SortBy(int column);

    // Painting states.
    void ShowDeleteHighlight(bool allRows);
    void HideDeleteHighlight();
    void ShowSearchHighlight(bool on);

    // Notifications and input, passed on by the panel.
    void FillDisplayInfo(NMLVDISPINFOA& info);
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw);
    void OnClick(const NMITEMACTIVATE& click);
    void OnDoubleClick(const NMITEMACTIVATE& click);
    Cell CellAt(POINT client) const;
    bool HandleKey(UINT key);
    void HandleChar(char c);

    // The completion lists (rebuilt when a file is loaded and after the options).
    void RebuildCompletions();
    const CompletionList& completions() const { return completions_; }
    ui::CompletionEdit& textEditor() { return textEditor_; }

private:
    static LRESULT CALLBACK GridProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    static LRESULT CALLBACK EditorProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    // The tip that shows the text of a cut-off cell under the mouse.
    void CreateTip();
    void TrackTip(const MSG& mouse);
    void FillTipText(NMTTDISPINFOA& info);
    void SetColumns(const std::vector<int>& columns);
    void RefreshDateTexts(Folder& folder);
    void ShowRows();
    RECT CellRect(Cell cell) const;
    std::string DisplayedText(const Record& record, int field) const;
    std::string ColumnName(int field) const;
    Folder* CurrentFolder();
    void SelectRowAlone(int row);
    bool HandleEditorKey(UINT key);
    void PlaceEditor(HWND editor, Cell cell, bool password);
    void EmptyCell(int field);
    // The current cell's field and text for a cell command, once the open
    // editor is stored; nothing without a current cell.
    struct CellValue {
        int field;
        std::string text;
    };
    std::optional<CellValue> CommandCell();
    void Beep() const;

    PasswordDatabase& db_;
    const AppSettings& settings_;
    UndoHistory& undo_;
    GridHost& host_;
    ui::CompletionEdit textEditor_;
    HWND dateEditor_ = nullptr;
    HWND generateButton_ = nullptr;
    HWND tip_ = nullptr;
    ui::ImageList sortArrows_;
    Cell tipCell_{-1, -1};
    std::string tipText_;
    CompletionList completions_;

    int folderIndex_ = -1;
    Category category_ = kDefaultCategory;
    std::vector<int> columns_;
    Cell current_{-1, -1};
    std::vector<int> selection_;  // the multi-selection, in selection order
    bool deleteHighlightAll_ = false;
    std::vector<int> deleteRows_;
    bool searchHighlight_ = false;
    bool editing_ = false;
    bool editingDate_ = false;
    bool keepEditorOpen_ = false;
    SecretString storableText_;  // the text editor's last text that the file can hold
    std::string cellText_;
    int sortColumn_ = 0;
    bool ascending_ = true;
};

}  // namespace kv
