// Conversions between UTF-16 and a code page of Windows (the ANSI code page,
// UTF-8). The texts converted are mostly secrets, so every buffer is wiped
// when let go.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/SecretString.h"

namespace kv {

using WipedWide = std::basic_string<wchar_t, std::char_traits<wchar_t>, WipingAllocator<wchar_t>>;

// The text in UTF-16; nothing when it is not valid in the code page under `flags`.
std::optional<WipedWide> Widen(UINT codePage, DWORD flags, std::string_view text);

// The text in the code page. With `exact`, nothing when a character has no
// exact equal there; otherwise such characters become the default character.
std::optional<SecretString> Narrow(UINT codePage, std::wstring_view wide, bool exact);

}  // namespace kv
