#include "editor/EditorDlg.h"

#include "desktop/AboutDlg.h"
#include "desktop/MessageBox.h"
#include "desktop/RegisteredMessages.h"
#include "desktop/TipDlg.h"
#include "desktop/WindowPlacement.h"
#include "editor/WelcomeDlg.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "resources/bitmaps.h"
#include "resources/resource.h"
#include "settings/Settings.h"
#include "uikit/Drawing.h"
#include "uikit/MessageLoop.h"
#include "uikit/Module.h"
#include "views/UndoHistory.h"

namespace kv {
namespace {

constexpr int kStatusBarId = 200;
constexpr int kIconPaneWidth = 20;

// Commands that need an open file.
const UINT kFileCommands[] = {ID_SAVE,           ID_SAVE_AS,       ID_MASTER_PASSWORD, ID_REPORT,
                              ID_EXPORT,         ID_IMPORT,        ID_DELETE_FOLDER,   ID_DELETE_RECORD,
                              ID_SEARCH_FOLDERS, ID_SEARCH_RECORDS, ID_GENERATE,        ID_ADD_FOLDER,
                              ID_ADD_SUBFOLDER,  ID_RENAME_FOLDER, ID_ADD_RECORD,      ID_EDIT_RECORD};

bool ExistsOnDisk(const std::string& path) { return SystemFileSystem().Exists(path); }

}  // namespace

CEditorDlg::CEditorDlg(EditorHost& host) : Mapped(IDD_EDITOR), host_(host) {}

CEditorDlg::~CEditorDlg() = default;

const ui::MessageMap<CEditorDlg>& CEditorDlg::Messages() {
    static const auto map = ui::MessageMap<CEditorDlg>()
                                .Message(WM_CLOSE, &CEditorDlg::OnClose)
                                .Message(WM_SIZE, &CEditorDlg::LayOut)
                                .MinMaxInfo(&CEditorDlg::OnGetMinMaxInfo)
                                .Message(WM_PAINT, &CEditorDlg::OnPaint)
                                .InitMenu(&CEditorDlg::OnInitMenuPopup)
                                .MeasureItem(&CEditorDlg::OnMeasureItem)
                                .DrawItem(&CEditorDlg::OnDrawItem)
                                .Message(WM_SYSCOMMAND, &CEditorDlg::OnSysCommand)
                                .Activate(&CEditorDlg::OnActivate)
                                .Registered(&messages::OnInit, &CEditorDlg::OnStart)
                                .Command(ID_NEW, &CEditorDlg::OnNew)
                                .Command(ID_OPEN, &CEditorDlg::OnOpen)
                                .Command(ID_OPEN_ANOTHER, &CEditorDlg::OnOpen)
                                .Command(ID_SAVE, &CEditorDlg::OnSave)
                                .Command(ID_SAVE_AS, &CEditorDlg::OnSaveAs)
                                .CommandRange(ID_RECENT_FILE_1, ID_RECENT_FILE_5, &CEditorDlg::OnRecentFile)
                                .Command(ID_CLOSE_EDITOR, &CEditorDlg::OnCloseEditor)
                                .Command(ID_EXIT, &CEditorDlg::OnExit)
                                .Command(ID_MASTER_PASSWORD, &CEditorDlg::OnMasterPassword)
                                .Command(ID_OPTIONS, &CEditorDlg::OnOptions)
                                .Command(ID_TIP_OF_THE_DAY, &CEditorDlg::OnTipOfTheDay)
                                .Command(ID_HELP_INDEX, &CEditorDlg::OnHelp)
                                .Command(ID_SUPPORT, &CEditorDlg::OnSupport)
                                .Command(ID_ABOUT, &CEditorDlg::OnAbout);
    return map;
}

FileFlows CEditorDlg::Flows() {
    EditorHost& app = host_;
    return FileFlows(app.Database, app.FileInterface(), *this, SystemFileSystem(), SystemLocale());
}

bool CEditorDlg::OnInitDialog() {
    SetText("Kelvandor");
    view_ = std::make_unique<CEditorView>(host_, *this);
    view_->Create(hwnd());
    SetCommandPanel(view_.get());
    status_.Create(hwnd(), kStatusBarId);
    RECT window{};
    GetWindowRect(hwnd(), &window);
    // The size as first laid out is the smallest the window may become.
    minimumSize_ = SIZE{window.right - window.left, window.bottom - window.top + status_.Height()};
    SetWindowPos(hwnd(), nullptr, 0, 0, minimumSize_.cx, minimumSize_.cy, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int quarter = client.right / 4;
    status_.SetParts({kIconPaneWidth, client.right - quarter, -1});
    SendMessageA(status_.hwnd(), SB_SETTEXTA, 0 | SBT_OWNERDRAW, 0);
    savedImage_.Reset(ui::LoadBitmapResource(IDB_STATUS_SAVED));
    modifiedImage_.Reset(ui::LoadBitmapResource(IDB_STATUS_MODIFIED));
    ui::SetAccelerators(hwnd(), LoadAcceleratorsA(ui::Instance(), MAKEINTRESOURCEA(IDR_EDITOR_KEYS)));
    menuImages_.Attach(GetMenu(hwnd()), IDB_MENU_IMAGES,
                       {ID_NEW, ID_OPEN, ID_SAVE, ID_MASTER_PASSWORD, ID_OPTIONS, ID_REPORT, ID_EXPORT, ID_IMPORT,
                        ID_HELP_INDEX});
    RestoreWindowRect(host_.Storage(), hwnd(), "WindowPosition", false);
    const std::string about = ui::LoadText(IDS_ABOUT_ITEM);
    if (!about.empty()) {
        HMENU system = GetSystemMenu(hwnd(), FALSE);
        AppendMenuA(system, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(system, MF_STRING, ID_SYSTEM_ABOUT, about.c_str());
    }
    UpdateTitle();
    LayOut();
    return true;
}

void CEditorDlg::LayOut() {
    if (!view_ || view_->hwnd() == nullptr) return;
    status_.Resize();
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int statusHeight = status_.Height();
    const int quarter = minimumSize_.cx / 4;
    status_.SetParts({kIconPaneWidth, std::max(kIconPaneWidth, static_cast<int>(client.right) - quarter), -1});
    client.bottom -= statusHeight;
    view_->FitInto(client);
}

void CEditorDlg::OnGetMinMaxInfo(MINMAXINFO& info) {
    if (minimumSize_.cx > 0) info.ptMinTrackSize = POINT{minimumSize_.cx, minimumSize_.cy};
}

void CEditorDlg::OnPaint() {
    // After the first paint the start-up tasks run, once.
    if (!started_) {
        started_ = true;
        Post(messages::OnInit);
    }
    PAINTSTRUCT paint{};
    BeginPaint(hwnd(), &paint);
    EndPaint(hwnd(), &paint);
}

LRESULT CEditorDlg::OnStart(WPARAM, LPARAM) {
    InvalidateRect(status_.hwnd(), nullptr, TRUE);
    LayOut();
    RunStartupFlow();
    if (!host_.Exiting && CTipDlg::ShowAtStartup(host_.Storage())) {
        CTipDlg tips(host_.Storage());
        tips.DoModal(hwnd());
    }
    return 0;
}

void CEditorDlg::RunStartupFlow() {
    EditorHost& app = host_;
    const bool firstRun = app.Settings.Init != 0;
    if (firstRun) CWelcomeDlg().DoModal(hwnd());
    if (!app.Database.FilePath.empty() && ExistsOnDisk(app.Database.FilePath)) {
        if (app.Database.FileLoaded != 0) {
            view_->RebuildTree();
        } else {
            Flows().OpenRoutine();
        }
    } else if (firstRun) {
        Flows().NewFile();
    } else {
        Flows().OpenPasswordFile();
    }
    app.Settings.Init = 0;
    UpdateTitle();
    view_->UpdateButtons();
    view_->tree().Focus();
}

void CEditorDlg::SetMessageText(const std::string& text) { status_.SetPaneText(1, text); }
void CEditorDlg::SetColumnsText(const std::string& text) { status_.SetPaneText(2, text); }
void CEditorDlg::ModifiedChanged() { InvalidateRect(status_.hwnd(), nullptr, TRUE); }
void CEditorDlg::UpdateTitle() { SetText(EditorTitle(host_.Database.FilePath)); }

bool CEditorDlg::OnMeasureItem(MEASUREITEMSTRUCT& item) {
    return menuImages_.Measure(item);
}

bool CEditorDlg::OnDrawItem(UINT id, const DRAWITEMSTRUCT& item) {
    if (menuImages_.Draw(item)) return true;
    if (id != kStatusBarId) return false;
    HBITMAP image = host_.Database.Modified ? modifiedImage_.get() : savedImage_.get();
    const int x = item.rcItem.left + (item.rcItem.right - item.rcItem.left - 16) / 2;
    const int y = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - 16) / 2;
    ui::DrawBitmap(item.hDC, image, x, y, 16, 16);
    return true;
}

void CEditorDlg::OnActivate(bool active, HWND) {
    // The window's keys apply while it is active.
    if (active) {
        ui::SetAccelerators(hwnd(), LoadAcceleratorsA(ui::Instance(), MAKEINTRESOURCEA(IDR_EDITOR_KEYS)));
    }
}

void CEditorDlg::OnInitMenuPopup(HMENU menu) {
    if (menu == GetMenu(hwnd())) PrepareMenu(menu);
}

void CEditorDlg::PrepareMenu(HMENU menu) {
    EditorHost& app = host_;
    // What is being typed is stored first, so that the undo item names it.
    CommitPendingEdits();
    const bool open = !app.Database.FilePath.empty();
    for (const UINT id : kFileCommands) EnableMenuItem(menu, id, MF_BYCOMMAND | (open ? MF_ENABLED : MF_GRAYED));

    HMENU folders = GetSubMenu(menu, 1);
    HMENU columns = GetSubMenu(folders, 6);
    EnableMenuItem(folders, 6, MF_BYPOSITION | MF_GRAYED);
    if (open) {
        const bool topLevel = view_->tree().SelectionIsTopLevel();
        const Category category = view_->tree().CategoryOfSelection();
        for (int c = 1; c <= 4; ++c) {
            const UINT id = static_cast<UINT>(ID_SET_COLUMNS_1 + c - 1);
            ModifyMenuA(columns, id, MF_BYCOMMAND | MF_STRING | (topLevel && category == c ? MF_CHECKED : 0), id,
                        app.Settings.CategoryNames[static_cast<std::size_t>(c - 1)].c_str());
        }
        if (topLevel) EnableMenuItem(folders, 6, MF_BYPOSITION | MF_ENABLED);
    }

    HMENU file = GetSubMenu(menu, 0);
    HMENU recent = GetSubMenu(file, 9);
    while (GetMenuItemCount(recent) > 0) DeleteMenu(recent, 0, MF_BYPOSITION);
    for (std::size_t i = 0; i < app.Settings.RecentFiles.size() && i < kMaxRecentFiles; ++i) {
        AppendMenuA(recent, MF_STRING, ID_RECENT_FILE_1 + i, FileNameOf(app.Settings.RecentFiles[i]).c_str());
    }
    DeleteMenu(file, ID_CLOSE_EDITOR, MF_BYCOMMAND);
    if (app.TrayIconShown()) {
        InsertMenuA(file, static_cast<UINT>(GetMenuItemCount(file) - 1), MF_BYPOSITION | MF_STRING, ID_CLOSE_EDITOR,
                    "&Close editor");
    }

    view_->RelabelUndo(menu);
    const int folder = view_->grid().FolderIndex();
    const int row = view_->grid().CurrentRow();
    bool formData = false;
    if (folder >= 0 && row >= 0) {
        const auto& records = app.Database.Folders[static_cast<std::size_t>(folder)].records;
        formData = static_cast<std::size_t>(row) < records.size() && !records[static_cast<std::size_t>(row)].formData.empty();
    }
    EnableMenuItem(menu, ID_EDIT_FORM_DATA, MF_BYCOMMAND | (formData ? MF_ENABLED : MF_GRAYED));
}

void CEditorDlg::OnNew() {
    Flows().NewFile();
    UpdateTitle();
}

void CEditorDlg::OnOpen() {
    Flows().OpenPasswordFile();
    UpdateTitle();
    view_->UpdateButtons();
}

void CEditorDlg::OnSave() { Flows().SaveDatabase(false, false); }

void CEditorDlg::OnSaveAs() {
    Flows().SaveDatabaseAs();
    UpdateTitle();
}

void CEditorDlg::OnRecentFile(UINT id) {
    const std::size_t index = id - ID_RECENT_FILE_1;
    if (index >= host_.Settings.RecentFiles.size()) return;
    Flows().OpenPasswordFile(host_.Settings.RecentFiles[index]);
    UpdateTitle();
}

void CEditorDlg::OnCloseEditor() {
    exitRequested_ = false;
    Send(WM_CLOSE);
}

void CEditorDlg::OnExit() {
    exitRequested_ = true;
    Send(WM_CLOSE);
}

void CEditorDlg::OnMasterPassword() {
    if (Flows().ChangeMasterPassword()) {
        UpdateTitle();
        ModifiedChanged();
        InvalidateRect(hwnd(), nullptr, TRUE);
    }
}

void CEditorDlg::OnOptions() {
    // A cell being edited keeps what was typed before the settings change.
    CommitPendingEdits();
    // The program refreshes the panel for what the options changed.
    host_.EditOptions(hwnd());
    view_->UpdateButtons();
}

void CEditorDlg::OnTipOfTheDay() {
    CTipDlg tips(host_.Storage());
    tips.DoModal(hwnd());
}

void CEditorDlg::OnAbout() { CAboutDlg().DoModal(hwnd()); }

LRESULT CEditorDlg::OnSysCommand(WPARAM wParam, LPARAM lParam) {
    if ((wParam & 0xFFF0) >= ID_SYSTEM_ABOUT && (wParam & 0xFFF0) <= 31) {
        OnAbout();
        return 0;
    }
    return DefWindowProcA(hwnd(), WM_SYSCOMMAND, wParam, lParam);
}

SaveOutcome CEditorDlg::SaveChanges(bool allowCancel) { return Flows().SaveDatabase(true, allowCancel); }

void CEditorDlg::OnClose() {
    EditorHost& app = host_;
    CommitPendingEdits();
    app.SaveAppSettings();
    app.SyncIntegration();
    SaveWindowRect(app.Storage(), hwnd(), "WindowPosition");
    if (app.Database.Modified) {
        switch (ShowMessage("Do you wish to save your changes?", MB_YESNOCANCEL | MB_ICONQUESTION)) {
            case IDYES:
                // A save that failed keeps the window and the changes, to try again.
                if (Flows().SaveDatabase(false, false) == SaveOutcome::Failed) return;
                break;
            case IDCANCEL:
                return;
            default:
                break;
        }
        app.Database.Modified = false;
        ModifiedChanged();
    }
    if (exitRequested_ || app.Exiting || !app.TrayIconShown()) {
        app.Exit(false);
    } else {
        Show(SW_HIDE);
    }
}

void CEditorDlg::CommitPendingEdits() {
    // The lower fields write back as they change; the cell editor is stored now.
    view_->grid().CommitEditor();
}

std::vector<FolderVisit> CEditorDlg::FolderWalk() { return view_->tree().Walk(); }

void CEditorDlg::FileOpened() {
    // The grid's folder index named a folder of the array just replaced.
    view_->grid().Clear();
    host_.Undo.Clear();
    view_->grid().RebuildCompletions();
    view_->RebuildTree();
    UpdateTitle();
    ModifiedChanged();
    host_.RefreshTrayDlg();
}

void CEditorDlg::DefaultFoldersCreated() {
    view_->RebuildTree();
    ModifiedChanged();
}

void CEditorDlg::FileSaved(const std::string& fileName) {
    SetMessageText("File saved: " + fileName);
    ModifiedChanged();
}

void CEditorDlg::AddRecentFile(const std::string& path) {
    kv::AddRecentFile(host_.Storage(), host_.Settings, path, ExistsOnDisk, SystemLocale());
}

std::string CEditorDlg::ProgramFolder() { return ui::ProgramFolder(); }

}  // namespace kv
