#include "cli/DatabaseJson.h"

#include <limits>

#include "db/PasswordFile.h"
#include "platform/Locale.h"
#include "platform/SecretString.h"

namespace kv {
namespace {

using json::Value;

// Reads a document against the schema, naming the place of the first problem.
class FromJson {
public:
    FromJson(const Locale& locale, std::string& error) : locale_(locale), error_(error) {}

    bool Fail(const std::string& where, const std::string& what) {
        error_ = where + ": " + what;
        return false;
    }

    bool Expect(const Value& v, Value::Kind kind, const std::string& where) {
        if (v.kind() == kind) return true;
        return Fail(where, std::string("expected ") + json::KindName(kind) + ", found " + json::KindName(v.kind()));
    }

    bool OnlyKnownMembers(const Value& object, std::initializer_list<const char*> known, const std::string& where) {
        for (const Value::Member& member : object.members()) {
            bool found = false;
            for (const char* name : known) found = found || member.first == name;
            if (!found) return Fail(where, "unknown member \"" + member.first + "\"");
        }
        return true;
    }

    bool Text(const Value& v, const std::string& where, std::string& out) {
        if (!Expect(v, Value::Kind::String, where)) return false;
        const std::optional<SecretString> ansi = locale_.Utf8ToAnsi(v.string());
        if (!ansi) return Fail(where, "the text cannot be written in the ANSI code page");
        if (ansi->view().find('\0') != std::string_view::npos) {
            return Fail(where, "the text contains a zero character");
        }
        out.assign(ansi->view());
        return true;
    }

    bool Int32(const Value& v, const std::string& where, std::int32_t& out) {
        if (!Expect(v, Value::Kind::Integer, where)) return false;
        if (v.integer() < std::numeric_limits<std::int32_t>::min() ||
            v.integer() > std::numeric_limits<std::int32_t>::max()) {
            return Fail(where, "the number does not fit in 32 bits");
        }
        out = static_cast<std::int32_t>(v.integer());
        return true;
    }

    // Reads every item of an optional array member with `read`.
    template <typename T>
    bool Items(const Value* v, const std::string& where, std::vector<T>& out,
               bool (FromJson::*read)(const Value&, const std::string&, T&)) {
        if (v == nullptr) return true;
        if (!Expect(*v, Value::Kind::Array, where)) return false;
        out.resize(v->items().size());
        for (std::size_t i = 0; i < out.size(); ++i) {
            if (!(this->*read)(v->items()[i], where + "[" + std::to_string(i) + "]", out[i])) return false;
        }
        return true;
    }

    bool History(const Value* v, const std::string& where, std::vector<std::string>& out) {
        if (!Items(v, where, out, &FromJson::Text)) return false;
        if (out.size() > kSavedHistoryEntries) return Fail(where, "a file keeps at most 5 entries");
        for (const std::string& entry : out) {
            if (entry.size() > kHistoryEntrySize) return Fail(where, "an entry has at most 16 characters");
        }
        return true;
    }

    bool Date(const Value* v, const std::string& where, SystemTime& out) {
        if (v == nullptr) return true;
        if (!Expect(*v, Value::Kind::Array, where)) return false;
        if (v->items().size() != 8) return Fail(where, "a date has eight numbers");
        std::uint16_t* words[8] = {&out.wYear, &out.wMonth, &out.wDayOfWeek, &out.wDay,
                                   &out.wHour, &out.wMinute, &out.wSecond, &out.wMilliseconds};
        for (std::size_t i = 0; i < 8; ++i) {
            const Value& item = v->items()[i];
            if (!Expect(item, Value::Kind::Integer, where)) return false;
            if (item.integer() < 0 || item.integer() > 65535) return Fail(where, "a date number lies outside 0 to 65535");
            *words[i] = static_cast<std::uint16_t>(item.integer());
        }
        return true;
    }

    bool Field(const Value& v, const std::string& where, FormField& f) {
        if (!Expect(v, Value::Kind::Object, where)) return false;
        if (!OnlyKnownMembers(v, {"type", "name", "value", "checkState", "column", "formIndex",
                                  "submittedForm", "reserved2", "autoSubmit"},
                              where)) {
            return false;
        }
        const struct {
            const char* name;
            std::int32_t* target;
        } numbers[] = {{"type", &f.type},           {"checkState", &f.checkState},
                       {"column", &f.column},       {"formIndex", &f.formIndex},
                       {"submittedForm", &f.submittedForm}, {"autoSubmit", &f.autoSubmit}};
        for (const auto& n : numbers) {
            const Value* member = v.Find(n.name);
            if (member != nullptr && !Int32(*member, where + "." + n.name, *n.target)) return false;
        }
        const struct {
            const char* name;
            std::string* target;
        } texts[] = {{"name", &f.name}, {"value", &f.value}, {"reserved2", &f.reserved2}};
        for (const auto& t : texts) {
            const Value* member = v.Find(t.name);
            if (member != nullptr && !Text(*member, where + "." + t.name, *t.target)) return false;
        }
        return true;
    }

    bool Record(const Value& v, const std::string& where, kv::Record& r) {
        if (!Expect(v, Value::Kind::Object, where)) return false;
        if (!OnlyKnownMembers(v, {"fields", "dateAssigned", "dateExpires", "formData"}, where)) return false;
        if (const Value* fields = v.Find("fields")) {
            if (!Expect(*fields, Value::Kind::Array, where + ".fields")) return false;
            if (fields->items().size() != kFieldCount) return Fail(where + ".fields", "a record has 14 fields");
            for (std::size_t i = 0; i < r.fields.size(); ++i) {
                if (!Text(fields->items()[i], where + ".fields[" + std::to_string(i) + "]", r.fields[i])) return false;
            }
        }
        if (!Date(v.Find("dateAssigned"), where + ".dateAssigned", r.dateAssigned)) return false;
        if (!Date(v.Find("dateExpires"), where + ".dateExpires", r.dateExpires)) return false;
        return Items(v.Find("formData"), where + ".formData", r.formData, &FromJson::Field);
    }

    bool Folder(const Value& v, const std::string& where, kv::Folder& f) {
        if (!Expect(v, Value::Kind::Object, where)) return false;
        if (!OnlyKnownMembers(v, {"path", "category", "records"}, where)) return false;
        const Value* path = v.Find("path");
        if (path == nullptr) return Fail(where, "a folder needs a \"path\"");
        if (!Text(*path, where + ".path", f.path)) return false;
        if (f.path.empty()) return Fail(where + ".path", "a folder path may not be empty");
        if (f.path.size() > kMaxPathLength) return Fail(where + ".path", "a folder path has at most 259 characters");
        if (const Value* category = v.Find("category")) {
            if (!Int32(*category, where + ".category", f.category)) return false;
        }
        return Items(v.Find("records"), where + ".records", f.records.write(), &FromJson::Record);
    }

private:
    const Locale& locale_;
    std::string& error_;
};

}  // namespace

bool DatabaseFromJson(const json::Value& document, const Locale& locale, PasswordDatabase& db,
                      bool& protect, std::string& error) {
    FromJson from(locale, error);
    if (!from.Expect(document, Value::Kind::Object, "document")) return false;
    if (!from.OnlyKnownMembers(document, {"version", "protected", "reminder", "searchFolderHistory",
                                          "searchItemHistory", "ignoredSites", "folders"},
                               "document")) {
        return false;
    }
    if (const Value* version = document.Find("version")) {
        if (!from.Expect(*version, Value::Kind::String, "version")) return false;
        if (version->string() != kCurrentVersion) {
            return from.Fail("version", std::string("only version \"") + kCurrentVersion + "\" is written");
        }
    }
    protect = false;
    if (const Value* flag = document.Find("protected")) {
        if (!from.Expect(*flag, Value::Kind::Bool, "protected")) return false;
        protect = flag->boolean();
    }
    if (const Value* reminder = document.Find("reminder")) {
        if (!from.Text(*reminder, "reminder", db.ReminderPhrase)) return false;
        if (db.ReminderPhrase.size() > kMaxReminderLength) {
            return from.Fail("reminder", "a reminder phrase has at most 31 characters");
        }
    }
    if (!from.History(document.Find("searchFolderHistory"), "searchFolderHistory", db.SearchFolderHistory) ||
        !from.History(document.Find("searchItemHistory"), "searchItemHistory", db.SearchItemHistory) ||
        !from.Items(document.Find("ignoredSites"), "ignoredSites", db.IgnoredSites, &FromJson::Text)) {
        return false;
    }
    return from.Items(document.Find("folders"), "folders", db.Folders, &FromJson::Folder);
}

}  // namespace kv
