#include "cli/Json.h"

#include <unordered_set>

#include "platform/Utf8.h"

namespace kv::json {

Value Value::Bool(bool b) {
    Value v;
    v.data_ = b;
    return v;
}

Value Value::Integer(std::int64_t n) {
    Value v;
    v.data_ = n;
    return v;
}

Value Value::String(std::string s) { return String(SecretString(std::move(s))); }

Value Value::String(SecretString s) {
    Value v;
    v.data_ = Text(std::move(s));
    return v;
}

Value Value::Array() {
    Value v;
    v.data_ = std::vector<Value>();
    return v;
}

Value Value::Object() {
    Value v;
    v.data_ = std::vector<Member>();
    return v;
}

namespace {

// What a value of another kind reads as.
template <class T>
const T& Empty() {
    static const T empty{};
    return empty;
}

}  // namespace

bool Value::boolean() const {
    const bool* b = std::get_if<bool>(&data_);
    return b != nullptr && *b;
}

std::int64_t Value::integer() const {
    const std::int64_t* n = std::get_if<std::int64_t>(&data_);
    return n != nullptr ? *n : 0;
}

std::string_view Value::string() const {
    const Text* s = std::get_if<Text>(&data_);
    return s != nullptr ? s->view() : std::string_view();
}

const std::vector<Value>& Value::items() const {
    const std::vector<Value>* items = std::get_if<std::vector<Value>>(&data_);
    return items != nullptr ? *items : Empty<std::vector<Value>>();
}

const std::vector<Value::Member>& Value::members() const {
    const std::vector<Member>* members = std::get_if<std::vector<Member>>(&data_);
    return members != nullptr ? *members : Empty<std::vector<Member>>();
}

Value& Value::Add(Value item) {
    if (auto* items = std::get_if<std::vector<Value>>(&data_)) items->push_back(std::move(item));
    return *this;
}

Value& Value::Add(std::string name, Value member) {
    if (auto* members = std::get_if<std::vector<Member>>(&data_)) members->emplace_back(std::move(name), std::move(member));
    return *this;
}

const Value* Value::Find(const std::string& name) const {
    for (const Member& member : members()) {
        if (member.first == name) return &member.second;
    }
    return nullptr;
}

void Value::ShrinkToFit() {
    if (auto* items = std::get_if<std::vector<Value>>(&data_)) items->shrink_to_fit();
    if (auto* members = std::get_if<std::vector<Member>>(&data_)) members->shrink_to_fit();
}

const char* KindName(Value::Kind kind) {
    switch (kind) {
        case Value::Kind::Null: return "null";
        case Value::Kind::Bool: return "true or false";
        case Value::Kind::Integer: return "a whole number";
        case Value::Kind::String: return "a string";
        case Value::Kind::Array: return "an array";
        case Value::Kind::Object: return "an object";
    }
    return "";
}

namespace {

constexpr int kMaxDepth = 64;

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::optional<Value> ParseDocument(std::string& error) {
        std::optional<Value> value = ParseValue(0);
        if (value) {
            SkipSpace();
            if (pos_ != text_.size()) Fail("unexpected text after the document");
        }
        if (!error_.empty()) {
            error = error_;
            return std::nullopt;
        }
        return value;
    }

private:
    void Fail(const std::string& what) {
        if (!error_.empty()) return;
        std::size_t line = 1;
        std::size_t column = 1;
        for (std::size_t i = 0; i < pos_ && i < text_.size(); ++i) {
            if (text_[i] == '\n') {
                ++line;
                column = 1;
            } else {
                ++column;
            }
        }
        error_ = "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + what;
    }

    void SkipSpace() {
        while (pos_ < text_.size() &&
               (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' || text_[pos_] == '\r')) {
            ++pos_;
        }
    }

    bool Consume(const char* word) {
        const std::string_view w(word);
        if (text_.compare(pos_, w.size(), w) != 0) return false;
        pos_ += w.size();
        return true;
    }

    std::optional<Value> ParseValue(int depth) {
        if (depth > kMaxDepth) {
            Fail("the document is nested too deeply");
            return std::nullopt;
        }
        SkipSpace();
        if (pos_ >= text_.size()) {
            Fail("unexpected end of the document");
            return std::nullopt;
        }
        const char c = text_[pos_];
        if (c == '{') return ParseObject(depth);
        if (c == '[') return ParseArray(depth);
        if (c == '"') {
            std::optional<SecretString> s = ParseString();
            if (!s) return std::nullopt;
            return Value::String(std::move(*s));
        }
        if (c == '-' || (c >= '0' && c <= '9')) return ParseNumber();
        if (Consume("true")) return Value::Bool(true);
        if (Consume("false")) return Value::Bool(false);
        if (Consume("null")) return Value();
        Fail("expected a value");
        return std::nullopt;
    }

    std::optional<Value> ParseObject(int depth) {
        ++pos_;
        Value object = Value::Object();
        SkipSpace();
        if (pos_ < text_.size() && text_[pos_] == '}') {
            ++pos_;
            return object;
        }
        // The names so far, for finding a repeated one without comparing it with every other.
        std::unordered_set<std::string> names;
        for (;;) {
            SkipSpace();
            if (pos_ >= text_.size() || text_[pos_] != '"') {
                Fail("expected a member name in double quotes");
                return std::nullopt;
            }
            std::optional<SecretString> parsed = ParseString();
            if (!parsed) return std::nullopt;
            std::optional<std::string> name(std::string(parsed->view()));
            if (!names.insert(*name).second) {
                Fail("the member \"" + *name + "\" appears twice");
                return std::nullopt;
            }
            SkipSpace();
            if (pos_ >= text_.size() || text_[pos_] != ':') {
                Fail("expected ':' after a member name");
                return std::nullopt;
            }
            ++pos_;
            std::optional<Value> member = ParseValue(depth + 1);
            if (!member) return std::nullopt;
            object.Add(std::move(*name), std::move(*member));
            SkipSpace();
            if (pos_ < text_.size() && text_[pos_] == ',') {
                ++pos_;
                continue;
            }
            if (pos_ < text_.size() && text_[pos_] == '}') {
                ++pos_;
                object.ShrinkToFit();
                return object;
            }
            Fail("expected ',' or '}' in an object");
            return std::nullopt;
        }
    }

    std::optional<Value> ParseArray(int depth) {
        ++pos_;
        Value array = Value::Array();
        SkipSpace();
        if (pos_ < text_.size() && text_[pos_] == ']') {
            ++pos_;
            return array;
        }
        for (;;) {
            std::optional<Value> item = ParseValue(depth + 1);
            if (!item) return std::nullopt;
            array.Add(std::move(*item));
            SkipSpace();
            if (pos_ < text_.size() && text_[pos_] == ',') {
                ++pos_;
                continue;
            }
            if (pos_ < text_.size() && text_[pos_] == ']') {
                ++pos_;
                array.ShrinkToFit();
                return array;
            }
            Fail("expected ',' or ']' in an array");
            return std::nullopt;
        }
    }

    std::optional<Value> ParseNumber() {
        const std::size_t start = pos_;
        if (text_[pos_] == '-') ++pos_;
        const std::size_t digits = pos_;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
        if (pos_ == digits || (text_[digits] == '0' && pos_ - digits > 1)) {
            Fail("malformed number");
            return std::nullopt;
        }
        if (pos_ < text_.size() && (text_[pos_] == '.' || text_[pos_] == 'e' || text_[pos_] == 'E')) {
            Fail("only whole numbers are used here");
            return std::nullopt;
        }
        if (pos_ - digits > 18) {
            Fail("number out of range");
            return std::nullopt;
        }
        return Value::Integer(std::stoll(std::string(text_.substr(start, pos_ - start))));
    }

    std::optional<unsigned> ParseHex4() {
        if (text_.size() - pos_ < 4) return std::nullopt;
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[pos_++];
            value <<= 4;
            if (c >= '0' && c <= '9') value |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f') value |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F') value |= static_cast<unsigned>(c - 'A' + 10);
            else return std::nullopt;
        }
        return value;
    }

    bool ParseEscape(SecretString& out) {
        if (pos_ >= text_.size()) return false;
        const char c = text_[pos_++];
        switch (c) {
            case '"': out.Append('"'); return true;
            case '\\': out.Append('\\'); return true;
            case '/': out.Append('/'); return true;
            case 'b': out.Append('\b'); return true;
            case 'f': out.Append('\f'); return true;
            case 'n': out.Append('\n'); return true;
            case 'r': out.Append('\r'); return true;
            case 't': out.Append('\t'); return true;
            case 'u': break;
            default: return false;
        }
        std::optional<unsigned> unit = ParseHex4();
        if (!unit) return false;
        char32_t cp = *unit;
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (!Consume("\\u")) return false;
            std::optional<unsigned> low = ParseHex4();
            if (!low || *low < 0xDC00 || *low > 0xDFFF) return false;
            cp = 0x10000 + ((cp - 0xD800) << 10) + (*low - 0xDC00);
        } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
            return false;
        }
        utf8::Append(out, cp);
        return true;
    }

    std::optional<SecretString> ParseString() {
        ++pos_;  // the opening quote
        SecretString out;
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '"') {
                ++pos_;
                return out;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                Fail("control character in a string");
                return std::nullopt;
            }
            ++pos_;
            if (c != '\\') {
                out.Append(c);
                continue;
            }
            if (!ParseEscape(out)) {
                Fail("invalid escape in a string");
                return std::nullopt;
            }
        }
        Fail("unterminated string");
        return std::nullopt;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::string error_;
};

}  // namespace

std::optional<Value> Parse(std::string_view text, std::string& error) {
    return Parser(text).ParseDocument(error);
}

}  // namespace kv::json
