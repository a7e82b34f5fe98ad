#include "bench/SyntheticDatabase.h"

#include <random>
#include <string>

namespace kv::bench {
namespace {

class TextMaker {
public:
    explicit TextMaker(std::uint32_t seed) : random_(seed) {}

    std::string Word(std::size_t minLength, std::size_t maxLength) {
        static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        std::string text(Between(minLength, maxLength), ' ');
        for (char& c : text) c = kLetters[Between(0, sizeof kLetters - 2)];
        return text;
    }

    std::size_t Between(std::size_t low, std::size_t high) {
        return std::uniform_int_distribution<std::size_t>(low, high)(random_);
    }

    bool OneIn(std::size_t n) { return Between(1, n) == 1; }

private:
    std::mt19937 random_;
};

Record MakeRecord(TextMaker& maker, std::size_t number) {
    Record record;
    record.fields[kDescription] = "Account " + std::to_string(number) + " " + maker.Word(3, 12);
    record.fields[kUsername] = maker.Word(5, 12);
    record.fields[kPassword] = maker.Word(10, 20);
    if (maker.OneIn(4)) record.fields[kBank] = maker.Word(6, 20);
    if (maker.OneIn(4)) record.fields[kAccount] = maker.Word(8, 16);
    if (maker.OneIn(8)) record.fields[kPhone] = maker.Word(10, 14);
    if (maker.OneIn(2)) record.fields[kEmail] = maker.Word(5, 10) + "@example.com";
    record.fields[kUrl] = "https://www." + maker.Word(4, 14) + ".example.com/login";
    if (maker.OneIn(3)) record.fields[kNotes] = maker.Word(20, 200);
    if (maker.OneIn(2)) record.dateAssigned = {2024, 5, 0, 17, 9, 0, 0, 0};
    if (maker.OneIn(5)) {
        FormField user;
        user.type = kTextInput;
        user.name = "username";
        user.value = record.fields[kUsername];
        user.column = kUsername;
        FormField password = user;
        password.type = kPasswordInput;
        password.name = "password";
        password.value = record.fields[kPassword];
        password.column = kPassword;
        record.formData = {user, password};
    }
    return record;
}

std::size_t Padded(const std::string& text) { return (text.size() + 8) / 8 * 8; }

}  // namespace

PasswordDatabase MakeSyntheticDatabase(std::size_t records, std::uint32_t seed) {
    TextMaker maker(seed);
    PasswordDatabase db;
    db.EncryptFiles = 1;
    db.MasterPassword = "synthetic master password";
    db.ReminderPhrase = "benchmark";
    db.SearchFolderHistory = {"bank", "mail"};
    db.SearchItemHistory = {"visa"};
    db.FileLoaded = 1;
    std::size_t made = 0;
    std::string top;
    for (std::size_t folder = 0; made < records; ++folder) {
        // Every fourth folder is a sub-folder of the folder before it.
        const std::string name = "Folder " + std::to_string(folder);
        const bool sub = folder % 4 == 3;
        if (!sub) top = name;
        const int index = AddFolder(db, sub ? top + "~" + name : name, static_cast<Category>(1 + folder % 4));
        const std::size_t count = std::min(records - made, maker.Between(50, 150));
        std::vector<Record>& target = db.Folders[static_cast<std::size_t>(index)].records.write();
        target.reserve(count);
        for (std::size_t i = 0; i < count; ++i) target.push_back(MakeRecord(maker, made++));
    }
    return db;
}

std::size_t EncryptedBytes(const PasswordDatabase& db) {
    std::size_t bytes = 16 * (std::min<std::size_t>(db.SearchFolderHistory.size(), 5) +
                              std::min<std::size_t>(db.SearchItemHistory.size(), 5));
    for (const std::string& site : db.IgnoredSites) bytes += Padded(site);
    for (const Folder& folder : db.Folders) {
        bytes += Padded(folder.path);
        for (const Record& record : folder.records) {
            for (int field = 0; field < kFieldCount; ++field) {
                if (field != kDateAssigned && field != kDateExpires) {
                    bytes += Padded(record.fields[static_cast<std::size_t>(field)]);
                }
            }
            for (const FormField& f : record.formData) bytes += Padded(f.name) + Padded(f.value) + Padded(f.reserved2);
        }
    }
    return bytes;
}

}  // namespace kv::bench
