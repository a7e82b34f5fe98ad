#include "hooklib/KeyInput.h"

#include <cstring>

#include "hooklib/SendKeysResult.h"
#include "platform/SecureWipe.h"

namespace kv::keys {
namespace {

// Limits of the wait for a window of this thread to read its keys.
constexpr DWORD kDeliveryLimitMs = 3000;
constexpr DWORD kQuietMs = 100;

bool IsKeyMessage(UINT message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

bool OwnedByThisThread(HWND window) {
    return window != nullptr && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

std::vector<INPUT> InputsOf(const std::vector<KeyEvent>& events) {
    std::vector<INPUT> inputs(events.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = static_cast<WORD>(events[i].key);
        inputs[i].ki.wScan = static_cast<WORD>(MapVirtualKeyA(events[i].key, MAPVK_VK_TO_VSC) & 0xFF);
        inputs[i].ki.dwFlags = events[i].down ? 0 : KEYEVENTF_KEYUP;
    }
    return inputs;
}

// Sends the inputs; returns how many the system took.
std::size_t Send(std::vector<INPUT>& inputs) {
    const UINT taken = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    SecureWipe(inputs.data(), inputs.size() * sizeof(INPUT));
    return taken;
}

// A message as the thread's own loop would handle it, with keyboard
// navigation in dialogs.
void Handle(MSG& message) {
    HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    char className[16] = {};
    if (root != nullptr && GetClassNameA(root, className, sizeof className) > 0 &&
        std::strcmp(className, "#32770") == 0 && IsDialogMessageA(root, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

// The system delivers keys to the thread of the foreground window in its
// own time, and a window of this thread only gets them while this thread
// reads its queue. So when the keys go to this thread, pump its messages
// until every key message sent has been read and the characters they make
// handled. The wait is bounded: it also ends when the queue has stayed
// empty for a moment (keys the system gave to another window or dropped)
// and after a time limit in any case, so the caller is never held up.
void DeliverToThisThread(std::size_t keyMessages) {
    const DWORD start = GetTickCount();
    DWORD lastActivity = start;
    std::size_t read = 0;
    for (;;) {
        MSG message{};
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // Leave the quit request for the caller's loop.
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            if (IsKeyMessage(message.message)) ++read;
            lastActivity = GetTickCount();
            Handle(message);
        }
        const DWORD now = GetTickCount();
        if (read >= keyMessages || now - start >= kDeliveryLimitMs) return;
        if (now - lastActivity >= kQuietMs && HIWORD(GetQueueStatus(QS_INPUT)) == 0) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace

int SendKeyEvents(const std::vector<KeyEvent>& events, HWND target) {
    std::vector<INPUT> inputs = InputsOf(events);
    const std::size_t taken = Send(inputs);
    if (taken < events.size()) {
        std::vector<INPUT> releases = InputsOf(ReleasesAfter(events, taken));
        if (!releases.empty()) Send(releases);
        return kKeysRefused;
    }
    if (OwnedByThisThread(target) || OwnedByThisThread(GetForegroundWindow())) DeliverToThisThread(events.size());
    return kKeysTyped;
}

}  // namespace kv::keys
