// The clipboard routine of the program: text put on the clipboard, kept out
// of clipboard history, cloud clipboard and clipboard monitors, and read back.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "desktop/ClipboardClearing.h"

namespace kv {

// What the program remembers of the last text it put on the clipboard.
ClipboardMemory& CopiedText();

// Puts the text on the clipboard as CF_TEXT and remembers it for the delayed
// clearing; when the clipboard cannot be opened, says "Unable to copy text to
// the clipboard" and returns false.
bool CopyToClipboard(std::string_view text);

// The clipboard's text (CF_TEXT), or nothing.
std::optional<std::string> ClipboardText();

// The system clipboard, opened with `owner` as its owner.
class SystemClipboard : public ClipboardAccess {
public:
    explicit SystemClipboard(HWND owner) : owner_(owner) {}
    bool Open() override { return OpenClipboard(owner_) != FALSE; }
    std::optional<SecretString> Text() override;
    void Empty() override { EmptyClipboard(); }
    void Close() override { CloseClipboard(); }

private:
    HWND owner_;
};

}  // namespace kv
