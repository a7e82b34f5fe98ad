// Reads the HTML list of PassCards that another password manager prints: a
// plain scan for a handful of markers, not a document tree.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "db/Record.h"

namespace kv {

class Locale;

struct PassCard {
    std::string name;
    std::string subcaption;
    std::string note;
    // Filled by the fields named "User ID$" and "Password$" (in any case).
    std::string username;
    std::string password;
    // One entry of type 7 per field; those two carry their columns already.
    std::vector<FormField> fields;
};

struct PassCardList {
    // The text names itself a PassCard list; nothing else is read otherwise.
    bool valid = false;
    std::vector<PassCard> cards;
    // Characters the ANSI code page cannot hold, each read as "?".
    std::size_t unrepresentable = 0;
};

// The bytes may be ANSI, UTF-8 or UTF-16 with a byte-order mark. Line breaks
// of the file are dropped, "<BR>" becomes "\r\n", "<WBR>" goes, and the
// entities of element texts are decoded (&amp; &lt; &gt; &quot; &#NNN;
// &#xHH; and &nbsp; as a space).
PassCardList ReadPassCards(std::string_view bytes, const Locale& locale);

// Decodes the entities named above in an element text; others stay as written.
std::string DecodeEntities(std::string_view text, const Locale& locale, std::size_t& unrepresentable);

}  // namespace kv
