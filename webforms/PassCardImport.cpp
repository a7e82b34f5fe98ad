#include "webforms/PassCardImport.h"

#include <string>

#include "db/Database.h"
#include "platform/Locale.h"
#include "transfer/PassCardReader.h"
#include "transfer/TextEncoding.h"
#include "webforms/FormFieldClassifier.h"

namespace kv {
namespace {

Record RecordOf(const PassCard& card, const Locale& locale) {
    Record record;
    record.fields[kDescription] = card.name;
    record.fields[kUsername] = card.username;
    record.fields[kPassword] = card.password;
    record.fields[kUrl] = card.subcaption;
    record.fields[kNotes] = card.note;
    record.dateAssigned = locale.LocalNow();
    record.fields[kDateAssigned] = FormatDate(record.dateAssigned, locale);
    return record;
}

Record& PlaceRecord(std::vector<Record>& records, Record record) {
    for (Record& existing : records) {
        if (existing.fields[kDescription] == record.fields[kDescription]) {
            existing = std::move(record);
            return existing;
        }
    }
    return records.emplace_back(std::move(record));
}

}  // namespace

PassCardImportResult ImportPassCards(std::string_view bytes, PasswordDatabase& db, int folderIndex,
                                     const Locale& locale) {
    PassCardImportResult result;
    if (folderIndex < 0 || static_cast<std::size_t>(folderIndex) >= db.Folders.size()) return result;
    result.folderValid = true;
    Folder& folder = db.Folders[folderIndex];
    const PassCardList list = ReadPassCards(bytes, locale);
    result.valid = list.valid;
    result.unrepresentable = list.unrepresentable;
    const CFormFieldClassifier classifier;
    for (const PassCard& card : list.cards) {
        Record& record = PlaceRecord(folder.records.write(), RecordOf(card, locale));
        std::vector<FormField> working = card.fields;
        for (std::size_t i = 0; i < working.size(); ++i) {
            classifier.Classify(record.fields, working, i);
            record.formData.push_back(working[i]);
        }
        ++result.count;
        db.Modified = true;
    }
    return result;
}

std::string PassCardSummary(const PassCardImportResult& result) {
    if (!result.folderValid) return "Invalid folder index";
    if (!result.valid) return "This does not appear to be a valid PassCard file.";
    // The count is followed by a space of its own, so two stand before the name.
    std::string text = (result.count > 0 ? std::to_string(result.count) + " " : std::string("No ")) +
                       " RoboForm PassCards were imported.";
    if (result.count == 0) {
        text += "\n\nYou must upgrade your RoboForm software to version 5.4.5 or higher\nto use the import feature.";
    }
    text += UnrepresentableNote(result.unrepresentable);
    return text;
}

}  // namespace kv
