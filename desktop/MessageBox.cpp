#include "desktop/MessageBox.h"

#include "resources/resource.h"
#include "uikit/Module.h"
#include "uikit/ThreadWindows.h"

namespace kv {
namespace {

MessageScript& Script() {
    static MessageScript script;
    return script;
}

}  // namespace

int ShowMessage(const std::string& text, UINT flags) {
    if (Script()) return Script()(text, flags);
    MSGBOXPARAMSA params{};
    params.cbSize = sizeof params;
    params.hwndOwner = nullptr;
    params.hInstance = ui::Instance();
    params.lpszText = text.c_str();
    params.lpszCaption = "Kelvandor";
    params.dwStyle = flags | MB_SETFOREGROUND;
    if ((flags & MB_SYSTEMMODAL) == 0) params.dwStyle |= MB_TASKMODAL;
    if ((flags & MB_ICONMASK) == 0) {
        params.dwStyle |= MB_USERICON;
        params.lpszIcon = MAKEINTRESOURCEA(IDI_KELVANDOR);
    }
    // The box leaves no window active when it closes: the one that asked gets the keyboard back.
    const ui::FocusKeeper keeper;
    return MessageBoxIndirectA(&params);
}

void SetMessageScript(MessageScript script) { Script() = std::move(script); }

}  // namespace kv
