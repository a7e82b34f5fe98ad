// A small JSON document model with a strict parser and a pretty printer, for
// the command-line companion's dump and create.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kv::json {

class Value {
public:
    enum class Kind { Null, Bool, Integer, String, Array, Object };
    using Member = std::pair<std::string, Value>;

    Value() = default;
    static Value Bool(bool b);
    static Value Integer(std::int64_t n);
    static Value String(std::string s);
    static Value Array();
    static Value Object();

    Kind kind() const { return kind_; }
    bool boolean() const { return bool_; }
    std::int64_t integer() const { return integer_; }
    const std::string& string() const { return string_; }
    const std::vector<Value>& items() const { return items_; }
    const std::vector<Member>& members() const { return members_; }

    // Appends to an array, or adds a member to an object; returns `*this`.
    Value& Add(Value item);
    Value& Add(std::string name, Value member);

    // The member of that name, or null when there is none.
    const Value* Find(const std::string& name) const;

private:
    Kind kind_ = Kind::Null;
    bool bool_ = false;
    std::int64_t integer_ = 0;
    std::string string_;
    std::vector<Value> items_;
    std::vector<Member> members_;
};

// The kind's name as error messages use it ("a string", "an array", ...).
const char* KindName(Value::Kind kind);

// Parses a whole document. Numbers must be whole; strings must be valid UTF-8.
// On failure `error` says what is wrong and where.
std::optional<Value> Parse(const std::string& text, std::string& error);

// The document indented by two spaces; arrays of numbers stay on one line.
std::string Write(const Value& value);

}  // namespace kv::json
