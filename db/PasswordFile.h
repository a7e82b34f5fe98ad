// The password file (".kv"): a flat stream of tagged items, read and written
// whole. Strings are encrypted under the master password when protected.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/Database.h"
#include "db/FileCipher.h"
#include "db/Verifier.h"

namespace kv {

class ByteReader;
class ByteWriter;
class FileSystem;
class FileUi;
class Locale;

// Item tags: the code of one upper-case letter in a little-endian int32.
enum FileTag : std::int32_t {
    kTagDataForm = 'D',
    kTagEnd = 'X',
    kTagFolder = 'F',
    kTagIgnoredSite = 'I',
    kTagVerifier = 'M',
    kTagReminder = 'P',
    kTagRecord = 'R',
    kTagSearchFolders = 'S',
    kTagSearchItems = 'U',
    kTagVersion = 'V',
};

constexpr char kCurrentVersion[] = "7";
constexpr std::int32_t kRecordFieldCount = 14;
constexpr std::size_t kHistoryEntrySize = 16;
constexpr std::size_t kReminderSize = 32;
constexpr std::size_t kLegacyFolderSize = 264;
constexpr std::size_t kLegacyRecordSize = 1736;

// One folder of the walk that decides the order of a saved file: the folder's
// index in `Folders` (or -1 for a tree level without a folder) and its path.
struct FolderVisit {
    int folderIndex = -1;
    std::string path;
};

// Every folder in array order with its own path: the walk of a tree built
// from the paths when no folder tree exists.
std::vector<FolderVisit> FoldersInArrayOrder(const PasswordDatabase& db);

class CPasswordFile {
public:
    CPasswordFile(PasswordDatabase& db, FileUi& ui, FileSystem& files, const Locale& locale);

    // Writes the whole database to `FilePath`, folders in the order of the walk
    // (their paths are stored back). Refuses silently when no file is open or it
    // was not read completely. The old file is replaced only by a complete new
    // one: on failure it stays as it was, and the result is false.
    bool SaveFile(const std::vector<FolderVisit>& walk);

    // Reads `FilePath` into the database; true when read to its end. The caller
    // empties the search histories beforehand. A file that needs more memory
    // than there is fails with one message, and what it had read is let go.
    bool LoadFile();
    // The last load failed for want of memory.
    bool TooLarge() const { return tooLarge_; }

    // Creates (or replaces) `FilePath` holding only the header of a new file.
    bool WriteHeader();

    // The version text of the file read ("" before a version item).
    const std::string& Version() const { return version_; }

    void SetKeyingPolicy(KeyingPolicy policy) { keying_ = policy; }

private:
    enum class LoadResult { Failed = 0, Loaded = 1, ChooseAgain = -1 };

    LoadResult LoadOnce();
    LoadResult LetGoOfPartialLoad();
    LoadResult ReadItems(ByteReader& in, FileCipher& cipher);
    LoadResult CheckVerifier(const Verifier& stored);
    // Each read reports a file that ends too early as damaged.
    bool ReadInt32(ByteReader& in, std::int32_t& value);
    unsigned char* TakeBytes(ByteReader& in, std::size_t size);
    bool ReadString(ByteReader& in, FileCipher& cipher, std::string& target);
    bool ReadFolder(ByteReader& in, FileCipher& cipher);
    bool ReadRecord(ByteReader& in, FileCipher& cipher, Record& record);
    bool ReadLegacyRecord(ByteReader& in, FileCipher& cipher, Record& record);
    bool ReadFormData(ByteReader& in, FileCipher& cipher);
    bool ReadFormField(ByteReader& in, FileCipher& cipher, FormField& field);
    LoadResult Damaged(const std::string& detail);

    void WriteHeaderItems(ByteWriter& out);
    void WriteFolders(ByteWriter& out, FileCipher& cipher, const std::vector<FolderVisit>& walk);
    bool Commit(const ByteWriter& out);

    PasswordDatabase& db_;
    FileUi& ui_;
    FileSystem& files_;
    const Locale& locale_;
    KeyingPolicy keying_ = KeyingPolicy::OncePerKey;
    std::string version_;
    // The records that each folder item of the file being read is followed by.
    std::vector<std::size_t> announcedRecords_;
    bool waiting_ = false;  // the wait cursor is shown
    bool tooLarge_ = false;
};

// Appends a string item: its padded length, then the text zero-padded to a
// multiple of 8 bytes (at least one zero), encrypted.
void WriteString(ByteWriter& out, FileCipher& cipher, const std::string& text);

}  // namespace kv
