// Thin wrappers of the standard and common controls: each holds the handle
// of one control and offers its messages as typed member functions.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace ui {

// The whole text of a window.
std::string WindowText(HWND window);

// The height of a line of the window's font, in pixels.
int FontLineHeight(HWND window);

class Control {
public:
    Control() = default;
    explicit Control(HWND hwnd) : hwnd_(hwnd) {}

    void Attach(HWND hwnd) { hwnd_ = hwnd; }
    void Attach(HWND parent, int id) { hwnd_ = GetDlgItem(parent, id); }
    HWND hwnd() const { return hwnd_; }
    int Id() const { return GetDlgCtrlID(hwnd_); }

    void Enable(bool enable) const { EnableWindow(hwnd_, enable ? TRUE : FALSE); }
    bool IsEnabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
    void Show(bool show) const { ShowWindow(hwnd_, show ? SW_SHOW : SW_HIDE); }
    bool IsVisible() const { return IsWindowVisible(hwnd_) != FALSE; }
    std::string Text() const;
    void SetText(const std::string& text) const { SetText(text.c_str()); }
    void SetText(const char* text) const { SetWindowTextA(hwnd_, text); }
    void Focus() const { SetFocus(hwnd_); }
    // The control's rectangle in its parent's client coordinates.
    RECT Rect() const;
    void Move(const RECT& rect, bool repaint = true) const;
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(hwnd_, message, wParam, lParam);
    }

private:
    HWND hwnd_ = nullptr;
};

class Button : public Control {
public:
    using Control::Control;
    bool IsChecked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
    void SetChecked(bool checked) const { Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
    void Click() const { Send(BM_CLICK); }
};

class Edit : public Control {
public:
    using Control::Control;
    void LimitText(int characters) const { Send(EM_LIMITTEXT, static_cast<WPARAM>(characters)); }
    void SetPasswordChar(char c) const { Send(EM_SETPASSWORDCHAR, static_cast<WPARAM>(static_cast<unsigned char>(c))); }
    void Select(int start, int end) const { Send(EM_SETSEL, static_cast<WPARAM>(start), end); }
    void SelectAll() const { Select(0, -1); }
};

class ComboBox : public Control {
public:
    using Control::Control;
    int Add(const std::string& text) const { return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()))); }
    void Clear() const { Send(CB_RESETCONTENT); }
    int Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }
    int Selection() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    void Select(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    std::string ItemText(int index) const;
};

class ListBox : public Control {
public:
    using Control::Control;
    // Inserts an entry carrying `data` at `index` (-1: at the end); its index.
    int Insert(int index, const std::string& text, LPARAM data) const;
    void Remove(int index) const { Send(LB_DELETESTRING, static_cast<WPARAM>(index)); }
    void Clear() const { Send(LB_RESETCONTENT); }
    int Count() const { return static_cast<int>(Send(LB_GETCOUNT)); }
    // The selected entry, or -1.
    int Selection() const { return static_cast<int>(Send(LB_GETCURSEL)); }
    void Select(int index) const { Send(LB_SETCURSEL, static_cast<WPARAM>(index)); }
    std::string ItemText(int index) const;
    LPARAM ItemData(int index) const { return static_cast<LPARAM>(Send(LB_GETITEMDATA, static_cast<WPARAM>(index))); }
};

class StatusBar : public Control {
public:
    // Creates a status bar at the bottom of `parent`.
    bool Create(HWND parent, int id);
    // The right edges of the panes in client pixels; -1 extends to the edge.
    void SetParts(const std::vector<int>& rightEdges) const;
    void SetPaneText(int pane, const std::string& text) const;
    std::string PaneText(int pane) const;
    int Height() const;
    // Follows the size of the parent; call on the parent's WM_SIZE.
    void Resize() const { Send(WM_SIZE); }
};

class TreeView : public Control {
public:
    using Control::Control;
    HTREEITEM Insert(HTREEITEM parent, const std::string& text, LPARAM data, int image = 0, int selectedImage = 0,
                     HTREEITEM after = TVI_LAST) const;
    // Inserts an item whose text the parent window supplies (TVN_GETDISPINFO)
    // and that shows an expand button while `hasChildren`, before any child is inserted.
    HTREEITEM InsertWithCallbackText(HTREEITEM parent, LPARAM data, int image, int selectedImage, bool hasChildren,
                                     HTREEITEM after = TVI_LAST) const;
    bool Delete(HTREEITEM item) const { return Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)) != 0; }
    void DeleteAll() const { Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)); }
    HTREEITEM Root() const { return Next(nullptr, TVGN_ROOT); }
    HTREEITEM Child(HTREEITEM item) const { return Next(item, TVGN_CHILD); }
    HTREEITEM NextSibling(HTREEITEM item) const { return Next(item, TVGN_NEXT); }
    HTREEITEM Parent(HTREEITEM item) const { return Next(item, TVGN_PARENT); }
    HTREEITEM Selection() const { return Next(nullptr, TVGN_CARET); }
    bool Select(HTREEITEM item) const { return Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0; }
    // The item after `item` in pre-order (first child, next sibling, or the
    // next sibling of the nearest ancestor that has one).
    HTREEITEM NextInPreOrder(HTREEITEM item) const;
    std::string ItemText(HTREEITEM item) const;
    void SetItemText(HTREEITEM item, const std::string& text) const;
    LPARAM ItemData(HTREEITEM item) const;
    void Expand(HTREEITEM item, UINT action = TVE_EXPAND) const { Send(TVM_EXPAND, action, reinterpret_cast<LPARAM>(item)); }
    int Count() const { return static_cast<int>(Send(TVM_GETCOUNT)); }
    void SetImageList(HIMAGELIST images) const { Send(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images)); }

    void EnsureVisible(HTREEITEM item) const { Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item)); }
    // The item at a point of the tree's client area (beside an item too).
    HTREEITEM HitTest(POINT client) const;
    // The item whose label or image is at a point of the screen, or null.
    HTREEITEM ItemAt(POINT screen) const;
    // The rectangle of an item's text in client coordinates (empty when not shown).
    RECT ItemTextRect(HTREEITEM item) const;

private:
    HTREEITEM InsertItem(TVINSERTSTRUCTA& insert) const {
        return reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    HTREEITEM Next(HTREEITEM item, UINT relation) const {
        return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }
};

class ListView : public Control {
public:
    using Control::Control;
    int InsertColumn(int index, const std::string& text, int width, int format = LVCFMT_LEFT) const;
    int ColumnCount() const;
    void DeleteColumn(int index) const { Send(LVM_DELETECOLUMN, static_cast<WPARAM>(index)); }
    int InsertItem(int index, const std::string& text, LPARAM data = 0, int image = -1) const;
    void SetItemText(int index, int column, const std::string& text) const;
    std::string ItemText(int index, int column) const;
    LPARAM ItemData(int index) const;
    int Count() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    // For an owner-data list: the number of rows it shows.
    void SetVirtualCount(int count) const { Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOSCROLL); }
    void DeleteAll() const { Send(LVM_DELETEALLITEMS); }
    // The next selected row after `after` (-1 to start), or -1.
    int NextSelected(int after = -1) const { return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(after), LVNI_SELECTED)); }
    void SetSelected(int index, bool selected) const;
    void SetExtendedStyle(DWORD style) const { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, style, style); }
    HWND Header() const { return reinterpret_cast<HWND>(Send(LVM_GETHEADER)); }
    void SetImageList(HIMAGELIST images, int kind = LVSIL_SMALL) const { Send(LVM_SETIMAGELIST, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(images)); }
    void EnsureVisible(int index) const { Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE); }
};

}  // namespace ui
