#include "app/TrayTreeView.h"

#include <algorithm>

#include "platform/Locale.h"
#include "platform/SecretString.h"
#include "resources/ColumnBitmaps.h"
#include "resources/bitmaps.h"
#include "uikit/BitmapButton.h"

namespace kv {
namespace {

constexpr int kFolderImage = 0;
constexpr int kOpenFolderImage = 1;
constexpr int kFirstValueImage = 2;

}  // namespace

CTrayTreeView::CTrayTreeView(const PasswordDatabase& db, const AppSettings& settings)
    : settings_(settings), model_(db, settings, SystemLocale()) {}

void CTrayTreeView::Initialise(HWND tree) {
    Attach(tree);
    std::vector<UINT> bitmaps = {IDB_FOLDER, IDB_FOLDER_OPEN};
    bitmaps.insert(bitmaps.end(), std::begin(kColumnBitmaps), std::end(kColumnBitmaps));
    images_ = ui::BuildImageList(bitmaps, 16);
    SetImageList(images_.get());
}

void CTrayTreeView::Rebuild(const FolderTreeModel* editorFolders) {
    SendMessageA(hwnd(), WM_SETREDRAW, FALSE, 0);
    DeleteAll();
    items_.clear();
    populated_.clear();
    handles_.clear();
    if (editorFolders != nullptr) {
        model_.Build(*editorFolders);
    } else {
        model_.BuildFromDatabase();
    }
    // Every folder now; records wait until their folder opens.
    std::vector<std::pair<FolderTreeModel::NodeId, HTREEITEM>> pending = {{FolderTreeModel::kRoot, nullptr}};
    while (!pending.empty()) {
        const auto [node, parent] = pending.back();
        pending.pop_back();
        const std::vector<FolderTreeModel::NodeId>& children = model_.folders().Children(node);
        for (const FolderTreeModel::NodeId child : children) {
            pending.emplace_back(child, Insert({child, -1, 0}, parent, TVI_LAST));
        }
    }
    SendMessageA(hwnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

std::uint64_t CTrayTreeView::KeyOf(const TrayItem& item) {
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(item.node)) << 40 |
           static_cast<std::uint64_t>(static_cast<std::uint32_t>(item.record + 1)) << 8 |
           static_cast<std::uint64_t>(item.cell & 0xFF);
}

HTREEITEM CTrayTreeView::Insert(const TrayItem& item, HTREEITEM parent, HTREEITEM after) {
    const int image = ImageOf(item);
    const int selectedImage = item.IsFolder() ? kOpenFolderImage : image;
    HTREEITEM handle = InsertWithCallbackText(parent, static_cast<LPARAM>(items_.size()), image, selectedImage,
                                              model_.HasChildren(item), after);
    if (handle == nullptr) return nullptr;
    items_.push_back(item);
    populated_.push_back(false);
    handles_[KeyOf(item)] = handle;
    return handle;
}

void CTrayTreeView::InsertChildren(HTREEITEM handle) {
    const LPARAM index = ItemData(handle);
    if (index < 0 || static_cast<std::size_t>(index) >= items_.size() || populated_[static_cast<std::size_t>(index)]) {
        return;
    }
    populated_[static_cast<std::size_t>(index)] = true;
    const TrayItem item = items_[static_cast<std::size_t>(index)];
    if (!item.IsFolder() && item.cell > 0) return;
    // A folder's subfolders are in the tree already: its records go before them.
    HTREEITEM after = TVI_FIRST;
    for (const TrayItem& child : model_.Children(item)) {
        if (child.IsFolder()) break;
        if (HTREEITEM inserted = Insert(child, handle, after)) after = inserted;
    }
}

HTREEITEM CTrayTreeView::HandleOf(const TrayItem& item) const {
    const auto found = handles_.find(KeyOf(item));
    return found == handles_.end() ? nullptr : found->second;
}

TrayItem CTrayTreeView::ItemOf(HTREEITEM handle) const {
    if (handle == nullptr) return {};
    const LPARAM index = ItemData(handle);
    return index >= 0 && static_cast<std::size_t>(index) < items_.size() ? items_[static_cast<std::size_t>(index)]
                                                                         : TrayItem{};
}

void CTrayTreeView::Reveal(const TrayItem& item) {
    std::vector<TrayItem> chain;
    for (TrayItem at = item; at.node != FolderTreeModel::kRoot; at = model_.Parent(at)) chain.push_back(at);
    for (auto above = chain.rbegin(); above != chain.rend(); ++above) {
        HTREEITEM handle = HandleOf(*above);
        if (handle == nullptr) return;
        if (std::next(above) != chain.rend()) {
            InsertChildren(handle);
            Expand(handle);
        }
    }
    if (HTREEITEM target = HandleOf(item)) {
        Select(target);
        EnsureVisible(target);
    }
}

void CTrayTreeView::ExpandAll() {
    SendMessageA(hwnd(), WM_SETREDRAW, FALSE, 0);
    for (HTREEITEM at = Root(); at != nullptr; at = NextInPreOrder(at)) {
        InsertChildren(at);
        Expand(at);
    }
    SendMessageA(hwnd(), WM_SETREDRAW, TRUE, 0);
    if (HTREEITEM first = Root()) EnsureVisible(first);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void CTrayTreeView::CollapseAll() {
    for (HTREEITEM at = Root(); at != nullptr; at = NextInPreOrder(at)) Expand(at, TVE_COLLAPSE);
}

void CTrayTreeView::OnGetDispInfo(NMTVDISPINFOA& info) {
    if ((info.item.mask & TVIF_TEXT) == 0 || info.item.pszText == nullptr || info.item.cchTextMax <= 0) return;
    const SecretString text(model_.Text(ItemOf(info.item.hItem)));
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(info.item.cchTextMax - 1));
    text.view().copy(info.item.pszText, length);
    info.item.pszText[length] = '\0';
}

void CTrayTreeView::OnItemExpanding(const NMTREEVIEWA& info) {
    if ((info.action & TVE_EXPAND) != 0) InsertChildren(info.itemNew.hItem);
}

int CTrayTreeView::ImageOf(const TrayItem& item) const {
    if (item.IsFolder()) return kFolderImage;
    const int column = model_.CellOf(item).column;
    const UINT icon = column >= 0 && column < kNamedColumns
                          ? static_cast<UINT>(settings_.ColumnIcons[static_cast<std::size_t>(column)])
                          : 0;
    return kFirstValueImage + ColumnBitmapIndex(icon);
}

}  // namespace kv
