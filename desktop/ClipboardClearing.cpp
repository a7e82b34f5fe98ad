#include "desktop/ClipboardClearing.h"


namespace kv {

void ClipboardMemory::Remember(std::string_view text, std::uint32_t tick) {
    digest_ = Sha256(text);
    tick_ = tick;
    remembered_ = true;
}

bool ClipboardMemory::IsDue(std::uint32_t now, std::uint32_t delayMs) const {
    return static_cast<std::uint32_t>(now - tick_) >= delayMs;
}

bool ClipboardMemory::Matches(std::string_view text) const { return remembered_ && Sha256(text) == digest_; }

bool ClearClipboardIfDue(ClipboardMemory& memory, ClipboardAccess& clipboard, std::uint32_t now,
                         std::uint32_t delaySeconds) {
    if (!memory.Remembers() || !memory.IsDue(now, delaySeconds * 1000)) return false;
    bool emptied = false;
    if (clipboard.Open()) {
        const std::optional<SecretString> text = clipboard.Text();
        if (text && memory.Matches(text->view())) {
            clipboard.Empty();
            emptied = true;
        }
        clipboard.Close();
    }
    memory.Forget();
    return emptied;
}

}  // namespace kv
