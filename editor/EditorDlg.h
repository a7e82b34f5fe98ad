// The editor window (CEditorDlg, template 138): menu, status bar, keys,
// window position, the file commands and the close behaviour around the
// editor's panel.
#pragma once

#include <memory>

#include "db/FileFlows.h"
#include "desktop/UserGuide.h"
#include "editor/EditorHost.h"
#include "editor/EditorText.h"
#include "editor/EditorView.h"
#include "platform/Win32Handles.h"
#include "uikit/Controls.h"
#include "uikit/Dialog.h"
#include "uikit/MenuImages.h"
#include "uikit/MessageMap.h"

namespace kv {

class CEditorDlg : public ui::Mapped<CEditorDlg, ui::Dialog>, public EditorFrame, public FileFlowHost {
public:
    explicit CEditorDlg(EditorHost& host);
    ~CEditorDlg() override;

    CEditorView& view() { return *view_; }
    FileFlows Flows();

    // Asks to save a modified database (Yes and No, and Cancel when allowed)
    // and saves on Yes.
    SaveOutcome SaveChanges(bool allowCancel);
    // EditorFrame
    void SetMessageText(const std::string& text) override;
    void SetColumnsText(const std::string& text) override;
    void ModifiedChanged() override;
    void UpdateTitle() override;

    // FileFlowHost
    void CommitPendingEdits() override;
    std::vector<FolderVisit> FolderWalk() override;
    void FileOpened() override;
    void DefaultFoldersCreated() override;
    void FileSaved(const std::string& fileName) override;
    void AddRecentFile(const std::string& path) override;
    std::string ProgramFolder() override;

    static const ui::MessageMap<CEditorDlg>& Messages();

protected:
    bool OnInitDialog() override;
    void OnOK() override {}
    // Escape cancels what is being edited (the cell and label editors take it
    // themselves); otherwise it does nothing here, as in any main window.
    void OnCancel() override {}

private:
    // The start-up file flow, once after the first paint: the Welcome dialog
    // on a first run, then the remembered file opened, or a new or another
    // file chosen.
    void RunStartupFlow();
    void OnClose();
    void OnGetMinMaxInfo(MINMAXINFO& info);
    void OnPaint();
    LRESULT OnStart(WPARAM, LPARAM);
    void OnInitMenuPopup(HMENU menu);
    bool OnMeasureItem(MEASUREITEMSTRUCT& item);
    bool OnDrawItem(UINT id, const DRAWITEMSTRUCT& item);
    LRESULT OnSysCommand(WPARAM, LPARAM);
    void OnActivate(bool active, HWND other);
    void OnNew();
    void OnOpen();
    void OnSave();
    void OnSaveAs();
    void OnRecentFile(UINT id);
    void OnCloseEditor();
    void OnExit();
    void OnMasterPassword();
    void OnOptions();
    void OnTipOfTheDay();
    void OnAbout();
    void OnHelp() { OpenUserGuide(); }
    void OnSupport() { OpenSupportPage(); }
    void PrepareMenu(HMENU menu);
    void LayOut();

    EditorHost& host_;
    std::unique_ptr<CEditorView> view_;
    ui::StatusBar status_;
    GdiObject<HBITMAP> savedImage_;
    GdiObject<HBITMAP> modifiedImage_;
    ui::MenuImages menuImages_;
    SIZE minimumSize_{0, 0};
    bool exitRequested_ = false;
    bool started_ = false;
};

}  // namespace kv
