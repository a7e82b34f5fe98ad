#include "desktop/Clipboard.h"

#include <windows.h>

#include <cstring>

#include "desktop/MessageBox.h"

namespace kv {
namespace {

// Marks copied values so that clipboard history, the cloud clipboard and
// clipboard monitors leave them out.
void MarkPrivate() {
    for (const char* format : {"ExcludeClipboardContentFromMonitorProcessing", "CanIncludeInClipboardHistory",
                               "CanUploadToCloudClipboard"}) {
        HGLOBAL zero = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DWORD));
        if (zero == nullptr) continue;
        if (SetClipboardData(RegisterClipboardFormatA(format), zero) == nullptr) GlobalFree(zero);
    }
}

}  // namespace

ClipboardMemory& CopiedText() {
    static ClipboardMemory memory;
    return memory;
}

bool CopyToClipboard(std::string_view text) {
    CopiedText().Remember(text, GetTickCount());
    if (!OpenClipboard(nullptr)) {
        ShowMessage("Unable to copy text to the clipboard");
        return false;
    }
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
    bool copied = false;
    if (memory != nullptr) {
        if (void* target = GlobalLock(memory)) {
            std::memcpy(target, text.data(), text.size());
            GlobalUnlock(memory);
            EmptyClipboard();
            copied = SetClipboardData(CF_TEXT, memory) != nullptr;
            if (copied) MarkPrivate();
        }
        if (!copied) GlobalFree(memory);
    }
    CloseClipboard();
    return copied;
}

std::optional<SecretString> SystemClipboard::Text() {
    HANDLE data = GetClipboardData(CF_TEXT);
    if (data == nullptr) return std::nullopt;
    const char* chars = static_cast<const char*>(GlobalLock(data));
    if (chars == nullptr) return std::nullopt;
    SecretString text(std::string_view(chars, strnlen(chars, GlobalSize(data))));
    GlobalUnlock(data);
    return text;
}

std::optional<std::string> ClipboardText() {
    SystemClipboard clipboard(nullptr);
    if (!clipboard.Open()) return std::nullopt;
    const std::optional<SecretString> text = clipboard.Text();
    clipboard.Close();
    if (!text) return std::nullopt;
    return std::string(text->view());
}

}  // namespace kv
