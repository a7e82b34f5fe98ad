// The texts of a password file (in the ANSI code page) as the companion
// prints them.
#pragma once

#include <string>

#include "platform/SecretString.h"

namespace kv {

class Locale;

// The text as UTF-8, in a buffer that is wiped. Every byte of the ANSI code
// page has a UTF-8 form; a system code page that refuses one still shows the
// byte rather than losing the text.
SecretString Utf8Text(const Locale& locale, const std::string& ansi);

}  // namespace kv
