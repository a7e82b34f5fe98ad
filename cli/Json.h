// A small JSON document model with a strict parser (for the command-line
// companion's create) and its writing through json::Writer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "platform/SecretString.h"

namespace kv::json {

// The text of a string value, which may be a password or notes: wiped when
// let go. Unlike SecretString it may be copied, as documents are built by
// value.
class Text {
public:
    Text() = default;
    explicit Text(SecretString&& text) : text_(std::move(text)) {}
    Text(const Text& other) : text_(other.view()) {}
    Text& operator=(const Text& other) {
        text_.Assign(other.view());
        return *this;
    }
    Text(Text&&) noexcept = default;
    Text& operator=(Text&&) noexcept = default;

    std::string_view view() const { return text_.view(); }

private:
    SecretString text_;
};

// One node of a document. Only what its kind needs is held, so that a large
// document takes a small multiple of its text in memory.
class Value {
public:
    enum class Kind { Null, Bool, Integer, String, Array, Object };
    using Member = std::pair<std::string, Value>;

    Value() = default;
    static Value Bool(bool b);
    static Value Integer(std::int64_t n);
    // Takes the text over and wipes the plain string it came in.
    static Value String(std::string s);
    static Value String(SecretString s);
    static Value Array();
    static Value Object();

    Kind kind() const { return static_cast<Kind>(data_.index()); }
    // Each reads as false, 0, empty when the value is of another kind.
    bool boolean() const;
    std::int64_t integer() const;
    std::string_view string() const;
    const std::vector<Value>& items() const;
    const std::vector<Member>& members() const;

    // Appends to an array, or adds a member to an object; returns `*this`.
    Value& Add(Value item);
    Value& Add(std::string name, Value member);

    // The member of that name, or null when there is none.
    const Value* Find(const std::string& name) const;

    // Gives back the room an array or object has beyond its items.
    void ShrinkToFit();

private:
    // In the order of Kind.
    std::variant<std::monostate, bool, std::int64_t, Text, std::vector<Value>, std::vector<Member>> data_;
};

// The kind's name as error messages use it ("a string", "an array", ...).
const char* KindName(Value::Kind kind);

// Parses a whole document. Numbers must be whole; strings must be valid UTF-8;
// no object may name a member twice. On failure `error` says what is wrong
// and where.
std::optional<Value> Parse(std::string_view text, std::string& error);

}  // namespace kv::json
