#include "uikit/Controls.h"

#include <cstring>

#include "platform/Win32Handles.h"

namespace ui {
namespace {

std::string FromBuffer(const std::vector<char>& buffer) { return std::string(buffer.data()); }

}  // namespace

std::string WindowText(HWND window) {
    // Read straight into the string returned, so that a password read here
    // leaves no second copy behind in freed memory.
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)), '\0');
    const int copied = GetWindowTextA(window, text.data(), static_cast<int>(text.size()) + 1);
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

int FontLineHeight(HWND window) {
    const kv::WindowDc dc(window);
    const kv::SelectedObject font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.get(), &metrics);
    return metrics.tmHeight;
}

std::string Control::Text() const { return WindowText(hwnd_); }

RECT Control::Rect() const {
    RECT rect{};
    GetWindowRect(hwnd_, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void Control::Move(const RECT& rect, bool repaint) const {
    MoveWindow(hwnd_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint ? TRUE : FALSE);
}

std::string ComboBox::ItemText(int index) const {
    const LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length < 0) return {};
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    return FromBuffer(buffer);
}

int ListBox::Insert(int index, const std::string& text, LPARAM data) const {
    const int at = static_cast<int>(Send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str())));
    if (at >= 0) Send(LB_SETITEMDATA, static_cast<WPARAM>(at), data);
    return at;
}

std::string ListBox::ItemText(int index) const {
    const LRESULT length = Send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length < 0) return {};
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    return FromBuffer(buffer);
}

bool StatusBar::Create(HWND parent, int id) {
    Attach(CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr));
    return hwnd() != nullptr;
}

void StatusBar::SetParts(const std::vector<int>& rightEdges) const {
    std::vector<int> edges = rightEdges;
    Send(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void StatusBar::SetPaneText(int pane, const std::string& text) const {
    Send(SB_SETTEXTA, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text.c_str()));
}

std::string StatusBar::PaneText(int pane) const {
    const LRESULT length = LOWORD(Send(SB_GETTEXTLENGTHA, static_cast<WPARAM>(pane)));
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    Send(SB_GETTEXTA, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(buffer.data()));
    return FromBuffer(buffer);
}

int StatusBar::Height() const {
    RECT rect{};
    GetWindowRect(hwnd(), &rect);
    return rect.bottom - rect.top;
}

HTREEITEM TreeView::Insert(HTREEITEM parent, const std::string& text, LPARAM data, int image, int selectedImage,
                           HTREEITEM after) const {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent != nullptr ? parent : TVI_ROOT;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.lParam = data;
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    return InsertItem(insert);
}

HTREEITEM TreeView::InsertWithCallbackText(HTREEITEM parent, LPARAM data, int image, int selectedImage,
                                           bool hasChildren, HTREEITEM after) const {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent != nullptr ? parent : TVI_ROOT;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    insert.item.pszText = LPSTR_TEXTCALLBACKA;
    insert.item.lParam = data;
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    insert.item.cChildren = hasChildren ? 1 : 0;
    return InsertItem(insert);
}

RECT TreeView::ItemTextRect(HTREEITEM item) const {
    // The message takes the item in the rectangle's first bytes.
    RECT rect{};
    std::memcpy(&rect, &item, sizeof item);
    if (Send(TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)) == 0) return RECT{};
    return rect;
}

HTREEITEM TreeView::HitTest(POINT client) const {
    TVHITTESTINFO hit{};
    hit.pt = client;
    return reinterpret_cast<HTREEITEM>(Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

HTREEITEM TreeView::ItemAt(POINT screen) const {
    TVHITTESTINFO hit{};
    hit.pt = screen;
    ScreenToClient(hwnd(), &hit.pt);
    HTREEITEM item = reinterpret_cast<HTREEITEM>(Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & TVHT_ONITEM) != 0 ? item : nullptr;
}

HTREEITEM TreeView::NextInPreOrder(HTREEITEM item) const {
    if (HTREEITEM child = Child(item)) return child;
    for (HTREEITEM at = item; at != nullptr; at = Parent(at)) {
        if (HTREEITEM sibling = NextSibling(at)) return sibling;
    }
    return nullptr;
}

std::string TreeView::ItemText(HTREEITEM item) const {
    // Labels are limited only by the path rule of 260 characters.
    std::vector<char> buffer(1024, '\0');
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = buffer.data();
    tv.cchTextMax = static_cast<int>(buffer.size());
    Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return FromBuffer(buffer);
}

void TreeView::SetItemText(HTREEITEM item, const std::string& text) const {
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = const_cast<char*>(text.c_str());
    Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
}

LPARAM TreeView::ItemData(HTREEITEM item) const {
    TVITEMA tv{};
    tv.mask = TVIF_PARAM;
    tv.hItem = item;
    Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return tv.lParam;
}

int ListView::InsertColumn(int index, const std::string& text, int width, int format) const {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<char*>(text.c_str());
    return static_cast<int>(Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)));
}

int ListView::ColumnCount() const {
    return static_cast<int>(SendMessageA(Header(), HDM_GETITEMCOUNT, 0, 0));
}

int ListView::InsertItem(int index, const std::string& text, LPARAM data, int image) const {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | (image >= 0 ? LVIF_IMAGE : 0);
    item.iItem = index;
    item.pszText = const_cast<char*>(text.c_str());
    item.lParam = data;
    item.iImage = image;
    return static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListView::SetItemText(int index, int column, const std::string& text) const {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

std::string ListView::ItemText(int index, int column) const {
    std::vector<char> buffer(1024, '\0');
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    Send(LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return FromBuffer(buffer);
}

LPARAM ListView::ItemData(int index) const {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

void ListView::SetSelected(int index, bool selected) const {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

}  // namespace ui
