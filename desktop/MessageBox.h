// The one routine through which every message reaches the user: caption
// "Kelvandor", no owner, task-modal, brought to the foreground, with the
// program's icon unless the caller asks for a standard one.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace kv {

// Shows the message and returns the button pressed (IDOK, IDYES, ...).
int ShowMessage(const std::string& text, UINT flags = MB_OK);

// While set, messages go to the script instead of the screen; it returns the
// button the user would have pressed.
using MessageScript = std::function<int(const std::string& text, UINT flags)>;
void SetMessageScript(MessageScript script);

}  // namespace kv
