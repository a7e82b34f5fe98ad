// Reading a password file: the current layout and the older ones, with every
// item checked against the bytes that are actually there.
#include <cstring>
#include <new>
#include <stdexcept>

#include "db/ByteStream.h"
#include "db/FileMessages.h"
#include "db/FileUi.h"
#include "db/FileLayout.h"
#include "db/FolderPathRepair.h"
#include "db/ItemCounts.h"
#include "db/PasswordFile.h"
#include "platform/FileSystem.h"
#include "platform/SecureWipe.h"

namespace kv {
namespace {

const char* const kKnownVersions[] = {"3", "4", "5", "6", "7"};

bool IsKnownVersion(const std::string& version) {
    for (const char* known : kKnownVersions) {
        if (version == known) return true;
    }
    return false;
}

const char kItemCutShort[] = "The file ends inside an item.";

}  // namespace

CPasswordFile::CPasswordFile(PasswordDatabase& db, FileUi& ui, FileSystem& files, const Locale& locale)
    : db_(db), ui_(ui), files_(files), locale_(locale) {}

bool CPasswordFile::LoadFile() {
    tooLarge_ = false;
    LoadResult result = LoadResult::Failed;
    try {
        result = LoadOnce();
        while (result == LoadResult::ChooseAgain) {
            // Another file was chosen at the password prompt: read that one instead.
            db_.SearchFolderHistory.clear();
            db_.SearchItemHistory.clear();
            result = LoadOnce();
        }
    } catch (const std::bad_alloc&) {
        result = LetGoOfPartialLoad();
    } catch (const std::length_error&) {
        result = LetGoOfPartialLoad();
    }
    if (waiting_) {
        ui_.SetWaitCursor(false);
        waiting_ = false;
    }
    return result == LoadResult::Loaded;
}

CPasswordFile::LoadResult CPasswordFile::LetGoOfPartialLoad() {
    tooLarge_ = true;
    // Swapped with empty ones, so that their memory goes back before the message needs some.
    std::vector<Folder>().swap(db_.Folders);
    std::vector<std::string>().swap(db_.IgnoredSites);
    std::vector<std::string>().swap(db_.SearchFolderHistory);
    std::vector<std::string>().swap(db_.SearchItemHistory);
    db_.FileLoaded = 0;
    ui_.ShowMessage(FileErrorMessage(kTooLargeText, kTooLargeDetail, db_.FilePath));
    return LoadResult::Failed;
}

CPasswordFile::LoadResult CPasswordFile::LoadOnce() {
    db_.Folders.clear();
    db_.IgnoredSites.clear();
    db_.EncryptFiles = 0;
    db_.FileLoaded = 0;
    version_.clear();
    if (db_.FilePath.empty()) return LoadResult::Failed;

    FileContents contents;
    // Decrypted strings are written over the file's bytes in place, so the
    // bytes are wiped however the read ends.
    struct Wiper {
        FileContents& bytes;
        ~Wiper() { SecureWipe(bytes.data(), bytes.size()); }
    } wiper{contents};
    switch (files_.ReadAll(db_.FilePath, contents)) {
        case ReadResult::Read: break;
        case ReadResult::OpenFailed:
            ui_.ShowMessage(FileErrorMessage(kOpenFailedText, files_.LastErrorText(), db_.FilePath));
            return LoadResult::Failed;
        case ReadResult::ReadFailed:
            ui_.ShowMessage(FileErrorMessage(kReadFailedText, files_.LastErrorText(), db_.FilePath));
            return LoadResult::Failed;
        case ReadResult::NotAFile:
            ui_.ShowMessage(FileErrorMessage(kOpenFailedText, kNotAFileText, db_.FilePath));
            return LoadResult::Failed;
    }
    // The arrays get their final sizes before the first item is read.
    announcedRecords_ = CountItems(contents.data(), contents.size()).recordsPerFolder;
    db_.Folders.reserve(announcedRecords_.size());
    ByteReader in(contents.data(), contents.size());
    FileCipher cipher(db_, keying_);
    const LoadResult result = ReadItems(in, cipher);
    if (result != LoadResult::ChooseAgain) {
        // Even a file read in part is shown, so its folders must keep the rules too.
        const FolderPathRepairs repairs = RepairFolderPaths(db_.Folders);
        if (repairs.Any()) ui_.ShowMessage(FolderRepairMessage(repairs, FileNameOf(db_.FilePath)));
    }
    return result;
}

CPasswordFile::LoadResult CPasswordFile::ReadItems(ByteReader& in, FileCipher& cipher) {
    for (;;) {
        if (in.AtEnd()) break;
        std::int32_t tag = 0;
        if (!ReadInt32(in, tag)) return LoadResult::Failed;
        if (tag == kTagEnd) break;
        switch (tag) {
            case kTagVersion: {
                const unsigned char* bytes = TakeBytes(in, 4);
                if (bytes == nullptr) return LoadResult::Failed;
                version_ = TextOf(bytes, 4);
                if (!IsKnownVersion(version_)) {
                    ui_.ShowMessage(InvalidVersionMessage(db_.FilePath));
                    return LoadResult::Failed;
                }
                break;
            }
            case kTagReminder: {
                const unsigned char* bytes = TakeBytes(in, kReminderSize);
                if (bytes == nullptr) return LoadResult::Failed;
                db_.ReminderPhrase = TextOf(bytes, kReminderSize);
                break;
            }
            case kTagVerifier: {
                const unsigned char* bytes = TakeBytes(in, kVerifierSize);
                if (bytes == nullptr) return LoadResult::Failed;
                Verifier stored;
                std::memcpy(stored.data(), bytes, stored.size());
                const LoadResult checked = CheckVerifier(stored);
                if (checked != LoadResult::Loaded) {
                    db_.MasterPassword.Clear();
                    db_.ReminderPhrase.clear();
                    return checked;
                }
                db_.EncryptFiles = 1;
                break;
            }
            case kTagSearchFolders:
            case kTagSearchItems: {
                unsigned char* bytes = TakeBytes(in, kHistoryEntrySize);
                if (bytes == nullptr) return LoadResult::Failed;
                cipher.CryptFileData(bytes, kHistoryEntrySize, false);
                auto& history = tag == kTagSearchFolders ? db_.SearchFolderHistory : db_.SearchItemHistory;
                history.push_back(TextOf(bytes, kHistoryEntrySize));
                break;
            }
            case kTagIgnoredSite: {
                std::string site;
                if (!ReadString(in, cipher, site)) return LoadResult::Failed;
                db_.IgnoredSites.push_back(std::move(site));
                break;
            }
            case kTagFolder:
                if (!ReadFolder(in, cipher)) return LoadResult::Failed;
                break;
            case kTagRecord: {
                // Without a folder the record is not read: its first bytes are
                // taken as the next tag.
                if (db_.Folders.empty()) break;
                std::vector<Record>& records = db_.Folders.back().records.write();
                records.emplace_back();
                if (!ReadRecord(in, cipher, records.back())) return LoadResult::Failed;
                break;
            }
            case kTagDataForm: {
                // Form data shows the wait cursor until the load ends.
                if (!waiting_) {
                    ui_.SetWaitCursor(true);
                    waiting_ = true;
                }
                if (!ReadFormData(in, cipher)) return LoadResult::Failed;
                break;
            }
            default:
                ui_.ShowMessage(kUnknownDataTypeText);
                return LoadResult::Failed;
        }
    }
    db_.FileLoaded = 1;
    return LoadResult::Loaded;
}

CPasswordFile::LoadResult CPasswordFile::CheckVerifier(const Verifier& stored) {
    if (IsBlankVerifier(stored)) return LoadResult::Loaded;
    if (VerifierMatches(stored, db_.MasterPassword)) return LoadResult::Loaded;
    PasswordPrompt prompt;
    prompt.fileName = FileNameOf(db_.FilePath);
    prompt.reminder = db_.ReminderPhrase;
    prompt.verifier = stored;
    PasswordAnswer answer = ui_.AskPassword(prompt);
    switch (answer.outcome) {
        case PasswordAnswer::Outcome::Accepted:
            db_.MasterPassword = std::move(answer.password);
            return LoadResult::Loaded;
        case PasswordAnswer::Outcome::OtherFile:
            db_.FilePath = answer.path;
            return LoadResult::ChooseAgain;
        case PasswordAnswer::Outcome::Cancelled:
            break;
    }
    return LoadResult::Failed;
}

bool CPasswordFile::ReadInt32(ByteReader& in, std::int32_t& value) {
    if (in.ReadInt32(value)) return true;
    Damaged(kItemCutShort);
    return false;
}

unsigned char* CPasswordFile::TakeBytes(ByteReader& in, std::size_t size) {
    unsigned char* bytes = in.Take(size);
    if (bytes == nullptr) Damaged(kItemCutShort);
    return bytes;
}

bool CPasswordFile::ReadString(ByteReader& in, FileCipher& cipher, std::string& target) {
    std::int32_t length = 0;
    if (!ReadInt32(in, length)) return false;
    if (length == 0) return true;  // the target keeps its value
    if (length < 0 || static_cast<std::size_t>(length) > in.Remaining()) {
        Damaged("A string claims " + std::to_string(length) + " bytes, but " +
                std::to_string(in.Remaining()) + " bytes are left in the file.");
        return false;
    }
    unsigned char* bytes = in.Take(static_cast<std::size_t>(length));
    cipher.CryptFileData(bytes, static_cast<std::size_t>(length), false);
    // Straight from the decrypted bytes into the target's own buffer.
    target.assign(reinterpret_cast<const char*>(bytes), TextLength(bytes, static_cast<std::size_t>(length)));
    return true;
}

bool CPasswordFile::ReadFolder(ByteReader& in, FileCipher& cipher) {
    Folder folder;
    if (HasLegacyFolders(version_)) {
        unsigned char* block = TakeBytes(in, kLegacyFolderSize);
        if (block == nullptr) return false;
        folder.path = TextOf(block, kMaxPathLength);  // byte 259 counts as a zero
        ByteReader category(block + kMaxPathLength + 1, 4);
        category.ReadInt32(folder.category);
    } else if (!ReadString(in, cipher, folder.path) || !ReadInt32(in, folder.category)) {
        return false;
    }
    const std::size_t index = db_.Folders.size();
    if (index < announcedRecords_.size()) folder.records.write().reserve(announcedRecords_[index]);
    db_.Folders.push_back(std::move(folder));
    return true;
}

bool CPasswordFile::ReadRecord(ByteReader& in, FileCipher& cipher, Record& record) {
    if (HasLegacyRecords(version_)) return ReadLegacyRecord(in, cipher, record);
    std::int32_t count = 0;
    if (!ReadInt32(in, count)) return false;
    if (count != kRecordFieldCount) {
        Damaged("A record has " + std::to_string(count) + " fields instead of 14.");
        return false;
    }
    const bool datesAsText = HasDatesAsText(version_);
    for (int field = 0; field < kFieldCount; ++field) {
        if (field == kDateAssigned || field == kDateExpires) {
            if (datesAsText) {
                std::string dropped;
                if (!ReadString(in, cipher, dropped)) return false;
                continue;
            }
            const unsigned char* bytes = TakeBytes(in, sizeof(SystemTime));
            if (bytes == nullptr) return false;
            SystemTime& date = field == kDateAssigned ? record.dateAssigned : record.dateExpires;
            std::memcpy(&date, bytes, sizeof date);
            continue;
        }
        if (!ReadString(in, cipher, record.fields[static_cast<std::size_t>(field)])) return false;
    }
    return true;
}

bool CPasswordFile::ReadFormData(ByteReader& in, FileCipher& cipher) {
    std::int32_t count = 0;
    if (!ReadInt32(in, count)) return false;
    if (count < 0) {
        Damaged("A form data item has a negative count.");
        return false;
    }
    // Each field takes at least six numbers and three string lengths.
    constexpr std::size_t kSmallestField = 9 * 4;
    if (static_cast<std::size_t>(count) > in.Remaining() / kSmallestField) {
        Damaged("A form data item claims " + std::to_string(count) + " fields, but " +
                std::to_string(in.Remaining()) + " bytes are left in the file.");
        return false;
    }
    std::vector<FormField>* target = nullptr;
    if (!db_.Folders.empty() && !db_.Folders.back().records.empty()) {
        target = &db_.Folders.back().records.write().back().formData;
        target->reserve(target->size() + static_cast<std::size_t>(count));
    }
    for (std::int32_t i = 0; i < count; ++i) {
        FormField field;
        if (!ReadFormField(in, cipher, field)) return false;
        if (target != nullptr) target->push_back(std::move(field));
    }
    return true;
}

bool CPasswordFile::ReadFormField(ByteReader& in, FileCipher& cipher, FormField& field) {
    return ReadInt32(in, field.type) && ReadString(in, cipher, field.name) &&
           ReadString(in, cipher, field.value) && ReadInt32(in, field.checkState) &&
           ReadInt32(in, field.formIndex) && ReadInt32(in, field.submittedForm) &&
           ReadString(in, cipher, field.reserved2) && ReadInt32(in, field.autoSubmit) &&
           ReadInt32(in, field.column);
}

CPasswordFile::LoadResult CPasswordFile::Damaged(const std::string& detail) {
    ui_.ShowMessage(FileErrorMessage(kDamagedFileText, detail, db_.FilePath));
    return LoadResult::Failed;
}

}  // namespace kv
