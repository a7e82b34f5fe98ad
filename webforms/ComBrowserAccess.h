// The browser reached through its automation interfaces: the shell's list of
// browser windows, the browser object and its HTML document.
#pragma once

#include <windows.h>
#include <exdisp.h>

#include <functional>
#include <memory>

#include "platform/ComPtr.h"
#include "webforms/BrowserAccess.h"

namespace kv {

// Where the list of open browser windows comes from: the shell's, unless a
// test gives its own.
using ShellWindowsSource = std::function<ComPtr<IShellWindows>()>;

std::unique_ptr<BrowserAccess> MakeComBrowserAccess(ShellWindowsSource source = {});

}  // namespace kv
