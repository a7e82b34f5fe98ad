// The delayed clearing of copied values: what the program remembers of the
// last text it put on the clipboard (a digest, not a second plain copy), and
// the clearing step that empties the clipboard only while it still holds
// exactly that text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "db/Sha256.h"
#include "platform/SecretString.h"

namespace kv {

class ClipboardMemory {
public:
    void Remember(std::string_view text, std::uint32_t tick);
    void Forget() { remembered_ = false; }
    bool Remembers() const { return remembered_; }

    // Whether `delayMs` have passed since the copy at the tick count `now`
    // (tick counts wrap around after 49.7 days).
    bool IsDue(std::uint32_t now, std::uint32_t delayMs) const;
    // Whether `text` is the whole remembered text.
    bool Matches(std::string_view text) const;

private:
    bool remembered_ = false;
    std::uint32_t tick_ = 0;
    Sha256Digest digest_{};
};

// The clipboard as the clearing step needs it.
class ClipboardAccess {
public:
    virtual ~ClipboardAccess() = default;
    virtual bool Open() = 0;
    virtual std::optional<SecretString> Text() = 0;
    virtual void Empty() = 0;
    virtual void Close() = 0;
};

// Once `delaySeconds` have passed since the remembered copy: empties the
// clipboard if it still holds the copied text, and forgets the text (also when
// the clipboard holds other text or cannot be opened). True when it emptied it.
bool ClearClipboardIfDue(ClipboardMemory& memory, ClipboardAccess& clipboard, std::uint32_t now,
                         std::uint32_t delaySeconds);

}  // namespace kv
