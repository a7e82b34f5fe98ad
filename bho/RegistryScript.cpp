#include "bho/RegistryScript.h"

#include <cctype>
#include <cstdlib>

namespace kv::registration {
namespace {

constexpr int kMaxDepth = 32;

class Parser {
public:
    Parser(std::string_view script, std::string_view modulePath) : text_(script), module_(modulePath) {}

    ParsedScript Parse() {
        ParsedScript parsed;
        while (error_.empty()) {
            SkipBlanks();
            if (at_ >= text_.size()) break;
            ScriptRoot root;
            root.root = Word();
            if (root.root != "HKCR" && root.root != "HKLM") {
                error_ = "unknown root '" + root.root + "'";
                break;
            }
            if (!Expect('{') || !Keys(root.keys, 0)) break;
            parsed.roots.push_back(std::move(root));
        }
        parsed.error = error_.empty() ? "" : error_ + " at offset " + std::to_string(at_);
        if (!parsed.error.empty()) parsed.roots.clear();
        return parsed;
    }

private:
    // The keys and values of one block, up to and including its '}'.
    bool Keys(std::vector<ScriptKey>& keys, int depth) {
        if (depth > kMaxDepth) return Error("keys nested too deep");
        for (;;) {
            SkipBlanks();
            if (at_ >= text_.size()) return Error("a '}' is missing");
            if (text_[at_] == '}') {
                ++at_;
                return true;
            }
            std::string word = Name();
            if (!error_.empty()) return false;
            if (word == "val") {
                ScriptValue value;
                value.name = Name();
                if (!error_.empty() || !Expect('=') || !Value(value)) return false;
                if (values_ == nullptr) return Error("a value outside a key");
                values_->push_back(std::move(value));
                continue;
            }
            ScriptKey key;
            if (word == "NoRemove" || word == "ForceRemove") {
                (word == "NoRemove" ? key.noRemove : key.forceRemove) = true;
                word = Name();
                if (!error_.empty()) return false;
            }
            key.name = std::move(word);
            SkipBlanks();
            if (Peek('=')) {
                ++at_;
                ScriptValue value;
                if (!Value(value)) return false;
                key.defaultValue = std::move(value);
                SkipBlanks();
            }
            if (Peek('{')) {
                ++at_;
                std::vector<ScriptValue>* outer = values_;
                values_ = &key.values;
                const bool read = Keys(key.subkeys, depth + 1);
                values_ = outer;
                if (!read) return false;
            }
            keys.push_back(std::move(key));
        }
    }

    bool Value(ScriptValue& value) {
        SkipBlanks();
        const std::string type = Word();
        if (type == "s") {
            value.text = Quoted();
            return error_.empty();
        }
        if (type == "d") {
            SkipBlanks();
            std::string digits = Peek('\'') ? Quoted() : Word();
            char* end = nullptr;
            const unsigned long long number = std::strtoull(digits.c_str(), &end, 0);
            if (digits.empty() || *end != '\0' || number > 0xFFFFFFFFull) return Error("a bad number");
            value.isNumber = true;
            value.number = static_cast<std::uint32_t>(number);
            return true;
        }
        return Error("unknown value type '" + type + "'");
    }

    // A key or value name: quoted, a braced identifier such as {guid}, or a
    // run of characters up to a blank, '=' or a brace.
    std::string Name() {
        SkipBlanks();
        if (Peek('\'')) return Quoted();
        std::string word;
        if (Peek('{') && at_ + 1 < text_.size() && !IsBlank(text_[at_ + 1])) {
            const std::size_t close = text_.find('}', at_);
            if (close == std::string_view::npos) {
                Error("a braced name is not closed");
                return {};
            }
            word = std::string(text_.substr(at_, close + 1 - at_));
            at_ = close + 1;
            return word;
        }
        word = Word();
        if (word.empty()) Error("a name is missing");
        return word;
    }

    std::string Word() {
        SkipBlanks();
        std::string word;
        while (at_ < text_.size() && !IsBlank(text_[at_]) && text_[at_] != '{' && text_[at_] != '}' &&
               text_[at_] != '=' && text_[at_] != '\'') {
            word += text_[at_++];
        }
        return word;
    }

    // A text in single quotes; '' stands for one quote.
    std::string Quoted() {
        SkipBlanks();
        if (!Peek('\'')) {
            Error("a quoted text is missing");
            return {};
        }
        ++at_;
        std::string out;
        for (;;) {
            if (at_ >= text_.size()) {
                Error("a quote is not closed");
                return {};
            }
            const char c = text_[at_++];
            if (c == '\'') {
                if (!Peek('\'')) break;
                ++at_;
            }
            out += c;
        }
        return Substituted(out);
    }

    std::string Substituted(std::string text) const {
        static constexpr std::string_view kModule = "%MODULE%";
        for (std::size_t at = text.find(kModule); at != std::string::npos; at = text.find(kModule, at)) {
            text.replace(at, kModule.size(), module_);
            at += module_.size();
        }
        return text;
    }

    bool Expect(char c) {
        SkipBlanks();
        if (!Peek(c)) return Error(std::string("'") + c + "' expected");
        ++at_;
        return true;
    }

    bool Peek(char c) const { return at_ < text_.size() && text_[at_] == c; }
    static bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
    void SkipBlanks() {
        while (at_ < text_.size() && IsBlank(text_[at_])) ++at_;
    }
    bool Error(std::string message) {
        if (error_.empty()) error_ = std::move(message);
        return false;
    }

    std::string_view text_;
    std::string module_;
    std::size_t at_ = 0;
    std::string error_;
    std::vector<ScriptValue>* values_ = nullptr;
};

}  // namespace

ParsedScript ParseScript(std::string_view script, std::string_view modulePath) {
    return Parser(script, modulePath).Parse();
}

}  // namespace kv::registration
