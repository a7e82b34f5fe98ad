// Writing a password file: the items are laid out in memory, then committed
// to the disk whole.
#include <algorithm>
#include <cstring>

#include "db/ByteStream.h"
#include "db/FileCommit.h"
#include "db/FileMessages.h"
#include "db/FileUi.h"
#include "db/PasswordFile.h"

namespace kv {
namespace {

void WriteTag(ByteWriter& out, FileTag tag) { out.WriteInt32(tag); }

// A fixed-size block holding the start of a text, zero-padded.
unsigned char* WriteTextBlock(ByteWriter& out, const std::string& text, std::size_t size) {
    unsigned char* block = out.Append(size);
    std::memcpy(block, text.data(), std::min(text.size(), size));
    return block;
}

void WriteHistory(ByteWriter& out, FileCipher& cipher, FileTag tag,
                  const std::vector<std::string>& history) {
    const std::size_t count = std::min(history.size(), kSavedHistoryEntries);
    for (std::size_t i = 0; i < count; ++i) {
        WriteTag(out, tag);
        unsigned char* entry = WriteTextBlock(out, history[i], kHistoryEntrySize);
        cipher.CryptFileData(entry, kHistoryEntrySize, true);
    }
}

void WriteRecord(ByteWriter& out, FileCipher& cipher, const Record& record) {
    WriteTag(out, kTagRecord);
    out.WriteInt32(kRecordFieldCount);
    for (int field = 0; field < kFieldCount; ++field) {
        if (field == kDateAssigned) {
            out.WriteBytes(&record.dateAssigned, sizeof(SystemTime));
        } else if (field == kDateExpires) {
            out.WriteBytes(&record.dateExpires, sizeof(SystemTime));
        } else {
            WriteString(out, cipher, record.fields[static_cast<std::size_t>(field)]);
        }
    }
    if (record.formData.empty()) return;
    WriteTag(out, kTagDataForm);
    out.WriteInt32(static_cast<std::int32_t>(record.formData.size()));
    for (const FormField& item : record.formData) {
        out.WriteInt32(item.type);
        WriteString(out, cipher, item.name);
        WriteString(out, cipher, item.value);
        out.WriteInt32(item.checkState);
        out.WriteInt32(item.formIndex);
        out.WriteInt32(item.submittedForm);
        WriteString(out, cipher, item.reserved2);
        out.WriteInt32(item.autoSubmit);
        out.WriteInt32(item.column);
    }
}

}  // namespace

void WriteString(ByteWriter& out, FileCipher& cipher, const std::string& text) {
    const std::size_t padded = (text.size() + 1 + 7) / 8 * 8;
    out.WriteInt32(static_cast<std::int32_t>(padded));
    unsigned char* block = WriteTextBlock(out, text, padded);
    cipher.CryptFileData(block, padded, true);
}

std::vector<FolderVisit> FoldersInArrayOrder(const PasswordDatabase& db) {
    std::vector<FolderVisit> walk;
    walk.reserve(db.Folders.size());
    for (std::size_t i = 0; i < db.Folders.size(); ++i) {
        walk.push_back({static_cast<int>(i), db.Folders[i].path});
    }
    return walk;
}

bool CPasswordFile::SaveFile(const std::vector<FolderVisit>& walk) {
    if (db_.FilePath.empty() || db_.FileLoaded == 0) return false;
    WaitCursor wait(ui_);
    FileCipher cipher(db_, keying_);
    ByteWriter out;
    WriteTag(out, kTagVersion);
    WriteTextBlock(out, kCurrentVersion, 4);
    WriteHeaderItems(out);
    WriteHistory(out, cipher, kTagSearchFolders, db_.SearchFolderHistory);
    WriteHistory(out, cipher, kTagSearchItems, db_.SearchItemHistory);
    for (const std::string& site : db_.IgnoredSites) {
        WriteTag(out, kTagIgnoredSite);
        WriteString(out, cipher, site);
    }
    WriteFolders(out, cipher, walk);
    return Commit(out);
}

bool CPasswordFile::WriteHeader() {
    if (db_.FilePath.empty()) return false;
    ByteWriter out;
    WriteHeaderItems(out);
    return Commit(out);
}

void CPasswordFile::WriteHeaderItems(ByteWriter& out) {
    if (db_.EncryptFiles != 1) return;
    WriteTag(out, kTagReminder);
    WriteTextBlock(out, db_.ReminderPhrase, kReminderSize);
    WriteTag(out, kTagVerifier);
    const Verifier verifier = MakeVerifier(db_.MasterPassword);
    out.WriteBytes(verifier.data(), verifier.size());
}

void CPasswordFile::WriteFolders(ByteWriter& out, FileCipher& cipher,
                                 const std::vector<FolderVisit>& walk) {
    for (const FolderVisit& visit : walk) {
        if (visit.folderIndex < 0 || static_cast<std::size_t>(visit.folderIndex) >= db_.Folders.size()) {
            continue;
        }
        Folder& folder = db_.Folders[static_cast<std::size_t>(visit.folderIndex)];
        if (folder.present == 0) continue;
        folder.path = visit.path;
        WriteTag(out, kTagFolder);
        WriteString(out, cipher, folder.path.substr(0, kMaxPathLength));
        out.WriteInt32(folder.category);
        // Only the first empty record of a folder is kept.
        bool wroteEmpty = false;
        for (const Record& record : folder.records) {
            if (IsEntirelyEmpty(record)) {
                if (wroteEmpty) continue;
                wroteEmpty = true;
            }
            WriteRecord(out, cipher, record);
        }
    }
}

bool CPasswordFile::Commit(const ByteWriter& out) { return CommitFile(files_, ui_, db_.FilePath, out.Data()); }

}  // namespace kv
