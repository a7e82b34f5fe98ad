// The Windows-1252 code page, the ANSI code page that the portable build assumes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/SecretString.h"

namespace kv::windows1252 {

// Every byte converts; the five unassigned bytes map to the C1 controls of the
// same value, as Windows does, so that every byte survives a round trip.
SecretString ToUtf8(std::string_view text);

// Nothing when the UTF-8 is malformed or names a character outside the code page.
std::optional<SecretString> FromUtf8(std::string_view text);

// The upper-case form of one byte of the code page.
unsigned char ToUpper(unsigned char c);

// Whether two texts of the code page are equal without regard to case.
bool EqualNoCase(std::string_view a, std::string_view b);

}  // namespace kv::windows1252
