#include "db/Database.h"

#include "platform/Locale.h"

namespace kv {

int AddFolder(PasswordDatabase& db, const std::string& path, Category category) {
    Folder folder;
    folder.path = path;
    folder.category = category;
    db.Folders.push_back(std::move(folder));
    return static_cast<int>(db.Folders.size()) - 1;
}

void CreateDefaultFolders(PasswordDatabase& db) {
    static const char* const kNames[4] = {"Internet", "Banking", "Software", "Email"};
    static const Category kCategories[4] = {kInternetCategory, kBankingCategory,
                                            kSoftwareCategory, kDefaultCategory};
    for (const char* name : kNames) AddFolder(db, name, kDefaultCategory);
    for (int i = 0; i < 4; ++i) {
        db.Folders[static_cast<std::size_t>(i)].category = kCategories[i];
        db.Folders[static_cast<std::size_t>(i)].records.write().emplace_back();
    }
    db.Modified = true;
}

Category GoverningCategory(const PasswordDatabase& db, int folderIndex) {
    if (folderIndex < 0 || static_cast<std::size_t>(folderIndex) >= db.Folders.size()) {
        return kDefaultCategory;
    }
    const std::string& path = db.Folders[static_cast<std::size_t>(folderIndex)].path;
    const std::string top = path.substr(0, path.find(kPathSeparator));
    for (const Folder& folder : db.Folders) {
        if (folder.present != 0 && folder.path == top) return EffectiveCategory(folder.category);
    }
    return kDefaultCategory;
}

std::string FormatDate(const SystemTime& date, const Locale& locale) {
    return IsDateSet(date) ? locale.FormatShortDate(date) : std::string();
}

void UpdateDateTexts(Record& record, const Locale& locale) {
    record.fields[kDateAssigned] = FormatDate(record.dateAssigned, locale);
    record.fields[kDateExpires] = FormatDate(record.dateExpires, locale);
}

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace kv
