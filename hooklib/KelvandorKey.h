// KelvandorKey.dll, the keystroke library, as programs call it. They link the
// CMake target kelvandor_key (see kelvandor_use_hooklib), which binds these
// functions by ordinal: JrnlPlayBackHook 2, SendKeys 3, SetHook 5,
// RemoveHook 6, CBT_Proc 7, GetFormData 8, FillAuthDlg 9.
#pragma once

#include <windows.h>

#include <cstddef>

#include "hooklib/SendKeysResult.h"

namespace kv::keys {
// The size of each buffer that GetFormData fills.
constexpr std::size_t kFormDataSize = 80;
}  // namespace kv::keys

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

// Hooks the thread of `watched`'s top-level window (a browser's
// authentication dialog): when the first window of that thread is about to
// be destroyed, the dialog's user name and password are read and
// "PASSWORDOnSubmit" (wParam 1) is posted to `notify`. Nonzero when the hook
// was installed; 0 while another hook is installed (in any process).
BOOL WINAPI SetHook(HWND watched, HWND notify);
// Removes the hook, if one is installed.
void WINAPI RemoveHook();
// The hook procedure, called by the system in the hooked thread.
LRESULT CALLBACK CBT_Proc(int code, WPARAM wParam, LPARAM lParam);
// Copies the user name and password that the hook read into two buffers of
// 80 bytes each, and wipes them from the shared section. Returns 0.
int WINAPI GetFormData(char* username, char* password);
// Writes the user name into the dialog's first editable edit control and the
// password into every later one (each cut to 79 characters); read-only edits
// are left alone. Nonzero when the dialog's children were walked.
BOOL WINAPI FillAuthDlg(HWND dialog, const char* username, const char* password);

}  // extern "C"
