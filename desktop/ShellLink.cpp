#include "desktop/ShellLink.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/ComPtr.h"
#include "platform/WideText.h"

namespace kv {
namespace {

// A path in UTF-16, as the link's file interface takes it.
std::wstring WidePath(const std::string& path) {
    const std::optional<WipedWide> wide = Widen(CP_ACP, 0, path);
    return wide ? std::wstring(wide->c_str()) : std::wstring();
}

ComPtr<IShellLinkA> NewShellLink() {
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.ReceiveVoid()))) {
        return {};
    }
    return link;
}

}  // namespace

bool SaveShellLink(const std::string& file, const ShellLinkSpec& spec) {
    const ComPtr<IShellLinkA> link = NewShellLink();
    if (!link) return false;
    link->SetPath(spec.target.c_str());
    link->SetArguments(spec.arguments.c_str());
    link->SetDescription(spec.description.c_str());
    link->SetHotkey(0);
    link->SetIconLocation(spec.iconPath.c_str(), spec.iconIndex);
    const ComPtr<IPersistFile> persist = link.As<IPersistFile>();
    return persist && SUCCEEDED(persist->Save(WidePath(file).c_str(), TRUE));
}

}  // namespace kv
