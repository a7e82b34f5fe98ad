#include "desktop/RegisteredMessages.h"

#include "protocol/MessageNames.h"

namespace kv::messages {

const UINT ShowDlg = RegisterWindowMessageA(protocol::kShowDlgMessage);
const UINT Shutdown = RegisterWindowMessageA(protocol::kShutdownMessage);
const UINT IePopup = RegisterWindowMessageA(protocol::kIePopupMessage);
const UINT Taskbar = RegisterWindowMessageA(protocol::kTaskbarMessage);
const UINT OnInit = RegisterWindowMessageA(protocol::kOnInitMessage);
const UINT FillForm = RegisterWindowMessageA(protocol::kFillFormMessage);
const UINT BhoForm = RegisterWindowMessageA(protocol::kBhoFormMessage);
const UINT BhoFill = RegisterWindowMessageA(protocol::kBhoFillMessage);
const UINT BhoCommand = RegisterWindowMessageA(protocol::kBhoCommandMessage);

}  // namespace kv::messages
