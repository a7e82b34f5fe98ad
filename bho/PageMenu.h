// The page's context menu as the helper shows it: the browser's own, and,
// while the program runs, a "Kelvandor" popup with the program's commands and
// the records of the page's site, read from the program's shared block.
#pragma once

#include <windows.h>
#include <exdisp.h>

namespace kv::bho {

// Shows the menu at `at` for the page whose command target is
// `commandTarget` and routes the choice; S_FALSE when the browser should
// show its own menu instead, or when one of its commands failed.
HRESULT ShowPageMenu(DWORD context, POINT at, IUnknown* commandTarget, IWebBrowser2* browser);

}  // namespace kv::bho
