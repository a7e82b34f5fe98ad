#include "cli/DatabaseDump.h"

#include "cli/FileText.h"

namespace kv {
namespace {

class Dump {
public:
    Dump(const Locale& locale, json::Writer& out) : locale_(locale), out_(out) {}

    void Text(const std::string& ansi) { out_.String(Utf8Text(locale_, ansi).view()); }

    void Texts(const std::vector<std::string>& texts) {
        out_.BeginArray();
        for (const std::string& text : texts) Text(text);
        out_.EndArray();
    }

    void Date(const SystemTime& t) {
        out_.BeginArray(true);
        for (const std::uint16_t word : {t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute,
                                         t.wSecond, t.wMilliseconds}) {
            out_.Integer(word);
        }
        out_.EndArray();
    }

    void Number(const char* name, std::int64_t number) {
        out_.Key(name);
        out_.Integer(number);
    }

    void Field(const FormField& f) {
        out_.BeginObject();
        Number("type", f.type);
        out_.Key("name");
        Text(f.name);
        out_.Key("value");
        Text(f.value);
        Number("checkState", f.checkState);
        Number("column", f.column);
        Number("formIndex", f.formIndex);
        Number("submittedForm", f.submittedForm);
        out_.Key("reserved2");
        Text(f.reserved2);
        Number("autoSubmit", f.autoSubmit);
        out_.EndObject();
    }

    void Record(const kv::Record& r) {
        out_.BeginObject();
        out_.Key("fields");
        out_.BeginArray();
        for (const std::string& field : r.fields) Text(field);
        out_.EndArray();
        out_.Key("dateAssigned");
        Date(r.dateAssigned);
        out_.Key("dateExpires");
        Date(r.dateExpires);
        out_.Key("formData");
        out_.BeginArray();
        for (const FormField& f : r.formData) Field(f);
        out_.EndArray();
        out_.EndObject();
    }

    void Folder(const kv::Folder& f) {
        out_.BeginObject();
        out_.Key("path");
        Text(f.path);
        Number("category", f.category);
        out_.Key("records");
        out_.BeginArray();
        for (const kv::Record& r : f.records) Record(r);
        out_.EndArray();
        out_.EndObject();
    }

    void Database(const PasswordDatabase& db, const std::string& version) {
        out_.BeginObject();
        out_.Key("version");
        out_.String(version);
        out_.Key("protected");
        out_.Bool(db.EncryptFiles != 0);
        out_.Key("reminder");
        Text(db.ReminderPhrase);
        out_.Key("searchFolderHistory");
        Texts(db.SearchFolderHistory);
        out_.Key("searchItemHistory");
        Texts(db.SearchItemHistory);
        out_.Key("ignoredSites");
        Texts(db.IgnoredSites);
        out_.Key("folders");
        out_.BeginArray();
        for (const kv::Folder& folder : db.Folders) {
            if (folder.present != 0) Folder(folder);
        }
        out_.EndArray();
        out_.EndObject();
    }

private:
    const Locale& locale_;
    json::Writer& out_;
};

}  // namespace

void WriteDatabaseJson(const PasswordDatabase& db, const std::string& version, const Locale& locale,
                       json::Writer& out) {
    Dump(locale, out).Database(db, version);
}

}  // namespace kv
