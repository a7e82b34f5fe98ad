#include "transfer/PassCardReader.h"

#include <array>

#include "platform/Locale.h"
#include "platform/Utf8.h"
#include "transfer/TextEncoding.h"

namespace kv {
namespace {

constexpr std::string_view kListTitle = "RoboForm Passcards List";
constexpr std::string_view kCaption = "class=caption";
constexpr std::string_view kClass = "class=";

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t at = text.find(from); at != std::string_view::npos; at = text.find(from, start)) {
        out.append(text.data() + start, at - start);
        out += to;
        start = at + from.size();
    }
    out.append(text.data() + start, text.size() - start);
    return out;
}

std::string Clean(std::string text) {
    text = ReplaceAll(ReplaceAll(text, "<WBR>", ""), "<wbr>", "");
    text = ReplaceAll(ReplaceAll(text, "\n", ""), "\r", "");
    return ReplaceAll(ReplaceAll(text, "<BR>", "\r\n"), "<br>", "\r\n");
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// The text of the element that a marker at `marker` starts: after the next
// ">" up to the next "<" or the end.
std::string_view ElementText(std::string_view text, std::size_t marker) {
    const std::size_t close = text.find('>', marker + 1);
    if (close == std::string_view::npos) return {};
    const std::size_t end = text.find('<', close + 1);
    return text.substr(close + 1, end == std::string_view::npos ? std::string_view::npos : end - close - 1);
}

// A numeric character reference's code point, or 0 when it names none.
char32_t NumericReference(std::string_view digits) {
    const bool hex = !digits.empty() && (digits[0] == 'x' || digits[0] == 'X');
    if (hex) digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 7) return 0;
    char32_t cp = 0;
    for (char c : digits) {
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0) return 0;
        cp = cp * (hex ? 16 : 10) + static_cast<char32_t>(digit);
    }
    return cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000) ? 0 : cp;
}

// Reads one card's markers from `pos`; leaves `pos` at the marker that ended it.
PassCard ReadCard(std::string_view text, std::size_t& pos, const Locale& locale, std::size_t& unrepresentable) {
    PassCard card;
    const auto element = [&](std::size_t marker) {
        return DecodeEntities(ElementText(text, marker), locale, unrepresentable);
    };
    card.name = element(pos);
    FormField field;
    std::string pending;
    bool note = false;
    for (std::size_t marker = text.find(kClass, pos + 1); marker != std::string_view::npos;
         marker = text.find(kClass, marker + 1)) {
        pos = marker;
        const std::string_view kind = text.substr(marker + kClass.size(), 3);
        if (kind == "sub") {
            card.subcaption = element(marker);
        } else if (kind == "fie") {
            const std::string name = element(marker);
            if (Lower(name) == "$note$") {
                note = true;
            } else {
                pending = name;
                field.name = name;
                field.type = kPassCardField;
                field.formIndex = -1;
            }
        } else if (kind == "wor") {
            const std::string value = element(marker);
            if (note) {
                card.note = value;
            } else {
                field.value = value;
                const std::string key = Lower(pending);
                if (key == "user id$") {
                    card.username = value;
                    field.column = kUsername;
                } else if (key == "password$") {
                    card.password = value;
                    field.column = kPassword;
                }
                card.fields.push_back(field);
                field = FormField();
            }
            pending.clear();
            note = false;
        } else {
            return card;  // the next caption, or a marker that ends the card
        }
    }
    pos = text.size();
    return card;
}

}  // namespace

std::string DecodeEntities(std::string_view text, const Locale& locale, std::size_t& unrepresentable) {
    struct Named {
        std::string_view entity;
        char character;
    };
    static constexpr std::array<Named, 5> kNamed{
        {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"nbsp", ' '}}};
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t semicolon = text[i] == '&' ? text.find(';', i + 1) : std::string_view::npos;
        if (semicolon == std::string_view::npos || semicolon - i > 9) {
            out += text[i];
            continue;
        }
        const std::string_view name = text.substr(i + 1, semicolon - i - 1);
        bool decoded = false;
        for (const Named& named : kNamed) {
            if (name == named.entity) {
                out += named.character;
                decoded = true;
            }
        }
        if (!decoded && name.size() > 1 && name[0] == '#') {
            if (const char32_t cp = NumericReference(name.substr(1))) {
                SecretString utf8;
                utf8::Append(utf8, cp);
                if (const std::optional<SecretString> ansi = locale.Utf8ToAnsi(utf8)) {
                    out += ansi->view();
                } else {
                    out += '?';
                    ++unrepresentable;
                }
                decoded = true;
            }
        }
        if (decoded) {
            i = semicolon;
        } else {
            out += '&';
        }
    }
    return out;
}

PassCardList ReadPassCards(std::string_view bytes, const Locale& locale) {
    DecodedText decoded = DecodeToAnsi(std::string(bytes), locale);
    const std::string text = Clean(std::move(decoded.text));
    PassCardList list;
    list.unrepresentable = decoded.unrepresentable;
    if (text.find(kListTitle) == std::string::npos) return list;
    list.valid = true;
    for (std::size_t pos = text.find(kCaption); pos != std::string::npos; pos = text.find(kCaption, pos)) {
        list.cards.push_back(ReadCard(text, pos, locale, list.unrepresentable));
    }
    return list;
}

}  // namespace kv
