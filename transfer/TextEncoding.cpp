#include "transfer/TextEncoding.h"

#include <optional>
#include <utility>

#include "platform/Locale.h"
#include "platform/Utf8.h"

namespace kv {
namespace {

bool StartsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

bool IsValidUtf8BeyondAscii(std::string_view bytes) {
    bool beyondAscii = false;
    for (std::size_t pos = 0; pos < bytes.size();) {
        if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
            ++pos;
            continue;
        }
        if (!utf8::Decode(bytes, pos)) return false;
        beyondAscii = true;
    }
    return beyondAscii;
}

// UTF-8 to ANSI: whole when every character fits, else character by
// character with "?" for each one that does not.
void Utf8ToAnsi(std::string_view utf8, const Locale& locale, DecodedText& out) {
    if (const std::optional<SecretString> whole = locale.Utf8ToAnsi(utf8)) {
        out.text = whole->view();
        return;
    }
    out.text.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        if (!utf8::Decode(utf8, pos)) {
            pos = start + 1;
        } else if (const std::optional<SecretString> one = locale.Utf8ToAnsi(utf8.substr(start, pos - start))) {
            out.text += one->view();
            continue;
        }
        out.text += '?';
        ++out.unrepresentable;
    }
}

// UTF-16 to UTF-8, reading only whole code units inside the bytes given.
std::string Utf16ToUtf8(std::string_view bytes, bool littleEndian, std::size_t& malformed) {
    const auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(littleEndian ? a | (b << 8) : (a << 8) | b);
    };
    std::string utf8;
    utf8.reserve(bytes.size());
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (cp >= 0xD800 && cp < 0xE000) {
            utf8 += '?';
            ++malformed;
            continue;
        }
        utf8::Append(utf8, cp);
    }
    if (i < bytes.size()) ++malformed;
    return utf8;
}

}  // namespace

DecodedText DecodeToAnsi(std::string bytes, const Locale& locale) {
    DecodedText out;
    const std::string_view view(bytes);
    if (StartsWith(view, kUtf8ByteOrderMark)) {
        out.encoding = TextEncoding::Utf8WithBom;
        Utf8ToAnsi(view.substr(kUtf8ByteOrderMark.size()), locale, out);
    } else if (StartsWith(view, "\xFF\xFE") || StartsWith(view, "\xFE\xFF")) {
        const bool littleEndian = view[0] == '\xFF';
        out.encoding = littleEndian ? TextEncoding::Utf16LE : TextEncoding::Utf16BE;
        std::size_t malformed = 0;
        Utf8ToAnsi(Utf16ToUtf8(view.substr(2), littleEndian, malformed), locale, out);
        out.unrepresentable += malformed;
    } else if (IsValidUtf8BeyondAscii(view)) {
        out.encoding = TextEncoding::Utf8;
        Utf8ToAnsi(view, locale, out);
    } else {
        out.text = std::move(bytes);
    }
    return out;
}

std::string UnrepresentableNote(std::size_t count) {
    if (count == 0) return {};
    return "\n\n" + std::to_string(count) + " characters could not be held in the ANSI code page and were "
           "imported as \"?\".";
}

}  // namespace kv
