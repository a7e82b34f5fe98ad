// The queue of virtual keys that types a text: one press per character, with
// Shift entries around the keys that need it, and "{TAB}" at the very end of
// the text as one Tab key.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kv::keys {

constexpr std::uint32_t kTabKey = 9;
constexpr std::uint32_t kShiftKey = 16;      // a toggle in the queue: down, then up, and so on
constexpr std::uint32_t kUntypableKey = 255;  // stands for a character the layout has no key for

// The keyboard layout's key for a character, as VkKeyScanA answers: the
// virtual key in the low byte, Shift in bit 0 of the high byte, -1 when no
// key makes the character.
using KeyScanner = short (*)(char character);

class KeyQueue {
public:
    static constexpr std::size_t kCapacity = 1024;

    // Fills the queue from a zero-terminated text; returns kKeysTyped when
    // it is ready, kKeysEmptyText or kKeysTooLong (see SendKeysResult.h).
    int Build(const char* text, KeyScanner scan);

    // Forgets the keys (they spell a password) and empties the queue.
    void Wipe();

    std::size_t size() const { return count_; }
    std::uint32_t operator[](std::size_t index) const { return keys_[index]; }

private:
    bool Push(std::uint32_t key);
    bool PushCharacter(char character, KeyScanner scan);

    std::array<std::uint32_t, kCapacity> keys_{};
    std::size_t count_ = 0;
};

}  // namespace kv::keys
