#include "app/RegisteredMessages.h"

namespace kv::messages {

const UINT ShowDlg = RegisterWindowMessageA("PASSWORDShowDlgMsg");
const UINT Shutdown = RegisterWindowMessageA("PASSWORDShutdownMsg");
const UINT IePopup = RegisterWindowMessageA("PASSWORDIePopupMsg");
const UINT Taskbar = RegisterWindowMessageA("PASSWORDTaskbarMsg");
const UINT OnInit = RegisterWindowMessageA("PASSWORDOnInitMsg");
const UINT FillForm = RegisterWindowMessageA("KelvandorFillForm");

}  // namespace kv::messages
