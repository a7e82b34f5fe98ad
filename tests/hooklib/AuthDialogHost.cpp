// auth-dialog-host: plays the browser's authentication dialog in a process of
// its own. Arguments: the texts of its edit controls in order, each
// "ro:TEXT" for a read-only one. WM_APP posted to the dialog closes it, as a
// user's OK would; the program ends with the dialog. The dialog shows once
// all its edits are there.
#include <windows.h>

#include <string>

int main(int argc, char** argv) {
    HWND dialog = CreateWindowExA(0, WC_DIALOG, "Authentication host", WS_OVERLAPPED | WS_CAPTION, 200, 200,
                                  420, 60 + 34 * argc, nullptr, nullptr, nullptr, nullptr);
    if (dialog == nullptr) return 1;
    for (int i = 1; i < argc; ++i) {
        std::string text = argv[i];
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
        if (text.rfind("ro:", 0) == 0) {
            text.erase(0, 3);
            style |= ES_READONLY;
        }
        CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", text.c_str(), style, 10, 10 + 34 * (i - 1), 380, 24, dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + i)), nullptr, nullptr);
    }
    ShowWindow(dialog, SW_SHOWNORMAL);
    MSG message;
    while (IsWindow(dialog) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == dialog && message.message == WM_APP) {
            DestroyWindow(dialog);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
