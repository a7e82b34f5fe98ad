// "Report" (CReportDlg, template 206): which folders and items to print,
// the heading, the font size and the printing options; it prints through
// the print dialog and shows a preview of the pages. The options are stored
// as soon as they change; the heading and size when the report is printed.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "db/PasswordFile.h"
#include "settings/AppSettings.h"
#include "settings/SettingsStore.h"
#include "transfer/ReportSections.h"
#include "transfer/ReportSettings.h"
#include "transfer/ui/PrintSetup.h"
#include "uikit/Dialog.h"
#include "uikit/MessageMap.h"

namespace kv {

struct ReportSource {
    const std::vector<Folder>& folders;
    std::vector<FolderVisit> tree;  // the folder tree in pre-order, levels without a folder at -1
    const AppSettings& settings;    // the column names and the categories' layouts
    std::string fileName;           // the open file's name without its folder
};

class CReportDlg : public ui::Mapped<CReportDlg, ui::Dialog> {
public:
    CReportDlg(ReportSource source, SettingsStorage& storage);

    // The report as the dialog's controls choose it.
    std::vector<ReportSection> Sections() const;
    ReportOptions Options() const;

    static const ui::MessageMap<CReportDlg>& Messages();

protected:
    bool OnInitDialog() override;

private:
    void FillTree();
    void TickAllFolders(bool ticked);
    void OnFoldersAll() { TickAllFolders(true); }
    void OnFoldersNone() { TickAllFolders(false); }
    void TickItems(bool ticked);
    void OnItemsAll() { TickItems(true); }
    void OnItemsNone() { TickItems(false); }
    LRESULT OnTreeClick(NMHDR& header);
    LRESULT OnTreeKey(NMHDR& header);
    LRESULT OnBoxToggled(WPARAM, LPARAM);
    void RememberTicks();
    void OnOptionChanged();
    void OnPrint();
    void OnPreview();
    // Stores the heading and the font size, clamped, as the printing uses them.
    void StoreHeadingAndSize();
    bool AnyFolderTicked() const;

    ReportSource source_;
    SettingsStorage& storage_;
    ReportSettings settings_;
    CPrintSetup printer_;
    // Each folder box as last seen, to tell which one the user cleared.
    std::map<HTREEITEM, bool> ticked_;
};

}  // namespace kv
