// Key events sent into the system's input stream with SendInput.
#pragma once

#include <windows.h>

#include <vector>

#include "hooklib/KeyEvents.h"

namespace kv::keys {

// Sends the events in one piece, so that no other input comes between them,
// each by virtual key and scan code, and returns kKeysTyped, or
// kKeysRefused when the system took fewer (the keys that the taken part
// left down are released again). When the keys go to a window of this
// thread, first lets it read them (see KeyInput.cpp).
int SendKeyEvents(const std::vector<KeyEvent>& events, HWND target);

}  // namespace kv::keys
