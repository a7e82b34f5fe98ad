// The registered window messages of the program, registered by name when
// the program loads; other instances and the browser helper use the same names.
#pragma once

#include <windows.h>

namespace kv::messages {

extern const UINT ShowDlg;       // "PASSWORDShowDlgMsg": a second start asks to show the editor
extern const UINT Shutdown;      // "PASSWORDShutdownMsg": a second start with a file asks to quit
extern const UINT IePopup;       // "PASSWORDIePopupMsg": show the web-form menu for a browser
extern const UINT Taskbar;       // "PASSWORDTaskbarMsg": the notification icon's callback
extern const UINT OnInit;        // "PASSWORDOnInitMsg": the editor's first paint is done
extern const UINT FillForm;      // "KelvandorFillForm": fill a record by opening its site (folder, record)
extern const UINT BhoForm;       // "KelvandorBHOForm": a page with a password form loaded, or a fill ended
extern const UINT BhoFill;       // "KelvandorBHOFill": fill the chosen record into the browser
extern const UINT BhoCommand;    // "KelvandorBHOECommand": a command of the helper's menu, or its state query

}  // namespace kv::messages
