// How the editor's windows behave as windows: drawing after a resize, where
// the search dialog opens, and the pictures of menus and disabled buttons.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "resources/bitmaps.h"
#include "tests/support/Records.h"
#include "tests/ui/support/GridFixture.h"

namespace kv {
namespace {

using namespace uitest;

using EditorWindowTest = GridFixture;

// The controls below the grid, which a resize moves.
const int kLowerControls[] = {IDC_LAUNCH_URL, IDC_URL, IDC_SEND_EMAIL, IDC_EMAIL, IDC_NOTES};

TEST_F(EditorWindowTest, MaximisingAndRestoringRedrawTheLowerFields) {
    CEditorDlg& editor = Open({MakeFolder("Web", kInternetCategory, {test::LoginRecord("site", "alice", "s3cret")})});
    for (const int show : {SW_MAXIMIZE, SW_RESTORE}) {
        Pump(200);
        for (const int id : kLowerControls) {
            ASSERT_FALSE(GetUpdateRect(GetDlgItem(editor.view().hwnd(), id), nullptr, FALSE)) << id;
        }
        ShowWindow(editor.hwnd(), show);
        for (const int id : kLowerControls) {
            EXPECT_TRUE(GetUpdateRect(GetDlgItem(editor.view().hwnd(), id), nullptr, FALSE)) << id << " after " << show;
        }
    }
}

RECT ScreenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

bool Overlap(const RECT& a, const RECT& b) {
    RECT both{};
    return IntersectRect(&both, &a, &b) != FALSE;
}

// Whether the open search dialog leaves the grid's current row and the
// lower fields in sight.
void ExpectSearchDialogClearOfTheHits(CEditorDlg& editor) {
    ASSERT_NE(editor.view().searchDialog(), nullptr);
    const RECT dialog = ScreenRect(editor.view().searchDialog()->hwnd());
    CRecordGrid& grid = editor.view().grid();
    RECT row{};
    row.left = LVIR_BOUNDS;
    grid.Send(LVM_GETITEMRECT, static_cast<WPARAM>(grid.CurrentRow()), reinterpret_cast<LPARAM>(&row));
    MapWindowPoints(grid.hwnd(), nullptr, reinterpret_cast<POINT*>(&row), 2);
    EXPECT_FALSE(Overlap(dialog, row));
    for (const int id : kLowerControls) {
        EXPECT_FALSE(Overlap(dialog, ScreenRect(GetDlgItem(editor.view().hwnd(), id)))) << id;
    }
    RECT desktop{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &desktop, 0);
    RECT onScreen{};
    IntersectRect(&onScreen, &dialog, &desktop);
    EXPECT_TRUE(EqualRect(&onScreen, &dialog));
}

TEST_F(EditorWindowTest, TheSearchDialogLeavesTheHitsInSight) {
    CEditorDlg& editor = Open({MakeFolder("Web", kInternetCategory, {test::LoginRecord("first"), test::LoginRecord("second"), test::LoginRecord("third")})});
    SetWindowPos(editor.hwnd(), nullptr, 0, 0, 640, 480, SWP_NOZORDER);
    editor.view().grid().MoveTo(Cell{2, 0});
    editor.view().OpenSearch(CSearchDlg::Mode::Items);
    ExpectSearchDialogClearOfTheHits(editor);
    editor.view().CloseSearch();

    ShowWindow(editor.hwnd(), SW_MAXIMIZE);
    Pump(100);
    for (const int row : {0, 2}) {
        editor.view().grid().MoveTo(Cell{row, 0});
        editor.view().OpenSearch(CSearchDlg::Mode::Items);
        ExpectSearchDialogClearOfTheHits(editor);
        editor.view().CloseSearch();
    }
}

TEST_F(EditorWindowTest, ADisabledPictureButtonShowsItsPictureGreyed) {
    CEditorDlg& editor = Open({MakeFolder("Web", kInternetCategory, {test::LoginRecord("no web address")})});
    HWND launch = GetDlgItem(editor.view().hwnd(), IDC_LAUNCH_URL);
    ASSERT_FALSE(IsWindowEnabled(launch));
    Pump(200);
    RECT client{};
    GetClientRect(launch, &client);
    std::set<COLORREF> shades;
    bool allGrey = true;
    for (int y = client.bottom / 2 - 8; y < client.bottom / 2 + 8; ++y) {
        for (int x = client.right / 2 - 8; x < client.right / 2 + 8; ++x) {
            const COLORREF pixel = ScreenPixel(launch, POINT{x, y});
            shades.insert(pixel);
            allGrey = allGrey && GetRValue(pixel) == GetGValue(pixel) && GetGValue(pixel) == GetBValue(pixel);
        }
    }
    EXPECT_TRUE(allGrey);
    EXPECT_GE(shades.size(), 4u);  // a picture, not a tile of one or two colours
}

// The pixels of picture `index` of the menu strip, row by row.
std::vector<COLORREF> MenuPicture(int index) {
    HBITMAP strip = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_MENU_IMAGES), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    std::vector<COLORREF> pixels;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, strip);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) pixels.push_back(GetPixel(dc, index * 16 + x, y));
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(strip);
    return pixels;
}

// How picture `picture` shows in item `rect` (screen pixels) of an open
// menu: whether it is there as it is, and how many of its transparent pixels
// do not show the item's background.
struct MenuPictureSeen {
    bool found = false;
    int wrongBackground = 0;
};

MenuPictureSeen LookAtMenuPicture(const RECT& rect, const std::vector<COLORREF>& picture) {
    MenuPictureSeen seen;
    HDC screen = GetDC(nullptr);
    const COLORREF background = GetPixel(screen, rect.right - 4, (rect.top + rect.bottom) / 2);
    for (int dy = 0; dy + 16 <= rect.bottom - rect.top && !seen.found; ++dy) {
        for (int dx = 0; dx < 40 && !seen.found; ++dx) {
            bool same = true;
            int wrong = 0;
            for (int i = 0; i < 256 && same; ++i) {
                const COLORREF shown = GetPixel(screen, rect.left + dx + i % 16, rect.top + dy + i / 16);
                if (picture[static_cast<std::size_t>(i)] == RGB(255, 0, 255)) {
                    wrong += shown != background ? 1 : 0;
                } else {
                    same = shown == picture[static_cast<std::size_t>(i)];
                }
            }
            if (same) seen = MenuPictureSeen{true, wrong};
        }
    }
    ReleaseDC(nullptr, screen);
    return seen;
}

std::function<void()>* gMenuTick = nullptr;

void CALLBACK MenuTick(HWND, UINT, UINT_PTR, DWORD) {
    if (gMenuTick != nullptr) (*gMenuTick)();
}

TEST_F(EditorWindowTest, MenuPicturesLieOnTheItemsBackgroundPlainOrHighlighted) {
    CEditorDlg& editor = Open({MakeFolder("Web", kInternetCategory, {test::LoginRecord("site")})});
    SetForegroundWindow(editor.hwnd());
    HMENU file = GetSubMenu(GetMenu(editor.hwnd()), 0);
    MenuPictureSeen highlighted;  // "New", the first item, highlighted as the menu opens from the keyboard
    MenuPictureSeen plain;        // "Open"
    bool looked = false;
    int ticksOpen = 0;
    std::function<void()> tick = [&] {
        if (looked || FindWindows({GetCurrentProcessId(), "", "#32768", true}).empty()) return;
        if (++ticksOpen < 3) return;  // the menu has drawn itself
        RECT first{};
        RECT second{};
        GetMenuItemRect(editor.hwnd(), file, 0, &first);
        GetMenuItemRect(editor.hwnd(), file, 1, &second);
        highlighted = LookAtMenuPicture(first, MenuPicture(0));
        plain = LookAtMenuPicture(second, MenuPicture(1));
        looked = true;
        EndMenu();
    };
    gMenuTick = &tick;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, MenuTick);
    PostMessageA(editor.hwnd(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
    EXPECT_TRUE(WaitUntil([&] { return looked; }, 5000));
    KillTimer(nullptr, timer);
    gMenuTick = nullptr;
    EXPECT_TRUE(highlighted.found);
    EXPECT_EQ(highlighted.wrongBackground, 0);
    EXPECT_TRUE(plain.found);
    EXPECT_EQ(plain.wrongBackground, 0);
}

}  // namespace
}  // namespace kv
