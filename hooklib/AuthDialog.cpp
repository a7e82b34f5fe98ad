// The authentication-dialog exports of KelvandorKey.dll: a computer-based-
// training hook on the dialog's thread that reads its user name and password
// when the dialog closes, and the fill that writes them into its edits.
// Both sides meet in the ".Shared" section.
#include <windows.h>

#include "hooklib/KelvandorKey.h"
#include "hooklib/SharedSection.h"
#include "platform/SecureWipe.h"
#include "protocol/MessageNames.h"

namespace {

using kv::keys::kSharedTextSize;

constexpr UINT kFillTimeoutMs = 2000;

// Handles are shared as 32-bit values, sign-extended back as the system
// does between 32-bit and 64-bit processes.
std::uint32_t Shared(HANDLE handle) { return static_cast<std::uint32_t>(HandleToLong(handle)); }
HANDLE Local(std::uint32_t value) { return LongToHandle(static_cast<LONG>(value)); }

HMODULE ThisLibrary() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&CBT_Proc), &module);
    return module;
}

void WipeSharedTexts() {
    kv::SecureWipe(szUsername, kSharedTextSize);
    kv::SecureWipe(szPassword, kSharedTextSize);
}

// The dialog's editable edit controls in the system's order: the first is
// the user name, every later one a password field.
struct EditWalk {
    bool write = false;
    int edits = 0;
};

BOOL CALLBACK VisitChild(HWND child, LPARAM lParam) {
    EditWalk& walk = *reinterpret_cast<EditWalk*>(lParam);
    char className[16] = {};
    if (GetClassNameA(child, className, sizeof className) == 0 || lstrcmpiA(className, "edit") != 0) return TRUE;
    if ((GetWindowLongPtrA(child, GWL_STYLE) & ES_READONLY) != 0) return TRUE;
    char* text = walk.edits++ == 0 ? szUsername : szPassword;
    if (walk.write) {
        // The dialog lies in the browser's process, where SetWindowText does
        // not reach: the message carries the text there, and a hung browser
        // cannot hold the program up.
        SendMessageTimeoutA(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, kFillTimeoutMs,
                            nullptr);
    } else {
        GetWindowTextA(child, text, static_cast<int>(kSharedTextSize));
    }
    return TRUE;
}

BOOL WalkEdits(HWND dialog, bool write) {
    EditWalk walk;
    walk.write = write;
    return EnumChildWindows(dialog, VisitChild, reinterpret_cast<LPARAM>(&walk));
}

// Reads the watched dialog and tells the program, once.
void ReportDialog() {
    bMessageSent = 1;
    // A field the dialog lacks reads as empty, not as what an earlier dialog left.
    WipeSharedTexts();
    WalkEdits(static_cast<HWND>(Local(m_hWndIE)), false);
    PostMessageA(static_cast<HWND>(Local(hWndKelvandor)), RegisterWindowMessageA(kv::protocol::kOnSubmitMessage), 1, 0);
    RemoveHook();
}

void CopyCut(char* target, const char* text) { lstrcpynA(target, text ? text : "", static_cast<int>(kSharedTextSize)); }

}  // namespace

extern "C" BOOL WINAPI SetHook(HWND watched, HWND notify) {
    if (hHook != 0) return FALSE;
    m_hWndIE = Shared(watched);
    bMessageSent = 0;
    hWndKelvandor = Shared(notify);
    HWND top = watched;
    while (HWND parent = GetParent(top)) top = parent;
    const DWORD thread = GetWindowThreadProcessId(top, nullptr);
    if (thread == 0) return FALSE;
    const HHOOK hook = SetWindowsHookExA(WH_CBT, CBT_Proc, ThisLibrary(), thread);
    hHook = Shared(hook);
    return hook != nullptr;
}

extern "C" void WINAPI RemoveHook() {
    if (hHook != 0 && UnhookWindowsHookEx(static_cast<HHOOK>(Local(hHook)))) {
        OutputDebugStringA("Hook Removed\n");
        hHook = 0;
    }
}

extern "C" LRESULT CALLBACK CBT_Proc(int code, WPARAM wParam, LPARAM lParam) {
    OutputDebugStringA("CBT HOOK\n");
    if (code < 0) return CallNextHookEx(nullptr, code, wParam, lParam);
    if (code == HCBT_DESTROYWND && bMessageSent == 0) ReportDialog();
    if (bMessageSent != 0) RemoveHook();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" int WINAPI GetFormData(char* username, char* password) {
    CopyCut(username, szUsername);
    CopyCut(password, szPassword);
    // Taken: the texts stay nowhere that other processes can read.
    WipeSharedTexts();
    return 0;
}

extern "C" BOOL WINAPI FillAuthDlg(HWND dialog, const char* username, const char* password) {
    CopyCut(szUsername, username);
    CopyCut(szPassword, password);
    const BOOL walked = IsWindow(dialog) ? WalkEdits(dialog, true) : FALSE;
    WipeSharedTexts();
    return walked;
}

// A library leaving a process ends the hook, for every process (the handle is shared).
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_DETACH) RemoveHook();
    return TRUE;
}
