#include "db/RichText.h"

#include <cctype>
#include <cstdlib>
#include <vector>

#include "platform/SecretString.h"

namespace kv {
namespace {

// Destinations whose contents are not part of the document's text.
bool IsIgnoredDestination(std::string_view word) {
    static const char* const kIgnored[] = {
        "fonttbl", "colortbl", "stylesheet", "info", "pict", "object", "header", "footer",
        "headerl", "headerr", "headerf", "footerl", "footerr", "footerf", "listtable",
        "listoverridetable", "rsidtbl", "themedata", "colorschememapping", "latentstyles",
        "datastore", "xmlnsdecl", "filetbl", "revtbl", "fldinst", "generator", "pgdsctbl",
        "footnote", "annotation", "xe", "tc", "nonshppict", "blipuid",
    };
    for (const char* name : kIgnored) {
        if (word == name) return true;
    }
    return false;
}

// Characters named by control words, in the Windows-1252 code page.
int NamedCharacter(std::string_view word) {
    if (word == "par" || word == "line" || word == "sect" || word == "page") return '\n';
    if (word == "tab") return '\t';
    if (word == "emdash") return 0x97;
    if (word == "endash") return 0x96;
    if (word == "lquote") return 0x91;
    if (word == "rquote") return 0x92;
    if (word == "ldblquote") return 0x93;
    if (word == "rdblquote") return 0x94;
    if (word == "bullet") return 0x95;
    return -1;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

struct GroupState {
    bool skip = false;
    int unicodeFallback = 1;  // characters that stand in for a \u character (\ucN)
};

class RtfReader {
public:
    // The text is never longer than the document, so its buffer never moves.
    explicit RtfReader(std::string_view rtf) : rtf_(rtf), text_(SecretString::WithCapacity(rtf.size())) {}

    SecretString Read() {
        std::vector<GroupState> stack{GroupState{}};
        while (pos_ < rtf_.size()) {
            const char c = rtf_[pos_];
            if (c == '{') {
                ++pos_;
                stack.push_back(stack.back());
                groupStart_ = true;
                continue;
            }
            if (c == '}') {
                ++pos_;
                if (stack.size() > 1) stack.pop_back();
                groupStart_ = false;
                continue;
            }
            if (c == '\\') {
                ReadControl(stack.back());
                continue;
            }
            groupStart_ = false;
            ++pos_;
            if (c == '\r' || c == '\n') continue;
            Emit(stack.back(), c);
        }
        const std::string_view text = text_.view();
        if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text_.Truncate(text.size() - 2);
        return std::move(text_);
    }

private:
    void Emit(GroupState& state, int c) {
        if (pendingFallback_ > 0) {
            --pendingFallback_;
            return;
        }
        if (state.skip) return;
        if (c == '\n') {
            text_.Append("\r\n");
        } else {
            text_.Append(static_cast<char>(c));
        }
    }

    void ReadControl(GroupState& state) {
        const bool atGroupStart = groupStart_;
        groupStart_ = false;
        ++pos_;  // the backslash
        if (pos_ >= rtf_.size()) return;
        const char c = rtf_[pos_];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ReadControlSymbol(state, atGroupStart);
            return;
        }
        const std::size_t wordStart = pos_;
        while (pos_ < rtf_.size() && std::isalpha(static_cast<unsigned char>(rtf_[pos_]))) ++pos_;
        const std::string_view word = rtf_.substr(wordStart, pos_ - wordStart);
        bool hasParameter = false;
        long parameter = 0;
        const std::size_t numberStart = pos_;
        if (pos_ < rtf_.size() && rtf_[pos_] == '-') ++pos_;
        while (pos_ < rtf_.size() && std::isdigit(static_cast<unsigned char>(rtf_[pos_]))) ++pos_;
        if (pos_ > numberStart && std::isdigit(static_cast<unsigned char>(rtf_[pos_ - 1]))) {
            hasParameter = true;
            const std::string number(rtf_.substr(numberStart, pos_ - numberStart));
            parameter = std::strtol(number.c_str(), nullptr, 10);
        }
        if (pos_ < rtf_.size() && rtf_[pos_] == ' ') ++pos_;
        ApplyWord(state, word, hasParameter, parameter, atGroupStart);
    }

    void ReadControlSymbol(GroupState& state, bool atGroupStart) {
        const char c = rtf_[pos_++];
        switch (c) {
            case '*':
                if (atGroupStart) state.skip = true;
                break;
            case '\'': {
                if (pos_ + 2 > rtf_.size()) {
                    pos_ = rtf_.size();
                    return;
                }
                const int high = HexDigit(rtf_[pos_]);
                const int low = HexDigit(rtf_[pos_ + 1]);
                pos_ += 2;
                if (high >= 0 && low >= 0) Emit(state, high * 16 + low);
                break;
            }
            case '~': Emit(state, 0xA0); break;
            case '_': Emit(state, '-'); break;
            case '-': break;  // optional hyphen
            case '\r':
            case '\n': Emit(state, '\n'); break;
            default: Emit(state, c); break;  // \\, \{ and \}
        }
    }

    void ApplyWord(GroupState& state, std::string_view word, bool hasParameter, long parameter,
                   bool atGroupStart) {
        if (atGroupStart && IsIgnoredDestination(word)) {
            state.skip = true;
            return;
        }
        if (word == "uc" && hasParameter) {
            state.unicodeFallback = parameter < 0 ? 0 : static_cast<int>(parameter);
            return;
        }
        if (word == "u" && hasParameter) {
            const long code = parameter < 0 ? parameter + 65536 : parameter;
            if (code >= 0 && code < 256) {
                Emit(state, static_cast<int>(code));
                pendingFallback_ = state.unicodeFallback;
            }
            return;
        }
        const int named = NamedCharacter(word);
        if (named >= 0) Emit(state, named);
    }

    std::string_view rtf_;
    std::size_t pos_ = 0;
    bool groupStart_ = false;
    int pendingFallback_ = 0;
    SecretString text_;
};

}  // namespace

bool IsRichText(std::string_view text) { return text.substr(0, 5) == "{\\rtf"; }

SecretString PlainTextOf(std::string_view text) {
    if (!IsRichText(text)) return SecretString(std::string(text));
    return RtfReader(text).Read();
}

}  // namespace kv
