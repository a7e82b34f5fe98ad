#include "uikit/MessageLoop.h"

#include <algorithm>
#include <vector>

namespace ui {
namespace {

std::vector<HWND> modelessDialogs;
HWND acceleratorWindow = nullptr;
HACCEL acceleratorTable = nullptr;

bool PreTranslate(MSG& message) {
    if (acceleratorTable != nullptr && acceleratorWindow != nullptr &&
        (message.hwnd == acceleratorWindow || IsChild(acceleratorWindow, message.hwnd)) &&
        TranslateAcceleratorA(acceleratorWindow, acceleratorTable, &message)) {
        return true;
    }
    for (HWND dialog : modelessDialogs) {
        if (IsWindow(dialog) && IsDialogMessageA(dialog, &message)) return true;
    }
    return false;
}

void Handle(MSG& message) {
    if (PreTranslate(message)) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

}  // namespace

int RunMessageLoop() {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) Handle(message);
    return static_cast<int>(message.wParam);
}

void PumpPendingMessages() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Leave the quit request for the real loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Handle(message);
    }
}

void AddModelessDialog(HWND dialog) {
    if (std::find(modelessDialogs.begin(), modelessDialogs.end(), dialog) == modelessDialogs.end()) {
        modelessDialogs.push_back(dialog);
    }
}

void RemoveModelessDialog(HWND dialog) {
    modelessDialogs.erase(std::remove(modelessDialogs.begin(), modelessDialogs.end(), dialog),
                          modelessDialogs.end());
    if (dialog == acceleratorWindow) {
        acceleratorWindow = nullptr;
        acceleratorTable = nullptr;
    }
}

void SetAccelerators(HWND window, HACCEL table) {
    acceleratorWindow = window;
    acceleratorTable = table;
}

}  // namespace ui
