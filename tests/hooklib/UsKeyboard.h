// VkKeyScanA of a US keyboard for the characters the key queue tests type,
// and one character made with Ctrl+Alt as on other layouts.
#pragma once

namespace kv::keys::test {

constexpr char kCtrlAltCharacter = '\x80';

inline short UsKeyScan(char c) {
    if (c >= 'a' && c <= 'z') return static_cast<short>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return static_cast<short>(0x100 | c);
    if (c >= '0' && c <= '9') return c;
    switch (c) {
    case ' ': return 0x20;
    case '[': return 0xDB;
    case '{': return 0x1DB;
    case ']': return 0xDD;
    case '}': return 0x1DD;
    case kCtrlAltCharacter: return 0x645;  // Ctrl+Alt+E
    default: return -1;
    }
}

}  // namespace kv::keys::test
