#include "cli/JsonWriter.h"

#include <cstdio>
#include <string>

namespace kv::json {
namespace {

constexpr std::size_t kPieceSize = 64 * 1024;

bool OnlyNumbers(const Value& array) {
    for (const Value& item : array.items()) {
        if (item.kind() != Value::Kind::Integer) return false;
    }
    return true;
}

void WriteValue(Writer& out, const Value& value) {
    switch (value.kind()) {
        case Value::Kind::Null: out.Null(); break;
        case Value::Kind::Bool: out.Bool(value.boolean()); break;
        case Value::Kind::Integer: out.Integer(value.integer()); break;
        case Value::Kind::String: out.String(value.string()); break;
        case Value::Kind::Array:
            out.BeginArray(OnlyNumbers(value));
            for (const Value& item : value.items()) WriteValue(out, item);
            out.EndArray();
            break;
        case Value::Kind::Object:
            out.BeginObject();
            for (const Value::Member& member : value.members()) {
                out.Key(member.first);
                WriteValue(out, member.second);
            }
            out.EndObject();
            break;
    }
}

}  // namespace

Writer::Writer(Sink sink) : sink_(std::move(sink)), pending_(SecretString::WithCapacity(kPieceSize + 256)) {}

void Writer::BeginObject() {
    BeforeValue();
    Open(Frame::Object, '{');
}

void Writer::Key(std::string_view name) {
    Level& level = levels_.back();
    Put(level.any ? ",\n" : "\n");
    level.any = true;
    Indent(levels_.size());
    String(name);
    Put(": ");
}

void Writer::EndObject() { Close('}'); }

void Writer::BeginArray(bool oneLine) {
    BeforeValue();
    Open(oneLine ? Frame::OneLineArray : Frame::Array, '[');
}

void Writer::EndArray() { Close(']'); }

void Writer::String(std::string_view text) {
    BeforeValue();
    Put('"');
    for (const char c : text) {
        switch (c) {
            case '"': Put("\\\""); break;
            case '\\': Put("\\\\"); break;
            case '\n': Put("\\n"); break;
            case '\r': Put("\\r"); break;
            case '\t': Put("\\t"); break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
                    Put(escape);
                } else {
                    Put(c);
                }
        }
    }
    Put('"');
    FlushIfFull();
}

void Writer::Integer(std::int64_t number) {
    BeforeValue();
    Put(std::to_string(number));
}

void Writer::Bool(bool value) {
    BeforeValue();
    Put(value ? "true" : "false");
}

void Writer::Null() {
    BeforeValue();
    Put("null");
}

bool Writer::Finish() {
    Put('\n');
    if (!failed_ && !pending_.empty()) failed_ = !sink_(pending_.view());
    pending_.Clear();
    return !failed_;
}

void Writer::BeforeValue() {
    if (levels_.empty()) return;
    Level& level = levels_.back();
    switch (level.frame) {
        case Frame::Object: break;  // Key put the separator
        case Frame::OneLineArray:
            if (level.any) Put(", ");
            break;
        case Frame::Array:
            Put(level.any ? ",\n" : "\n");
            Indent(levels_.size());
            break;
    }
    level.any = true;
}

void Writer::Open(Frame frame, char bracket) {
    Put(bracket);
    levels_.push_back(Level{frame});
}

void Writer::Close(char bracket) {
    const Level level = levels_.back();
    levels_.pop_back();
    if (level.any && level.frame != Frame::OneLineArray) {
        Put('\n');
        Indent(levels_.size());
    }
    Put(bracket);
    FlushIfFull();
}

void Writer::Indent(std::size_t depth) {
    for (std::size_t i = 0; i < depth; ++i) Put("  ");
}

void Writer::Put(std::string_view text) { pending_.Append(text); }

void Writer::Put(char c) { pending_.Append(c); }

void Writer::FlushIfFull() {
    if (pending_.size() < kPieceSize) return;
    if (!failed_) failed_ = !sink_(pending_.view());
    pending_.Clear();
}

SecretString Write(const Value& value) {
    SecretString text;
    Writer out([&](std::string_view piece) {
        text.Append(piece);
        return true;
    });
    WriteValue(out, value);
    out.Finish();
    return text;
}

}  // namespace kv::json
