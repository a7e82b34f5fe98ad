#include "bho/BrowserParts.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "platform/ComPtr.h"
#include "platform/WideText.h"

namespace kv::bho {

HWND BrowserWindowOf(IWebBrowser2* browser) {
    if (browser == nullptr) return nullptr;
    SHANDLE_PTR handle = 0;
    if (SUCCEEDED(browser->get_HWND(&handle)) && handle != 0) return reinterpret_cast<HWND>(handle);
    HWND window = nullptr;
    const ComPtr<IOleWindow> ole = ComPtr<IWebBrowser2>(browser).As<IOleWindow>();
    if (ole) ole->GetWindow(&window);
    return window;
}

std::string AnsiText(BSTR text, std::size_t limit) {
    if (text == nullptr) return {};
    const std::optional<SecretString> narrow = Narrow(CP_ACP, std::wstring_view(text, SysStringLen(text)), false);
    if (!narrow) return {};
    return std::string(narrow->c_str(), std::min(narrow->size(), limit));
}

}  // namespace kv::bho
