#include "hooklib/KeyQueue.h"

#include "hooklib/SendKeysResult.h"
#include "platform/SecureWipe.h"

namespace kv::keys {
namespace {

// Whether `rest` is exactly "TAB}", in any case: the end of a final "{TAB}".
bool IsTabEnding(const char* rest) {
    static const char kEnding[] = "TAB}";
    for (const char* expected = kEnding; *expected != '\0'; ++expected, ++rest) {
        const char c = (*rest >= 'a' && *rest <= 'z') ? static_cast<char>(*rest - 'a' + 'A') : *rest;
        if (c != *expected) return false;
    }
    return *rest == '\0';
}

}  // namespace

int KeyQueue::Build(const char* text, KeyScanner scan) {
    count_ = 0;
    if (text == nullptr || *text == '\0') return kKeysEmptyText;
    for (const char* cursor = text; *cursor != '\0'; ++cursor) {
        if (*cursor == '{' && IsTabEnding(cursor + 1)) {
            if (!Push(kTabKey)) return kKeysTooLong;
            break;
        }
        if (!PushCharacter(*cursor, scan)) return kKeysTooLong;
    }
    return kKeysTyped;
}

bool KeyQueue::PushCharacter(char character, KeyScanner scan) {
    const short answer = scan(character);
    // Ctrl and Alt in the answer are not pressed; a character the layout
    // cannot make becomes Shift around a key that types nothing.
    const bool noKey = answer == -1;
    const std::uint32_t key = noKey ? kUntypableKey : static_cast<std::uint32_t>(answer & 0xFF);
    const bool shift = noKey || (answer & 0x100) != 0;
    if (!shift) return Push(key);
    return Push(kShiftKey) && Push(key) && Push(kShiftKey);
}

bool KeyQueue::Push(std::uint32_t key) {
    if (count_ == kCapacity) return false;
    keys_[count_++] = key;
    return true;
}

void KeyQueue::Wipe() {
    SecureWipe(keys_.data(), sizeof keys_);
    count_ = 0;
}

}  // namespace kv::keys
