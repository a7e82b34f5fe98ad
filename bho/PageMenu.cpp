#include "bho/PageMenu.h"

#include <docobj.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "bho/BrowserParts.h"
#include "bho/MenuChoice.h"
#include "bho/Module.h"
#include "platform/ComPtr.h"
#include "platform/Win32Handles.h"
#include "protocol/CopyDataRecord.h"
#include "protocol/MessageNames.h"
#include "protocol/SharedBlock.h"

namespace kv::bho {
namespace {

constexpr int kBrowserMenus = 24641;  // in the browser's SHDOCLC.DLL
constexpr int kHelperMenu = 205;
constexpr UINT kEncodingItem = 2292;
constexpr DWORD kEncodingMenuCommand = 27;
constexpr DWORD kMenuExtensionsCommand = 53;
constexpr int kAutoFillPosition = 4;  // in the helper's popup
const UINT kCommandMessage = RegisterWindowMessageA(protocol::kBhoCommandMessage);
const UINT kFillMessage = RegisterWindowMessageA(protocol::kBhoFillMessage);
const GUID kShellDocView = {0x000214D1, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// The helper's popup while it is tracked, for the page pane's replaced
// window procedure (one menu at a time in each of the browser's threads).
struct Tracked {
    HMENU helper = nullptr;
    HMENU autoFill = nullptr;
    UINT lockEnable = MF_ENABLED;
    UINT lockCheck = MF_UNCHECKED;
    WNDPROC previous = nullptr;
};
thread_local Tracked* tracked = nullptr;

void ApplyLockFlags(const Tracked& menu) {
    EnableMenuItem(menu.helper, protocol::kCommandLock, MF_BYCOMMAND | menu.lockEnable);
    CheckMenuItem(menu.helper, protocol::kCommandLock, MF_BYCOMMAND | menu.lockCheck);
}

// The page pane answers the opening of the helper's popups itself: the
// browser's own handling would grey the commands it does not know.
LRESULT CALLBACK PaneProcedure(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
    const Tracked* menu = tracked;
    if (menu == nullptr) return DefWindowProcA(pane, message, wParam, lParam);
    const HMENU popup = reinterpret_cast<HMENU>(wParam);
    if (message == WM_INITMENUPOPUP && (popup == menu->helper || popup == menu->autoFill)) {
        EnableMenuItem(popup, 0, MF_BYPOSITION | MF_ENABLED);
        ApplyLockFlags(*menu);
        return 0;
    }
    return CallWindowProcA(menu->previous, pane, message, wParam, lParam);
}

// The browser's own menu for the context, with its encodings and extensions.
HMENU BrowserMenu(HMENU loaded, DWORD context, IOleCommandTarget* target, bool& commandFailed) {
    HMENU menu = loaded != nullptr ? GetSubMenu(loaded, static_cast<int>(context)) : nullptr;
    if (menu == nullptr) return nullptr;
    VARIANT encodings;
    VariantInit(&encodings);
    if (FAILED(target->Exec(&kShellDocView, kEncodingMenuCommand, 0, nullptr, &encodings))) {
        commandFailed = true;
    } else if (encodings.byref != nullptr) {
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_SUBMENU;
        item.hSubMenu = static_cast<HMENU>(encodings.byref);
        SetMenuItemInfoA(menu, kEncodingItem, FALSE, &item);
    }
    VARIANT menuArgument;
    VariantInit(&menuArgument);
    menuArgument.vt = VT_INT_PTR;
    menuArgument.byref = menu;
    VARIANT contextArgument;
    VariantInit(&contextArgument);
    contextArgument.vt = VT_I4;
    contextArgument.lVal = static_cast<LONG>(context);
    if (FAILED(target->Exec(&kShellDocView, kMenuExtensionsCommand, 0, &menuArgument, &contextArgument))) {
        commandFailed = true;
    }
    return menu;
}

// Asks the program for the site's records and lists them under "Auto&Fill
// form"; the item data of each, in order.
std::vector<std::uint32_t> ListSiteRecords(HWND main, HWND pane, IWebBrowser2* browser, HMENU autoFill) {
    std::vector<std::uint32_t> listed;
    Bstr location;
    if (browser == nullptr || FAILED(browser->get_LocationURL(location.Receive()))) return listed;
    protocol::CopyDataRecord request;
    request.kind = protocol::CopyDataKind::ContextMenu;
    // The record carries as much of the address as it holds.
    request.address = AnsiText(location.get(), protocol::kCopyDataAddressSize);
    request.browserWindow = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(pane));
    unsigned char bytes[protocol::kCopyDataSize] = {};
    protocol::EncodeCopyData(request, bytes);
    COPYDATASTRUCT data{0, protocol::kCopyDataSize, bytes};
    SendMessageA(main, WM_COPYDATA, reinterpret_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(&data));

    // The block as it is now, read once: the program may write it again at any time.
    KernelHandle mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, protocol::kSharedBlockName));
    if (!mapping) return listed;
    const MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, protocol::kSharedBlockSize));
    if (!view) return listed;
    unsigned char block[protocol::kSharedBlockSize];
    std::memcpy(block, view.get(), sizeof block);
    for (const protocol::SiteEntry& entry : protocol::ReadSiteEntries(block)) {
        const UINT id = kFirstRecordItem + static_cast<UINT>(listed.size());
        AppendMenuA(autoFill, MF_STRING, id, entry.description.c_str());
        const std::uint32_t itemData = protocol::PackFillTarget(static_cast<std::uint32_t>(entry.folder),
                                                                static_cast<std::uint32_t>(entry.record));
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_DATA;
        item.dwItemData = itemData;
        SetMenuItemInfoA(autoFill, id, FALSE, &item);
        listed.push_back(itemData);
    }
    return listed;
}

void Route(const MenuChoiceAction& action, HWND main, HWND pane, HWND browserWindow) {
    switch (action.kind) {
        case MenuChoiceKind::Nothing:
            break;
        case MenuChoiceKind::ProgramCommand:
            PostMessageA(main, kCommandMessage, action.command, reinterpret_cast<LPARAM>(browserWindow));
            break;
        case MenuChoiceKind::Fill:
            PostMessageA(main, kFillMessage, reinterpret_cast<WPARAM>(browserWindow),
                         static_cast<LPARAM>(action.itemData));
            break;
        case MenuChoiceKind::Browser:
            SendMessageA(pane, WM_COMMAND, action.command, 0);
            break;
    }
}

}  // namespace

HRESULT ShowPageMenu(DWORD context, POINT at, IUnknown* commandTarget, IWebBrowser2* browser) {
    if (commandTarget == nullptr) return S_FALSE;
    const HWND main = FindWindowA(protocol::kMainWindowClass, nullptr);
    ComPtr<IOleCommandTarget> target;
    ComPtr<IOleWindow> window;
    HWND pane = nullptr;
    if (FAILED(commandTarget->QueryInterface(IID_IOleCommandTarget, target.ReceiveVoid())) || !target ||
        FAILED(commandTarget->QueryInterface(IID_IOleWindow, window.ReceiveVoid())) || !window ||
        FAILED(window->GetWindow(&pane)) || pane == nullptr) {
        return S_FALSE;
    }

    bool commandFailed = false;
    const LoadedLibrary browserLibrary(LoadLibraryExA("SHDOCLC.DLL", nullptr, LOAD_LIBRARY_AS_DATAFILE));
    const MenuHandle browserMenus(browserLibrary ? LoadMenuA(browserLibrary.get(), MAKEINTRESOURCEA(kBrowserMenus))
                                                 : nullptr);
    HMENU own = BrowserMenu(browserMenus.get(), context, target.get(), commandFailed);
    // Without the browser's menus (another browser, or none installed) the menu starts empty.
    const MenuHandle empty(own == nullptr ? CreatePopupMenu() : nullptr);
    const HMENU menu = own != nullptr ? own : empty.get();

    Tracked helper;
    const MenuHandle helperMenus(main != nullptr ? LoadMenuA(ModuleHandle(), MAKEINTRESOURCEA(kHelperMenu)) : nullptr);
    std::vector<std::uint32_t> records;
    if (helperMenus) {
        helper.helper = GetSubMenu(helperMenus.get(), 0);
        helper.autoFill = GetSubMenu(helper.helper, kAutoFillPosition);
        InsertMenuA(menu, 0, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(helper.helper), "Kelvandor");
        InsertMenuA(menu, 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
        records = ListSiteRecords(main, pane, browser, helper.autoFill);
        if (records.empty()) EnableMenuItem(helper.helper, kAutoFillPosition, MF_BYPOSITION | MF_GRAYED);
        const auto state = static_cast<std::uint32_t>(SendMessageA(main, kCommandMessage, protocol::kStateQuery, 0));
        helper.lockEnable = state & 0xFFFFu;
        helper.lockCheck = state >> 16;
        ApplyLockFlags(helper);
        if (helper.lockCheck != 0) EnableMenuItem(helper.helper, protocol::kCommandAddWebForm, MF_BYCOMMAND | MF_GRAYED);
    }

    helper.previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(pane, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PaneProcedure)));
    tracked = &helper;
    const auto choice = static_cast<unsigned>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, pane, nullptr));
    tracked = nullptr;
    SetWindowLongPtrA(pane, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(helper.previous));
    // The encodings are the browser's: they do not go with its menu resource.
    if (own != nullptr) {
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_SUBMENU;
        SetMenuItemInfoA(own, kEncodingItem, FALSE, &item);
    }
    // The helper's popup goes with its own menu, not with the browser's.
    if (helperMenus) RemoveMenu(menu, 0, MF_BYPOSITION);

    Route(RouteMenuChoice(choice, main != nullptr, records), main, pane, BrowserWindowOf(browser));
    return commandFailed ? S_FALSE : S_OK;
}

}  // namespace kv::bho
