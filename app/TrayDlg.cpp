#include "app/TrayDlg.h"

#include <shellapi.h>

#include "app/NotesPopup.h"
#include "app/PasswordApp.h"
#include "app/TrayPlacement.h"
#include "editor/EditorDlg.h"
#include "resources/bitmaps.h"
#include "resources/resource.h"
#include "uikit/Drawing.h"
#include "uikit/Module.h"
#include "uikit/ToolTips.h"

namespace kv {
namespace {

constexpr int kCornerEllipse = 38;
constexpr BYTE kOpaque = 255;

// Where the controls go, in pixels of the background picture.
constexpr RECT kTreeRect{15, 65, 188, 232};
constexpr RECT kSearchTextRect{30, 8, 190, 200};
struct ButtonPlace {
    int id;
    RECT rect;
};
constexpr ButtonPlace kButtonPlaces[] = {
    {IDC_TRAY_PIN, {9, 34, 33, 58}},         {IDC_TRAY_COPY, {38, 34, 62, 58}},
    {IDC_TRAY_PASTE, {65, 34, 89, 58}},      {IDC_TRAY_EDITOR, {92, 34, 116, 58}},
    {ID_SEARCH_RECORDS, {119, 34, 143, 58}}, {IDC_TRAY_CLOSE, {164, 34, 188, 58}},
};

// The pictures of a button: normal and pressed, with and without the skin.
struct ButtonPictures {
    int id;
    UINT skin;
    UINT skinPressed;
    UINT plain;
    UINT plainPressed;
};
constexpr ButtonPictures kButtonPictures[] = {
    {ID_SEARCH_RECORDS, IDB_TRAY_SEARCH, IDB_TRAY_SEARCH_DOWN, IDB_TRAY_PLAIN_SEARCH, IDB_TRAY_PLAIN_SEARCH_DOWN},
    {IDC_TRAY_COPY, IDB_TRAY_COPY, IDB_TRAY_COPY_DOWN, IDB_TRAY_PLAIN_COPY, 0},
    {IDC_TRAY_PASTE, IDB_TRAY_PASTE, IDB_TRAY_PASTE_DOWN, IDB_TRAY_PLAIN_PASTE, 0},
    {IDC_TRAY_CLOSE, IDB_TRAY_CLOSE, IDB_TRAY_CLOSE_DOWN, IDB_TRAY_PLAIN_CLOSE, 0},
    {IDC_TRAY_EDITOR, IDB_TRAY_EDITOR, IDB_TRAY_EDITOR_DOWN, IDB_TRAY_PLAIN_EDITOR, 0},
};

using SetLayeredWindowAttributesFunction = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

SetLayeredWindowAttributesFunction LayeredWindowFunction() {
    return reinterpret_cast<SetLayeredWindowAttributesFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("User32"), "SetLayeredWindowAttributes")));
}

ScreenRect ToScreenRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace

bool CanMakeTransparent() { return LayeredWindowFunction() != nullptr; }

CTrayDlg::CTrayDlg() : Mapped(IDD_TRAY), tree_(App().Database, App().Settings) {}

CTrayDlg::~CTrayDlg() = default;

const ui::MessageMap<CTrayDlg>& CTrayDlg::Messages() {
    static const auto map = ui::MessageMap<CTrayDlg>()
                                .PaintInto(WM_ERASEBKGND, &CTrayDlg::OnEraseBackground)
                                .PaintInto(WM_PRINTCLIENT, &CTrayDlg::OnPrintClient)
                                .Message(WM_NCHITTEST, &CTrayDlg::OnHitTest)
                                .Activate(&CTrayDlg::OnActivate)
                                .DrawItem(&CTrayDlg::OnDrawItem)
                                .HotKey(&CTrayDlg::OnHotKey)
                                .Notify(IDC_TRAY_TREE, TVN_GETDISPINFOA, &CTrayDlg::OnTreeGetDispInfo)
                                .Notify(IDC_TRAY_TREE, TVN_ITEMEXPANDINGA, &CTrayDlg::OnTreeExpanding)
                                .Notify(IDC_TRAY_TREE, NM_DBLCLK, &CTrayDlg::OnTreeDoubleClick)
                                .Notify(IDC_TRAY_TREE, NM_RCLICK, &CTrayDlg::OnTreeRightClick)
                                .Notify(IDC_TRAY_TREE, NM_SETFOCUS, &CTrayDlg::OnTreeFocus)
                                .Command(IDC_TRAY_PIN, &CTrayDlg::TogglePin)
                                .Command(IDC_TRAY_COPY, &CTrayDlg::CopySelection)
                                .Command(IDC_TRAY_PASTE, &CTrayDlg::PasteToApplication)
                                .Command(IDC_TRAY_EDITOR, &CTrayDlg::OpenEditorAtSelection)
                                .Command(ID_SEARCH_RECORDS, &CTrayDlg::OnSearch)
                                .Command(IDC_TRAY_CLOSE, &CTrayDlg::OnClose)
                                .Control(IDC_TRAY_SEARCH_TEXT, CBN_CLOSEUP, &CTrayDlg::OnSearchListClosed)
                                .Command(ID_COPY_TO_CLIPBOARD, &CTrayDlg::CopySelection)
                                .Command(ID_PASTE_TO_APPLICATION, &CTrayDlg::PasteToApplication)
                                .Command(ID_LAUNCH_SITE, &CTrayDlg::OnLaunchSite)
                                .Command(ID_LAUNCH_EMAIL, &CTrayDlg::OnLaunchEmail)
                                .Command(ID_DISPLAY_NOTES, &CTrayDlg::OnDisplayNotes)
                                .Command(ID_AUTOFILL_FORM, &CTrayDlg::OnAutoFillForm)
                                .Command(ID_EXPAND_ALL, &CTrayDlg::OnExpandAll)
                                .Command(ID_COLLAPSE_ALL, &CTrayDlg::OnCollapseAll);
    return map;
}

bool CTrayDlg::OnInitDialog() {
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    const LONG_PTR style = GetWindowLongPtrA(hwnd(), GWL_STYLE);
    SetWindowLongPtrA(hwnd(), GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CAPTION | WS_THICKFRAME | WS_BORDER | DS_MODALFRAME));
    const LONG_PTR exStyle = GetWindowLongPtrA(hwnd(), GWL_EXSTYLE);
    SetWindowLongPtrA(hwnd(), GWL_EXSTYLE, exStyle | WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    pin_.Attach(hwnd(), IDC_TRAY_PIN);
    copy_.Attach(hwnd(), IDC_TRAY_COPY);
    paste_.Attach(hwnd(), IDC_TRAY_PASTE);
    editor_.Attach(hwnd(), IDC_TRAY_EDITOR);
    search_.Attach(hwnd(), ID_SEARCH_RECORDS);
    close_.Attach(hwnd(), IDC_TRAY_CLOSE);
    tree_.Initialise(Item(IDC_TRAY_TREE));
    ApplyTransparency();
    ApplySkin();
    ui::AddToolTips(hwnd(), {IDC_TRAY_COPY, IDC_TRAY_PASTE, IDC_TRAY_EDITOR, ID_SEARCH_RECORDS, IDC_TRAY_CLOSE});
    Rebuild();
    PlaceBesideTaskbar();
    PlaceControls();
    if (HTREEITEM first = tree_.Root()) tree_.Select(first);
    tree_.Focus();
    SetForegroundWindow(hwnd());
    return false;
}

void CTrayDlg::ApplyTransparency() {
    const SetLayeredWindowAttributesFunction setLayered = LayeredWindowFunction();
    if (setLayered == nullptr) return;
    const std::uint32_t alpha = App().Settings.Transparency;
    const LONG_PTR exStyle = GetWindowLongPtrA(hwnd(), GWL_EXSTYLE);
    const LONG_PTR treeStyle = GetWindowLongPtrA(tree_.hwnd(), GWL_STYLE);
    if (alpha >= kOpaque) {
        SetWindowLongPtrA(hwnd(), GWL_EXSTYLE, (exStyle & ~static_cast<LONG_PTR>(WS_EX_LAYERED)) | WS_EX_TOPMOST);
        SetWindowLongPtrA(tree_.hwnd(), GWL_STYLE, treeStyle & ~static_cast<LONG_PTR>(TVS_NOTOOLTIPS));
    } else {
        SetWindowLongPtrA(hwnd(), GWL_EXSTYLE, exStyle | WS_EX_LAYERED | WS_EX_TOPMOST);
        SetWindowLongPtrA(tree_.hwnd(), GWL_STYLE, treeStyle | TVS_NOTOOLTIPS);
        setLayered(hwnd(), 0, static_cast<BYTE>(alpha), LWA_ALPHA);
    }
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CTrayDlg::ApplySkin() {
    const bool skin = App().Settings.SkinDialog != 0;
    background_.Reset(ui::LoadBitmapResource(skin ? IDB_TRAY_SKIN : IDB_TRAY_PLAIN));
    const SIZE size = ui::BitmapSize(background_.get());
    // The window takes the picture's size and a shape with rounded corners.
    SetWindowRgn(hwnd(), CreateRoundRectRgn(0, 0, size.cx, size.cy, kCornerEllipse, kCornerEllipse), TRUE);
    SetWindowPos(hwnd(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ui::BitmapButton* buttons[] = {&search_, &copy_, &paste_, &close_, &editor_};
    for (std::size_t i = 0; i < std::size(kButtonPictures); ++i) {
        const ButtonPictures& pictures = kButtonPictures[i];
        buttons[i]->SetImages(skin ? pictures.skin : pictures.plain, skin ? pictures.skinPressed : pictures.plainPressed,
                              true);
    }
    DrawPin();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void CTrayDlg::DrawPin() { pin_.SetImages(App().Settings.PinTrayDlg != 0 ? IDB_TRAY_PINNED : IDB_TRAY_UNPINNED, 0, true); }

void CTrayDlg::TogglePin() {
    AppSettings& settings = App().Settings;
    settings.PinTrayDlg = settings.PinTrayDlg != 0 ? 0 : 1;
    DrawPin();
}

void CTrayDlg::PlaceControls() {
    tree_.Move(kTreeRect);
    ui::Control(Item(IDC_TRAY_SEARCH_TEXT)).Move(kSearchTextRect);
    for (const ButtonPlace& place : kButtonPlaces) ui::Control(Item(place.id)).Move(place.rect);
}

void CTrayDlg::PlaceBesideTaskbar() {
    RECT window{};
    GetWindowRect(hwnd(), &window);
    APPBARDATA bar{};
    bar.cbSize = sizeof bar;
    RECT taskbar{};
    if (SHAppBarMessage(ABM_GETTASKBARPOS, &bar) != 0) taskbar = bar.rc;
    RECT workArea{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    if (IsRectEmpty(&taskbar)) {
        // No taskbar: the corner of the work area where it usually is.
        taskbar = {workArea.left, workArea.bottom, workArea.right, workArea.bottom};
    }
    const ScreenPoint at = kv::PlaceBesideTaskbar(ToScreenRect(taskbar), ToScreenRect(workArea),
                                                  window.right - window.left, window.bottom - window.top);
    SetWindowPos(hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTrayDlg::Rebuild() {
    stale_ = false;
    CEditorDlg* editor = App().Editor();
    tree_.Rebuild(editor != nullptr && editor->hwnd() != nullptr ? &editor->view().tree().model() : nullptr);
    lastFound_ = {};
    FillSearchTexts();
}

void CTrayDlg::OnEraseBackground(HDC dc) {
    OnPrintClient(dc);
    if (firstErase_) {
        firstErase_ = false;
        tree_.Focus();
        if (HTREEITEM first = tree_.Root()) tree_.Select(first);
    }
}

void CTrayDlg::OnPrintClient(HDC target) {
    if (!background_) return;
    const SIZE size = ui::BitmapSize(background_.get());
    ui::DrawBitmap(target, background_.get(), 0, 0, size.cx, size.cy);
}

LRESULT CTrayDlg::OnHitTest(WPARAM, LPARAM lParam) {
    // Every point of the window drags it like a caption.
    const LRESULT hit = DefWindowProcA(hwnd(), WM_NCHITTEST, 0, lParam);
    return hit == HTCLIENT ? HTCAPTION : hit;
}

bool CTrayDlg::OnDrawItem(UINT, const DRAWITEMSTRUCT& item) {
    for (ui::BitmapButton* button : {&pin_, &copy_, &paste_, &editor_, &search_, &close_}) {
        if (button->hwnd() == item.hwndItem) button->Draw(item);
    }
    return true;
}

void CTrayDlg::OnActivate(bool active, HWND next) {
    if (active || App().Settings.PinTrayDlg != 0 || pasting_) return;
    // Our own dialogs and message boxes over the tray dialog keep it open.
    CEditorDlg* editor = App().Editor();
    const bool ours = next != nullptr && GetWindowThreadProcessId(next, nullptr) == GetCurrentThreadId() &&
                      (editor == nullptr || next != editor->hwnd());
    if (!ours) App().Tray().HideTrayDlg();
}

void CTrayDlg::OnHotKey(int) {
    App().ToggleLock();
}

void CTrayDlg::OnClose() { App().Tray().HideTrayDlg(); }

void CTrayDlg::OnCancel() {
    // Escape closes like the close button; Enter is swallowed (OnOK).
    OnClose();
}

LRESULT CTrayDlg::OnTreeGetDispInfo(NMHDR& header) {
    tree_.OnGetDispInfo(reinterpret_cast<NMTVDISPINFOA&>(header));
    return 0;
}

LRESULT CTrayDlg::OnTreeExpanding(NMHDR& header) {
    tree_.OnItemExpanding(reinterpret_cast<NMTREEVIEWA&>(header));
    return FALSE;
}

LRESULT CTrayDlg::OnTreeFocus(NMHDR&) {
    RebuildIfStale();
    return 0;
}

}  // namespace kv
