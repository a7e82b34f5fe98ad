#include "editor/EditorView.h"

#include <richedit.h>

#include <algorithm>

#include "db/RichText.h"
#include "desktop/WindowRect.h"
#include "platform/FileSystem.h"
#include "resources/bitmaps.h"
#include "resources/resource.h"
#include "settings/Settings.h"
#include "uikit/MessageParams.h"
#include "uikit/Module.h"
#include "uikit/PopupMenu.h"
#include "uikit/RichEdit.h"
#include "uikit/ToolTips.h"
#include "views/UndoHistory.h"

namespace kv {
namespace {

using NodeId = FolderTreeModel::NodeId;

const UINT kListCtrlMsg = RegisterWindowMessageA("ListCtrlMsg");
constexpr UINT_PTR kDragScrollTimer = 25;

// The picture buttons, with their pictures for the program's colours and the plain ones.
struct ButtonImages {
    int id;
    UINT skin;
    UINT plain;
};
const ButtonImages kButtons[] = {
    {ID_ADD_FOLDER, IDB_BUTTON_ADD_FOLDER_SKIN, IDB_BUTTON_ADD_FOLDER_PLAIN},
    {ID_ADD_SUBFOLDER, IDB_BUTTON_ADD_SUBFOLDER_SKIN, IDB_BUTTON_ADD_SUBFOLDER_PLAIN},
    {ID_DELETE_FOLDER, IDB_BUTTON_DELETE_FOLDER_SKIN, IDB_BUTTON_DELETE_FOLDER_PLAIN},
    {ID_RENAME_FOLDER, IDB_BUTTON_RENAME_FOLDER_SKIN, IDB_BUTTON_RENAME_FOLDER_PLAIN},
    {ID_SEARCH_FOLDERS, IDB_BUTTON_SEARCH_FOLDERS_SKIN, IDB_BUTTON_SEARCH_FOLDERS_PLAIN},
    {ID_ADD_RECORD, IDB_BUTTON_ADD_RECORD_SKIN, IDB_BUTTON_ADD_RECORD_PLAIN},
    {ID_DELETE_RECORD, IDB_BUTTON_DELETE_RECORD_SKIN, IDB_BUTTON_DELETE_RECORD_PLAIN},
    {ID_EDIT_RECORD, IDB_BUTTON_EDIT_RECORD_SKIN, IDB_BUTTON_EDIT_RECORD_PLAIN},
    {ID_SEARCH_RECORDS, IDB_BUTTON_SEARCH_RECORDS_SKIN, IDB_BUTTON_SEARCH_RECORDS_PLAIN},
    {ID_GENERATE_BUTTON, IDB_BUTTON_GENERATE_SKIN, IDB_BUTTON_GENERATE_PLAIN},
    {ID_IMPORT_BUTTON, IDB_BUTTON_IMPORT_SKIN, IDB_BUTTON_IMPORT_PLAIN},
    {ID_EXPORT_BUTTON, IDB_BUTTON_EXPORT_SKIN, IDB_BUTTON_EXPORT_PLAIN},
    {ID_REPORT, IDB_BUTTON_REPORT_SKIN, IDB_BUTTON_REPORT_PLAIN},
    {ID_EDIT_FORM_DATA, IDB_BUTTON_FORM_DATA_SKIN, IDB_BUTTON_FORM_DATA_PLAIN},
    {IDC_LAUNCH_URL, IDB_BUTTON_OPEN_WEB_SKIN, IDB_BUTTON_OPEN_WEB_PLAIN},
    {IDC_SEND_EMAIL, IDB_BUTTON_SEND_EMAIL_SKIN, IDB_BUTTON_SEND_EMAIL_PLAIN},
};
const int kRecordButtonIds[9] = {ID_ADD_RECORD,    ID_DELETE_RECORD, ID_EDIT_RECORD, ID_SEARCH_RECORDS,
                                 ID_GENERATE_BUTTON, ID_IMPORT_BUTTON, ID_EXPORT_BUTTON, ID_REPORT,
                                 ID_EDIT_FORM_DATA};

Box BoxOf(const RECT& r) { return Box{r.left, r.top, r.right, r.bottom}; }

// The label edit of the tree takes Enter and Escape for itself, not the dialog.
LRESULT CALLBACK LabelEditProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_GETDLGCODE) return DLGC_WANTALLKEYS;
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// Tab in the tree moves on to the grid, Shift+Tab back to the notes.
LRESULT CALLBACK TreeKeysProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_GETDLGCODE) return DefSubclassProc(hwnd, message, wParam, lParam) | DLGC_WANTTAB;
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// The tree lives inside the frame list control; its notifications go on to the panel.
LRESULT CALLBACK FrameProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR panel) {
    const NMHDR* header = message == WM_NOTIFY ? ui::TrustedNotifyHeader(lParam) : nullptr;
    if (header != nullptr && GetDlgCtrlID(header->hwndFrom) == IDC_FOLDER_TREE) {
        return SendMessageA(reinterpret_cast<HWND>(panel), WM_NOTIFY, wParam, lParam);
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

CEditorView::CEditorView(EditorHost& host, EditorFrame& frame) : Mapped(IDD_EDITOR_VIEW), host_(host), frame_(frame) {
    EditorHost& app = host_;
    tree_ = std::make_unique<CFolderTree>(app.Database, app.Undo, app.Settings, *this);
    grid_ = std::make_unique<CRecordGrid>(app.Database, app.Settings, app.Undo, *this);
}

CEditorView::~CEditorView() = default;

const ui::MessageMap<CEditorView>& CEditorView::Messages() {
    static const auto map = ui::MessageMap<CEditorView>()
                                .Message(WM_SIZE, &CEditorView::LayOut)
                                .DrawItem(&CEditorView::OnDrawItem)
                                .AnyNotify(&CEditorView::OnNotify)
                                .Message(WM_MOUSEMOVE, &CEditorView::OnMouseMove)
                                .Message(WM_LBUTTONUP, &CEditorView::OnLeftButtonUp)
                                .Message(WM_RBUTTONUP, &CEditorView::OnRightButtonUp)
                                .Timer(&CEditorView::OnTimer)
                                .ContextMenu(&CEditorView::OnContextMenu)
                                .Message(WM_DESTROY, &CEditorView::OnDestroy)
                                .Registered(&kListCtrlMsg, &CEditorView::OnListCtrlMsg)
                                .Command(ID_ADD_FOLDER, &CEditorView::OnAddFolder)
                                .Command(ID_ADD_SUBFOLDER, &CEditorView::OnAddSubfolder)
                                .Command(ID_RENAME_FOLDER, &CEditorView::OnRenameFolder)
                                .Command(ID_DELETE_FOLDER, &CEditorView::OnDeleteFolder)
                                .CommandRange(ID_SET_COLUMNS_1, ID_SET_COLUMNS_4, &CEditorView::OnSetColumns)
                                .Command(ID_COLLAPSE_ALL, &CEditorView::OnCollapseAll)
                                .Command(ID_EXPAND_ALL, &CEditorView::OnExpandAll)
                                .Command(ID_ADD_RECORD, &CEditorView::OnAddRecord)
                                .Command(ID_EDIT_RECORD, &CEditorView::OnEditRecord)
                                .Command(ID_DELETE_RECORD, &CEditorView::OnDeleteRecord)
                                .Command(ID_CELL_CUT, &CEditorView::OnCutCell)
                                .Command(ID_CELL_COPY, &CEditorView::OnCopyCell)
                                .Command(ID_CELL_PASTE, &CEditorView::OnPasteCell)
                                .Command(ID_CELL_CLEAR, &CEditorView::OnClearCell)
                                .Command(ID_SEARCH_FOLDERS, &CEditorView::OnSearchFolders)
                                .Command(ID_EXPORT, &CEditorView::OnExport)
                                .Command(ID_EXPORT_BUTTON, &CEditorView::OnExport)
                                .Command(ID_IMPORT, &CEditorView::OnImport)
                                .Command(ID_IMPORT_BUTTON, &CEditorView::OnImport)
                                .Command(ID_SEARCH_RECORDS, &CEditorView::SearchRecords)
                                .Command(ID_GENERATE_BUTTON, &CEditorView::OnGeneratePassword)
                                .Command(ID_GENERATE, &CEditorView::OnGeneratePassword)
                                .Command(ID_REPORT, &CEditorView::OnReport)
                                .Command(IDC_LAUNCH_URL, &CEditorView::OnLaunchUrl)
                                .Command(ID_EDIT_FORM_DATA, &CEditorView::OnEditFormData)
                                .Command(ID_IGNORED_SITES, &CEditorView::OnIgnoredSites)
                                .Command(IDC_SEND_EMAIL, &CEditorView::OnSendEmail)
                                .Command(ID_UNDO, &CEditorView::Undo)
                                .Command(ID_UNDO_FOLDERS, &CEditorView::Undo)
                                .Control(IDC_CELL_EDITOR, EN_CHANGE, &CEditorView::OnCellEditorChanged)
                                .Control(IDC_URL, EN_CHANGE, &CEditorView::OnUrlChanged)
                                .Control(IDC_EMAIL, EN_CHANGE, &CEditorView::OnEmailChanged)
                                .Control(IDC_NOTES, EN_CHANGE, &CEditorView::OnNotesChanged);
    return map;
}

bool CEditorView::Create(HWND parent) {
    ui::LoadRichEdit();
    return CreateModeless(parent);
}

bool CEditorView::OnInitDialog() {
    for (const ButtonImages& images : kButtons) {
        auto button = std::make_unique<ui::BitmapButton>();
        button->Attach(hwnd(), images.id);
        buttons_.push_back(std::move(button));
    }
    ChooseButtonImages();
    ui::AddToolTips(hwnd(), {ID_ADD_FOLDER, ID_ADD_SUBFOLDER, ID_DELETE_FOLDER, ID_RENAME_FOLDER, ID_SEARCH_FOLDERS,
                             ID_ADD_RECORD, ID_DELETE_RECORD, ID_EDIT_RECORD, ID_SEARCH_RECORDS, ID_GENERATE_BUTTON,
                             ID_IMPORT_BUTTON, ID_EXPORT_BUTTON, ID_REPORT, ID_EDIT_FORM_DATA, IDC_LAUNCH_URL,
                             IDC_SEND_EMAIL});
    tree_->Initialise(Item(IDC_FOLDER_TREE));
    grid_->Initialise(Item(IDC_RECORD_GRID), Item(IDC_CELL_EDITOR), Item(IDC_DATE_EDITOR), Item(IDC_CELL_GENERATE));
    const auto matches = [this](const std::string& typed) { return grid_->completions().Matches(typed); };
    url_.Attach(Item(IDC_URL), matches);
    email_.Attach(Item(IDC_EMAIL), matches);
    for (const int id : {IDC_URL, IDC_EMAIL, IDC_NOTES}) {
        SetWindowSubclass(Item(id), LowerFieldProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    SendDlgItemMessageA(hwnd(), IDC_NOTES, EM_SETOPTIONS, ECOOP_OR, ECO_NOHIDESEL);
    SendDlgItemMessageA(hwnd(), IDC_NOTES, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_LINK);
    SendDlgItemMessageA(hwnd(), IDC_NOTES, EM_AUTOURLDETECT, TRUE, 0);
    vertical_.Attach(
        Item(IDC_SPLITTER_VERTICAL), ui::Splitter::Direction::Vertical,
        [this] {
            RECT client{};
            GetClientRect(hwnd(), &client);
            const Range range = VerticalSplitterRange(ReadBoxes(), client.right);
            return std::make_pair(range.low, range.high);
        },
        [this](int delta) {
            ApplyBoxes(MoveVerticalSplitter(ReadBoxes(), delta));
            LayOut();
        });
    horizontal_.Attach(
        Item(IDC_SPLITTER_HORIZONTAL), ui::Splitter::Direction::Horizontal,
        [this] {
            RECT client{};
            GetClientRect(hwnd(), &client);
            const Range range = HorizontalSplitterRange(client.bottom);
            return std::make_pair(range.low, range.high);
        },
        [this](int delta) {
            ApplyBoxes(MoveHorizontalSplitter(ReadBoxes(), delta));
            LayOut();
        });
    SetWindowSubclass(tree_->hwnd(), TreeKeysProcedure, 1, 0);
    ui::ListView frame(Item(IDC_TREE_FRAME));
    frame.InsertColumn(0, "Folders", 100);
    sortArrows_ = ui::LoadMaskedImages(IDB_SORT_ARROWS, 9);
    SendMessageA(frame.Header(), HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(sortArrows_.get()));
    SetParent(Item(IDC_FOLDER_TREE), frame.hwnd());
    SetWindowSubclass(frame.hwnd(), FrameProcedure, 1, reinterpret_cast<DWORD_PTR>(hwnd()));
    RestoreSplitters();
    PlaceTreeInFrame();
    UpdateButtons();
    return false;
}

void CEditorView::RestoreSplitters() {
    std::unique_ptr<SettingsStore> store = host_.Storage().OpenExisting();
    if (!store) return;
    // Each splitter moves what it governs by as much as it was moved before.
    const auto stored = [&store](const char* name) -> std::optional<ScreenRect> {
        const std::optional<std::string> text = store->ReadText(name, kPathTextSize);
        return text ? ParseStoredRect(*text) : std::nullopt;
    };
    if (const std::optional<ScreenRect> rect = stored("Splitter2")) {
        ApplyBoxes(MoveHorizontalSplitter(ReadBoxes(), rect->top - ReadBoxes().horizontalSplitter.top));
    }
    if (const std::optional<ScreenRect> rect = stored("Splitter1")) {
        ApplyBoxes(MoveVerticalSplitter(ReadBoxes(), rect->left - ReadBoxes().verticalSplitter.left));
    }
}

void CEditorView::OnDestroy() {
    std::unique_ptr<SettingsStore> store = host_.Storage().OpenOrCreate();
    if (!store) return;
    const PanelBoxes boxes = ReadBoxes();
    for (const auto& [name, box] : {std::make_pair("Splitter1", boxes.verticalSplitter),
                                    std::make_pair("Splitter2", boxes.horizontalSplitter)}) {
        store->WriteText(name, FormatStoredRect(ScreenRect{box.left, box.top, box.right, box.bottom}));
    }
}

void CEditorView::ChooseButtonImages() {
    const bool skin = host_.Settings.SkinDialog != 0;
    for (std::size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->SetImage(skin ? kButtons[i].skin : kButtons[i].plain);
}

void CEditorView::FitInto(const RECT& area) {
    MoveWindow(hwnd(), area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

PanelBoxes CEditorView::ReadBoxes() const {
    const auto box = [this](int id) { return BoxOf(ui::Control(Item(id)).Rect()); };
    PanelBoxes b;
    b.searchFoldersButton = box(ID_SEARCH_FOLDERS);
    b.treeFrame = box(IDC_TREE_FRAME);
    b.verticalSplitter = box(IDC_SPLITTER_VERTICAL);
    b.grid = box(IDC_RECORD_GRID);
    b.horizontalSplitter = box(IDC_SPLITTER_HORIZONTAL);
    b.launchButton = box(IDC_LAUNCH_URL);
    b.url = box(IDC_URL);
    b.emailButton = box(IDC_SEND_EMAIL);
    b.email = box(IDC_EMAIL);
    b.notes = box(IDC_NOTES);
    for (int i = 0; i < 9; ++i) b.recordButtons[i] = box(kRecordButtonIds[i]);
    return b;
}

void CEditorView::ApplyBoxes(const PanelBoxes& b) {
    const auto place = [this](int id, const Box& box) {
        ui::Control(Item(id)).Move(RECT{box.left, box.top, box.right, box.bottom}, false);
    };
    place(IDC_TREE_FRAME, b.treeFrame);
    place(IDC_SPLITTER_VERTICAL, b.verticalSplitter);
    place(IDC_RECORD_GRID, b.grid);
    place(IDC_SPLITTER_HORIZONTAL, b.horizontalSplitter);
    place(IDC_LAUNCH_URL, b.launchButton);
    place(IDC_URL, b.url);
    place(IDC_SEND_EMAIL, b.emailButton);
    place(IDC_EMAIL, b.email);
    place(IDC_NOTES, b.notes);
    for (int i = 0; i < 9; ++i) place(kRecordButtonIds[i], b.recordButtons[i]);
}

SearchSurroundings CEditorView::CurrentSearchSurroundings() const {
    HWND editor = GetAncestor(hwnd(), GA_ROOT);
    const auto screenBox = [](HWND window) {
        RECT rect{};
        GetWindowRect(window, &rect);
        return BoxOf(rect);
    };
    SearchSurroundings around;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(editor, MONITOR_DEFAULTTONEAREST), &monitor);
    around.workArea = BoxOf(monitor.rcWork);
    around.editor = screenBox(editor);
    RECT row{};
    row.left = LVIR_BOUNDS;
    RECT client{};
    GetClientRect(grid_->hwnd(), &client);
    if (grid_->CurrentRow() >= 0 &&
        grid_->Send(LVM_GETITEMRECT, static_cast<WPARAM>(grid_->CurrentRow()), reinterpret_cast<LPARAM>(&row)) != 0 &&
        IntersectRect(&row, &row, &client)) {
        MapWindowPoints(grid_->hwnd(), nullptr, reinterpret_cast<POINT*>(&row), 2);
        around.currentRow = BoxOf(row);
    }
    around.lowerFields = screenBox(Item(IDC_NOTES));
    for (const int id : {IDC_LAUNCH_URL, IDC_URL, IDC_SEND_EMAIL, IDC_EMAIL}) {
        const Box box = screenBox(Item(id));
        Box& all = around.lowerFields;
        all = Box{std::min(all.left, box.left), std::min(all.top, box.top), std::max(all.right, box.right),
                  std::max(all.bottom, box.bottom)};
    }
    return around;
}

void CEditorView::PlaceSearchDialog() {
    RECT dialog{};
    GetWindowRect(search_->hwnd(), &dialog);
    const Box place =
        kv::PlaceSearchDialog(dialog.right - dialog.left, dialog.bottom - dialog.top, CurrentSearchSurroundings());
    SetWindowPos(search_->hwnd(), nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CEditorView::KeepSearchDialogClear() {
    if (!search_ || search_->hwnd() == nullptr) return;
    RECT dialog{};
    GetWindowRect(search_->hwnd(), &dialog);
    if (CoversSearchHits(BoxOf(dialog), CurrentSearchSurroundings())) PlaceSearchDialog();
}

void CEditorView::LayOut() {
    RECT client{};
    GetClientRect(hwnd(), &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    ApplyBoxes(LayOutPanel(ReadBoxes(), client.right, client.bottom));
    PlaceTreeInFrame();
    // The controls were moved without drawing: they all draw again where they are now.
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CEditorView::PlaceTreeInFrame() {
    ui::ListView frame(Item(IDC_TREE_FRAME));
    RECT client{};
    GetClientRect(frame.hwnd(), &client);
    RECT header{};
    GetWindowRect(frame.Header(), &header);
    const int headerHeight = header.bottom - header.top;
    SendMessageA(frame.hwnd(), LVM_SETCOLUMNWIDTH, 0, client.right);
    MoveWindow(tree_->hwnd(), 0, headerHeight, client.right, client.bottom - headerHeight, TRUE);
}

bool CEditorView::OnDrawItem(UINT, const DRAWITEMSTRUCT& item) {
    for (const auto& button : buttons_) {
        if (button->hwnd() == item.hwndItem) button->Draw(item);
    }
    return true;
}

LRESULT CEditorView::OnNotify(NMHDR& header) {
    switch (header.idFrom) {
        case IDC_FOLDER_TREE:
            return OnTreeNotify(header);
        case IDC_TREE_FRAME:
            if (header.code == static_cast<UINT>(LVN_COLUMNCLICK)) {
                tree_->ToggleSort();
                HDITEMA item{};
                item.mask = HDI_FORMAT | HDI_IMAGE;
                item.fmt = HDF_STRING | HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
                item.iImage = tree_->SortedAscending() ? 0 : 1;
                SendMessageA(ui::ListView(Item(IDC_TREE_FRAME)).Header(), HDM_SETITEMA, 0,
                             reinterpret_cast<LPARAM>(&item));
            }
            return 0;
        case IDC_RECORD_GRID:
            return OnGridNotify(header);
        case IDC_NOTES:
            if (header.code == EN_LINK) OnNotesLink(*reinterpret_cast<ENLINK*>(&header));
            return 0;
        default:
            return 0;
    }
}

LRESULT CEditorView::OnTreeNotify(NMHDR& header) {
    switch (header.code) {
        case TVN_SELCHANGEDA:
            tree_->OnSelectionChanged();
            return 0;
        case TVN_BEGINLABELEDITA: {
            const LRESULT refuse = tree_->OnBeginLabelEdit(*reinterpret_cast<NMTVDISPINFOA*>(&header));
            HWND edit = reinterpret_cast<HWND>(tree_->Send(TVM_GETEDITCONTROL));
            if (edit != nullptr) SetWindowSubclass(edit, LabelEditProcedure, 1, 0);
            return refuse;
        }
        case TVN_ENDLABELEDITA:
            return tree_->OnEndLabelEdit(*reinterpret_cast<NMTVDISPINFOA*>(&header));
        case TVN_BEGINDRAGA:
            BeginDrag(*reinterpret_cast<NMTREEVIEWA*>(&header));
            return 0;
        case TVN_KEYDOWN: {
            const auto& key = *reinterpret_cast<NMTVKEYDOWN*>(&header);
            const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
            if (key.wVKey == VK_F2) tree_->BeginRename();
            if (key.wVKey == VK_DELETE) tree_->DeleteSelection();
            if (control && key.wVKey == 'Z' && host_.Undo.CanUndo()) Undo();
            if (control && key.wVKey == 'F') OpenSearch(CSearchDlg::Mode::Folders);
            if (key.wVKey == VK_TAB && (GetKeyState(VK_SHIFT) & 0x8000) != 0) {
                SetFocus(Item(IDC_NOTES));
            } else if (key.wVKey == VK_TAB && tree_->naming() == CFolderTree::Naming::None) {
                const MoveTarget target = AfterTree(rememberedRow_, grid_->Count());
                if (target.kind == MoveTarget::Kind::Cell) {
                    grid_->MoveTo(target.cell);
                    grid_->Focus();
                }
            }
            return 0;
        }
        case NM_RCLICK: {
            POINT cursor{};
            GetCursorPos(&cursor);
            Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree_->hwnd()), MAKELPARAM(cursor.x, cursor.y));
            return TRUE;
        }
        default:
            return 0;
    }
}

void CEditorView::OnContextMenu(HWND window, POINT cursor) {
    if (window == Item(IDC_NOTES)) {
        ShowNotesMenu(cursor);
        return;
    }
    if (window != tree_->hwnd() || host_.Database.FilePath.empty()) return;
    HTREEITEM item = tree_->ItemAt(cursor);
    if (item == nullptr) return;  // beside the folders: no menu
    tree_->Select(item);
    const ui::PopupMenu popup(IDR_FOLDER_MENU);
    HMENU menu = popup.get();
    SetMenuDefaultItem(menu, ID_ADD_FOLDER, FALSE);
    const bool topLevel = tree_->SelectionIsTopLevel();
    HMENU columns = GetSubMenu(menu, 9);
    for (int category = 1; category <= 4; ++category) {
        const UINT id = static_cast<UINT>(ID_SET_COLUMNS_1 + category - 1);
        ModifyMenuA(columns, id, MF_BYCOMMAND | MF_STRING, id,
                    host_.Settings.CategoryNames[static_cast<std::size_t>(category - 1)].c_str());
        CheckMenuItem(columns, id, MF_BYCOMMAND | (topLevel && tree_->CategoryOfSelection() == category ? MF_CHECKED : 0));
    }
    EnableMenuItem(menu, 9, MF_BYPOSITION | (topLevel ? MF_ENABLED : MF_GRAYED));
    RelabelUndo(menu);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hwnd(), nullptr);
}

void CEditorView::RelabelUndo(HMENU menu) const {
    const UndoHistory& undo = host_.Undo;
    for (const UINT id : {static_cast<UINT>(ID_UNDO), static_cast<UINT>(ID_UNDO_FOLDERS)}) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE;
        if (!GetMenuItemInfoA(menu, id, FALSE, &info)) continue;
        ModifyMenuA(menu, id, MF_BYCOMMAND | MF_STRING | (undo.CanUndo() ? MF_ENABLED : MF_GRAYED), id,
                    undo.MenuText().c_str());
    }
}

void CEditorView::OnSetColumns(UINT id) {
    tree_->SetCategory(static_cast<Category>(id - ID_SET_COLUMNS_1 + 1));
}

void CEditorView::Undo() {
    EditorHost& app = host_;
    // What is being typed becomes the newest change first, so that the undo
    // does what its menu item said.
    grid_->CommitEditor();
    if (tree_->naming() != CFolderTree::Naming::None) return;
    const std::string selected = tree_->SelectedPath();
    const std::optional<UndoHistory::Restored> restored = app.Undo.Undo(app.Database.Folders);
    if (!restored) return;
    // The restored folders may stand in another order or carry other paths
    // than the tree's nodes name: then the tree is built again from them.
    if (TreeMatchesFolders(tree_->model(), app.Database.Folders)) {
        ReloadGrid();
    } else {
        grid_->Clear();
        PutParentsFirst(app.Database.Folders);
        RebuildTree();
        tree_->SelectPath(selected);
    }
    frame_.UpdateTitle();
    FoldersChanged();
}

void CEditorView::RebuildTree() {
    tree_->Rebuild();
    UpdateButtons();
}

void CEditorView::FoldersChanged() {
    host_.Database.Modified = true;
    frame_.ModifiedChanged();
    Post(kListCtrlMsg, 2);
    UpdateButtons();
}

LRESULT CEditorView::OnListCtrlMsg(WPARAM wParam, LPARAM) {
    if (wParam == 1 && tree_->naming() == CFolderTree::Naming::None) grid_->Focus();
    // The tray dialog shows the change when its tree is next used.
    if (wParam == 2) host_.MarkTrayDlgStale();
    return 0;
}

void CEditorView::BeginDrag(const NMTREEVIEWA& info) {
    dragged_ = tree_->NodeOf(info.itemNew.hItem);
    if (dragged_ == 0) return;
    dragImage_.Reset(reinterpret_cast<HIMAGELIST>(
        tree_->Send(TVM_CREATEDRAGIMAGE, 0, reinterpret_cast<LPARAM>(info.itemNew.hItem))));
    if (dragImage_) {
        ImageList_BeginDrag(dragImage_.get(), 0, 0, 0);
        ImageList_DragEnter(tree_->hwnd(), info.ptDrag.x, info.ptDrag.y);
    }
    dragging_ = true;
    SetCapture(hwnd());
}

void CEditorView::OnMouseMove() {
    if (recordDrag_) {
        // A collapsed folder with children opens; the source folder is never a target.
        POINT cursor{};
        GetCursorPos(&cursor);
        HTREEITEM target = tree_->ItemAt(cursor);
        if (target != nullptr && tree_->Child(target) != nullptr) tree_->Expand(target);
        if (target != nullptr && tree_->model().FolderIndex(tree_->NodeOf(target)) == dragSourceFolder_) target = nullptr;
        tree_->Send(TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(target));
        SetCursor(LoadCursor(nullptr, target != nullptr ? IDC_ARROW : IDC_NO));
        return;
    }
    if (!dragging_) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT treeRect{};
    GetWindowRect(tree_->hwnd(), &treeRect);
    POINT local = cursor;
    ScreenToClient(tree_->hwnd(), &local);
    if (dragImage_) ImageList_DragMove(local.x, local.y);
    const bool inside = PtInRect(&treeRect, cursor) != FALSE;
    SetCursor(LoadCursor(nullptr, inside ? IDC_ARROW : IDC_NO));
    HTREEITEM target = tree_->HitTest(local);
    if (dragImage_) ImageList_DragShowNolock(FALSE);
    tree_->Send(TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(target));
    if (dragImage_) ImageList_DragShowNolock(TRUE);
    // Near or beyond the top and bottom edges, or over a folder with children, the tree scrolls or opens.
    if (cursor.y < treeRect.top + 100 || cursor.y > treeRect.bottom - 100 ||
        (target != nullptr && tree_->Child(target) != nullptr)) {
        SetTimer(hwnd(), kDragScrollTimer, 100, nullptr);
    }
}

void CEditorView::OnTimer(UINT_PTR id) {
    if (id != kDragScrollTimer) return;
    KillTimer(hwnd(), kDragScrollTimer);
    if (!dragging_) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT treeRect{};
    GetWindowRect(tree_->hwnd(), &treeRect);
    if (dragImage_) ImageList_DragShowNolock(FALSE);
    if (cursor.y < treeRect.top + 100) {
        tree_->Send(WM_VSCROLL, SB_LINEUP);
        SetTimer(hwnd(), kDragScrollTimer, 200, nullptr);
    } else if (cursor.y > treeRect.bottom - 100) {
        tree_->Send(WM_VSCROLL, SB_LINEDOWN);
        SetTimer(hwnd(), kDragScrollTimer, 200, nullptr);
    } else {
        HTREEITEM target = tree_->ItemAt(cursor);
        if (target != nullptr && tree_->Child(target) != nullptr) tree_->Expand(target);
    }
    if (dragImage_) ImageList_DragShowNolock(TRUE);
}

void CEditorView::OnLeftButtonUp() {
    if (!dragging_) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    EndDrag(true, cursor);
}

void CEditorView::EndDrag(bool drop, POINT cursor) {
    dragging_ = false;
    KillTimer(hwnd(), kDragScrollTimer);
    ReleaseCapture();
    if (dragImage_) {
        ImageList_DragLeave(tree_->hwnd());
        ImageList_EndDrag();
        dragImage_.Reset();
    }
    tree_->Send(TVM_SELECTITEM, TVGN_DROPHILITE, 0);
    RECT treeRect{};
    GetWindowRect(tree_->hwnd(), &treeRect);
    if (!drop || !PtInRect(&treeRect, cursor)) return;  // outside the tree the drag is abandoned
    HTREEITEM target = tree_->ItemAt(cursor);
    tree_->Drop(dragged_, target != nullptr ? tree_->NodeOf(target) : FolderTreeModel::kRoot);
}

}  // namespace kv
