// The program's web-form windows: the Add Web Form dialog and the AutoFill
// pop-up, opened by the main window's handlers, and the program's side of
// what those dialogs and the editor ask of it (the database, filling a record).
#pragma once

#include <memory>

#include "app/WebFormDialogs.h"
#include "webforms/ui/WebFormHost.h"

namespace kv {

class CPasswordApp;

std::unique_ptr<WebFormDialogs> MakeAppWebForms(CPasswordApp& app);
// What the editor and the dialogs ask the program for, or null.
WebFormHost* WebFormHostOf(WebFormDialogs& dialogs);

}  // namespace kv
