// KelvandorKey.dll, the keystroke library, as programs call it. They link the
// CMake target kelvandor_key (see kelvandor_use_hooklib), which binds these
// functions by ordinal: JrnlPlayBackHook 2, SendKeys 3.
#pragma once

#include <windows.h>

#include "hooklib/SendKeysResult.h"

extern "C" {

// Types a zero-terminated ANSI text as key presses into the window that has
// the keyboard focus (normally `target`, made foreground by the caller).
// A text ending in exactly "{TAB}" (any case) presses Tab for those five
// characters; every other character is typed as it stands. Returns one of
// the kv::keys::kKeys* codes: kKeysTyped (0), kKeysTooLong (5),
// kKeysRefused (6), kKeysBusy (7, called during a playback) or
// kKeysEmptyText (1).
int WINAPI SendKeys(HWND target, const char* text);

// The journal playback procedure over the key queue of the running SendKeys
// (lParam points to an EVENTMSG for HC_GETNEXT).
LRESULT CALLBACK JrnlPlayBackHook(int code, WPARAM wParam, LPARAM lParam);

}  // extern "C"
