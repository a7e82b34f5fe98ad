#include "desktop/ShellLink.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/ComPtr.h"
#include "platform/WideText.h"

namespace kv {
namespace {

constexpr int kTextLength = MAX_PATH;

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

std::optional<ShellLinkSpec> ReadShellLink(const std::string& file) {
    const ComPtr<IShellLinkA> link = NewShellLink();
    if (!link) return std::nullopt;
    const ComPtr<IPersistFile> persist = link.As<IPersistFile>();
    if (!persist || FAILED(persist->Load(WidePath(file).c_str(), STGM_READ))) return std::nullopt;
    char text[kTextLength + 1] = {};
    ShellLinkSpec spec;
    // SLGP_RAWPATH: the target as it was written, not resolved anew.
    if (SUCCEEDED(link->GetPath(text, kTextLength, nullptr, SLGP_RAWPATH))) spec.target = text;
    text[0] = '\0';
    if (SUCCEEDED(link->GetArguments(text, kTextLength))) spec.arguments = text;
    text[0] = '\0';
    if (SUCCEEDED(link->GetDescription(text, kTextLength))) spec.description = text;
    text[0] = '\0';
    if (SUCCEEDED(link->GetIconLocation(text, kTextLength, &spec.iconIndex))) spec.iconPath = text;
    return spec;
}

}  // namespace kv
