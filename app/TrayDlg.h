// The tray dialog (CTrayDlg, template 180): a small skinned window beside
// the taskbar with every folder, record and value of the open database, from
// which a value is copied to the clipboard or typed into the window that was
// active before.
#pragma once

#include <memory>
#include <string>

#include "app/TrayTreeView.h"
#include "editor/SearchDlg.h"
#include "platform/Win32Handles.h"
#include "uikit/BitmapButton.h"
#include "uikit/Dialog.h"
#include "uikit/MessageMap.h"

namespace kv {

class CNotesPopup;

// Whether the system can make a window transparent (layered windows).
bool CanMakeTransparent();

class CTrayDlg : public ui::Mapped<CTrayDlg, ui::Dialog>, public SearchTarget {
public:
    CTrayDlg();
    ~CTrayDlg() override;

    // The tree's items anew (after the database or the options changed).
    void Rebuild();
    // The database changed: rebuild when the dialog or its tree is next used.
    void MarkStale() { stale_ = true; }
    // Closes the search dialog and the notes popup that the dialog opened.
    void CloseCompanions();
    void RebuildIfStale() {
        if (stale_) Rebuild();
    }

    // The combo box's texts from the database's search history, the first
    // selected (on every rebuild and whenever the dialog is shown).
    void FillSearchTexts();

    void CopySelection();
    void PasteToApplication();
    void OpenEditorAtSelection();
    // Finds the text after the selected item (from the first when none is
    // selected); says "Search item was not found." when nothing matches.
    void FindText(const std::string& text);
    void ApplySkin();
    void TogglePin();
    // The window's transparency from the settings.
    void ApplyTransparency();

    CTrayTreeView& tree() { return tree_; }
    bool Pasting() const { return pasting_; }

    // SearchTarget
    void FindNext(const std::string& text) override { FindText(text); }
    void SearchClosed() override;

    static const ui::MessageMap<CTrayDlg>& Messages();

protected:
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;

private:
    void OnEraseBackground(HDC dc);
    void OnPrintClient(HDC target);
    LRESULT OnHitTest(WPARAM, LPARAM);
    void OnActivate(bool active, HWND next);
    bool OnDrawItem(UINT id, const DRAWITEMSTRUCT& item);
    void OnHotKey(int id);
    LRESULT OnTreeGetDispInfo(NMHDR& header);
    LRESULT OnTreeExpanding(NMHDR& header);
    LRESULT OnTreeDoubleClick(NMHDR& header);
    LRESULT OnTreeRightClick(NMHDR& header);
    LRESULT OnTreeFocus(NMHDR& header);
    void OnClose();
    void OnSearch();
    void OnSearchListClosed();
    void OnLaunchSite();
    void OnLaunchEmail();
    void OnDisplayNotes();
    void OnAutoFillForm();
    void OnExpandAll() { tree_.ExpandAll(); }
    void OnCollapseAll() { tree_.CollapseAll(); }

    void PlaceControls();
    void PlaceBesideTaskbar();
    HWND FindPasteTarget() const;
    void Launch(const std::string& target);
    void DrawPin();

    CTrayTreeView tree_;
    ui::BitmapButton pin_, copy_, paste_, editor_, search_, close_;
    GdiObject<HBITMAP> background_;
    std::unique_ptr<CSearchDlg> searchDialog_;
    std::unique_ptr<CNotesPopup> notes_;
    TrayItem lastFound_;
    bool stale_ = false;
    bool pasting_ = false;
    bool firstErase_ = true;
};

}  // namespace kv
