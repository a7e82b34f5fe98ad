// The database of one open password file, as the application object holds it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/Record.h"
#include "platform/SecretString.h"

namespace kv {

class Locale;

struct PasswordDatabase {
    std::vector<Folder> Folders;
    std::string FilePath;
    SecretString MasterPassword;
    std::string ReminderPhrase;
    std::int32_t EncryptFiles = 0;
    std::int32_t FileLoaded = 0;
    bool Modified = false;
    // A load runs (its password prompt may be open): no second one may start.
    bool Loading = false;
    std::vector<std::string> SearchFolderHistory;
    std::vector<std::string> SearchItemHistory;
    std::vector<std::string> IgnoredSites;
};

// The most entries of each search history that a file keeps.
constexpr std::size_t kSavedHistoryEntries = 5;

// Reminder phrases are kept in 32 bytes, so at most 31 characters.
constexpr std::size_t kMaxReminderLength = 31;

// Appends a folder with the default members and returns its index.
int AddFolder(PasswordDatabase& db, const std::string& path, Category category);

// The four default folders of a new file ("Internet", "Banking", "Software",
// "Email"); the first four folders get the categories 2, 3, 4 and 1 and an
// empty record each.
void CreateDefaultFolders(PasswordDatabase& db);

// The category that governs a folder's layout: that of its top-level
// ancestor, 1 when that is not a present folder or holds no valid category.
Category GoverningCategory(const PasswordDatabase& db, int folderIndex);

// The display text of a date: the short date format, empty when not set.
std::string FormatDate(const SystemTime& date, const Locale& locale);

// Sets text slots 9 and 10 of a record to the display text of its dates.
void UpdateDateTexts(Record& record, const Locale& locale);

// The part of a path after its last backslash (or slash, as Windows also accepts).
std::string FileNameOf(const std::string& path);

}  // namespace kv
