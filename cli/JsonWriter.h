// Writes a JSON document piece by piece as it is walked, indented by two
// spaces with arrays of numbers on one line, and hands the text on in pieces
// of about 64 KB: a large document is never held whole.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "cli/Json.h"
#include "platform/SecretString.h"

namespace kv::json {

class Writer {
public:
    // Takes each piece of the text; false stops the writing.
    using Sink = std::function<bool(std::string_view piece)>;

    explicit Writer(Sink sink);

    void BeginObject();
    // The name of the next member; its value follows.
    void Key(std::string_view name);
    void EndObject();
    // `oneLine`: the items stay on the line of the bracket (for numbers).
    void BeginArray(bool oneLine = false);
    void EndArray();

    // Texts may be passwords: they pass only through wiped buffers.
    void String(std::string_view text);
    void Integer(std::int64_t number);
    void Bool(bool value);
    void Null();

    // Ends the document with a line feed and hands on the rest; false when
    // the sink refused a piece.
    bool Finish();

private:
    enum class Frame { Object, Array, OneLineArray };
    struct Level {
        Frame frame;
        bool any = false;
    };

    // Puts what comes before a value: in arrays the separator and indent.
    void BeforeValue();
    void Open(Frame frame, char bracket);
    void Close(char bracket);
    void Indent(std::size_t depth);
    void Put(std::string_view text);
    void Put(char c);
    void FlushIfFull();

    Sink sink_;
    SecretString pending_;
    std::vector<Level> levels_;
    bool failed_ = false;
};

// A whole document model written through a Writer, arrays that hold only
// numbers on one line: the text that Parse reads back to the same model.
SecretString Write(const Value& value);

}  // namespace kv::json
