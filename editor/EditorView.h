// The editor's panel (CEditorView, template 102): the button row, the folder
// tree, the record grid, the fields of the web address, email and notes, and
// the two splitters. It executes the editing commands.
#pragma once

#include <memory>
#include <vector>

#include <richedit.h>

#include "editor/EditorHost.h"
#include "editor/EditorLayout.h"
#include "editor/FolderTree.h"
#include "editor/RecordGrid.h"
#include "editor/RecordSearch.h"
#include "editor/SearchDlg.h"
#include "editor/SearchPlacement.h"
#include "transfer/ui/ImportExportPropSheet.h"
#include "uikit/BitmapButton.h"
#include "uikit/Dialog.h"
#include "uikit/MessageMap.h"
#include "uikit/Splitter.h"

namespace kv {

// What the panel tells the window around it.
class EditorFrame {
public:
    virtual ~EditorFrame() = default;
    virtual void SetMessageText(const std::string& text) = 0;
    virtual void SetColumnsText(const std::string& text) = 0;
    virtual void ModifiedChanged() = 0;
    virtual void UpdateTitle() = 0;
};

class CEditorView : public ui::Mapped<CEditorView, ui::Dialog>,
                    public FolderTreeHost,
                    public GridHost,
                    public SearchTarget {
public:
    CEditorView(EditorHost& host, EditorFrame& frame);
    ~CEditorView() override;

    bool Create(HWND parent);
    // Fills the parent's area above `bottom`.
    void FitInto(const RECT& area);

    CFolderTree& tree() { return *tree_; }
    CRecordGrid& grid() { return *grid_; }
    // The open search dialog, or null.
    CSearchDlg* searchDialog() { return search_.get(); }
    void CloseSearch() { search_.reset(); }

    // After a file was opened (or an undo of a folder change): the tree anew.
    void RebuildTree();
    // The grid of the selected folder again, keeping the current row.
    void ReloadGrid();
    void UpdateButtons();
    // After the options changed: the button pictures, the grid's columns and
    // completions, and a repaint.
    void SettingsChanged();
    // Undoes the newest change, if any.
    void Undo() override;
    // Gives the two undo items of a menu their current text and state.
    void RelabelUndo(HMENU menu) const;

    // Copies (or moves) the dragged records to folder `target`, as a drop
    // of a right-button drag does after its menu.
    void DropRecords(int target, bool move);
    // Opens the search dialog for folders or records.
    void OpenSearch(CSearchDlg::Mode mode);
    // Selects a folder, the row of its record `record` (its index in the
    // folder as it stands now), and the column that shows slot `slot` of the
    // folder's column list.
    void ShowRecord(int folderIndex, int record, int slot);
    // Opens the Import/Export sheet at its Export or Import page; after an
    // import the grid shows the new records.
    void OpenTransferSheet(CImportExportPropSheet::StartPage start);
    // How the sheet's pages choose their files (tests answer in place of the dialogs).
    void SetTransferChooser(FileChooser choose) { transferChooser_ = std::move(choose); }

    // FolderTreeHost
    void FolderSelected(int folderIndex) override;
    void FoldersChanged() override;
    void FolderAdded(int folderIndex) override;
    void ShowDeleteHighlight(bool on) override;

    // GridHost
    void RecordsChanged() override;
    void CurrentRowChanged() override;
    void LeaveToWebAddress() override;
    void LeaveToTree() override;
    void SetMessageText(const std::string& text) override;
    void RestartSearch() override { searcher_.Reset(); }
    void RecordsSorted() override;
    std::vector<FolderVisit> FolderWalk() override { return tree_->Walk(); }
    void SearchRecords() override { OpenSearch(CSearchDlg::Mode::Items); }

    // SearchTarget
    void FindNext(const std::string& text) override;
    void SearchClosed() override;

    static const ui::MessageMap<CEditorView>& Messages();

protected:
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    bool OnDrawItem(UINT id, const DRAWITEMSTRUCT& item);
    LRESULT OnNotify(NMHDR& header);
    void OnMouseMove();
    void OnLeftButtonUp();
    void OnRightButtonUp();
    void OnTimer(UINT_PTR id);
    LRESULT OnListCtrlMsg(WPARAM, LPARAM);
    void OnContextMenu(HWND window, POINT cursor);
    void OnDestroy();
    void RestoreSplitters();
    void OnAddFolder() { tree_->BeginAdd(false); }
    void OnAddSubfolder() { tree_->BeginAdd(true); }
    void OnRenameFolder() { tree_->BeginRename(); }
    void OnDeleteFolder() { tree_->DeleteSelection(); }
    void OnSetColumns(UINT id);
    void OnCollapseAll() { tree_->ExpandAll(false); }
    void OnExpandAll() { tree_->ExpandAll(true); }
    void OnUrlChanged();
    void OnEmailChanged();
    // Offers the completions of a text the user changed (the edit has the focus).
    void OfferCompletions(ui::CompletionEdit& edit) const;
    void OnNotesChanged();
    void OnCellEditorChanged();
    void OnAddRecord() { grid_->AddRecord(); }
    void OnEditRecord() { grid_->OpenEditor(); }
    void OnDeleteRecord() { grid_->DeleteRecords(); }
    void OnCutCell() { grid_->CutCell(); }
    void OnCopyCell() { grid_->CopyCell(); }
    void OnPasteCell() { grid_->PasteCell(); }
    void OnClearCell() { grid_->ClearCell(); }
    void OnSearchFolders() { OpenSearch(CSearchDlg::Mode::Folders); }
    void OnExport() { OpenTransferSheet(CImportExportPropSheet::StartPage::Export); }
    void OnImport() { OpenTransferSheet(CImportExportPropSheet::StartPage::Import); }
    void OnGeneratePassword();
    void OnReport();
    void OnLaunchUrl();
    void OnEditFormData();
    void OnIgnoredSites();
    // Fills record `record` of folder `folder` into its web form when its
    // first entry is of a page, else opens its web address.
    void LaunchRecord(int folder, int record);
    void OnSendEmail();
    void OnNotesLink(const ENLINK& link);
    void ShowGridMenu(POINT at);
    void ShowNotesMenu(POINT at);
    LRESULT OnGridNotify(NMHDR& header);
    void BeginRecordDrag(int row);
    void EndRecordDrag(POINT cursor);
    void ShowRecordHit(const SearchHit& hit);
    SearchSurroundings CurrentSearchSurroundings() const;
    // Puts the search dialog clear of the current row and the lower fields.
    void PlaceSearchDialog();
    // Moves the search dialog away when a hit shows under it.
    void KeepSearchDialogClear();
    void ShowMessagePane();
    static LRESULT CALLBACK LowerFieldProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    bool HandleLowerFieldKey(HWND field, UINT key);

    LRESULT OnTreeNotify(NMHDR& header);
    void ShowRecordFields();
    void WriteLowerField(int field, const std::string& text);
    // Whether lower field `id` holds text that the file's code page can
    // hold; if not, says so and puts back the record's field `field`.
    bool KeepLowerFieldStorable(int id, int field);
    Record* CurrentRecord();
    void ChooseButtonImages();
    PanelBoxes ReadBoxes() const;
    void ApplyBoxes(const PanelBoxes& boxes);
    void LayOut();
    void PlaceTreeInFrame();
    void BeginDrag(const NMTREEVIEWA& info);
    void EndDrag(bool drop, POINT cursor);

    EditorHost& host_;
    EditorFrame& frame_;
    std::unique_ptr<CFolderTree> tree_;
    std::unique_ptr<CRecordGrid> grid_;
    ui::CompletionEdit url_;
    ui::CompletionEdit email_;
    PlainTextNotesFinder notesFinder_;
    RecordSearch searcher_{notesFinder_};
    std::unique_ptr<CSearchDlg> search_;
    int rememberedRow_ = -1;
    bool recordDrag_ = false;
    int dragSourceFolder_ = -1;
    bool suppressCategoryWarning_ = false;
    std::vector<std::unique_ptr<ui::BitmapButton>> buttons_;
    ui::Splitter vertical_;
    ui::Splitter horizontal_;
    bool showingRecord_ = false;
    bool dragging_ = false;
    FolderTreeModel::NodeId dragged_ = 0;
    ui::ImageList dragImage_;
    ui::ImageList sortArrows_;
    FileChooser transferChooser_ = ChooseWithFileDialog;
};

}  // namespace kv
