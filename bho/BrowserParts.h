// What the helper reads off the browser: the window it stands for, and the
// texts it hands over in UTF-16, as the program's messages carry them.
#pragma once

#include <windows.h>
#include <exdisp.h>

#include <cstddef>
#include <string>

namespace kv::bho {

// The browser's own window, or failing that its OLE window; null without a browser.
HWND BrowserWindowOf(IWebBrowser2* browser);

// The text in the ANSI code page, at most `limit` bytes of it.
std::string AnsiText(BSTR text, std::size_t limit);

}  // namespace kv::bho
