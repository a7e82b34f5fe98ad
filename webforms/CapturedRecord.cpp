#include "webforms/CapturedRecord.h"

#include <algorithm>

#include "platform/Windows1252.h"
#include "webforms/FormFieldClassifier.h"
#include "webforms/SiteAddress.h"
#include "webforms/SiteRecords.h"

namespace kv {
namespace {

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string FormNameFromTitle(const std::string& title) {
    const std::size_t dash = title.rfind('-');
    if (dash == std::string::npos) return Trimmed(title);
    if (title.find("MyIE2") == std::string::npos) return Trimmed(title.substr(0, dash));
    std::string after = title.substr(dash + 1);
    after.erase(std::remove_if(after.begin(), after.end(), [](char c) { return c == '[' || c == ']'; }), after.end());
    return Trimmed(after);
}

Record BuildCapturedRecord(const CapturedForm& form, const Locale& locale) {
    Record record;
    record.fields[kDescription] = form.name;
    record.fields[kUrl] = form.address;
    record.dateAssigned = locale.LocalNow();
    record.fields[kDateAssigned] = FormatDate(record.dateAssigned, locale);
    record.formData = form.fields;
    for (FormField& entry : record.formData) entry.autoSubmit = form.alwaysSubmit ? 1 : 0;
    CFormFieldClassifier().ClassifyCapture(record.fields, record.formData);
    return record;
}

int RecordNamed(const Folder& folder, const std::string& name) {
    for (std::size_t i = 0; i < folder.records.size(); ++i) {
        if (windows1252::EqualNoCase(folder.records[i].fields[kDescription], name)) return static_cast<int>(i);
    }
    return -1;
}

int StoreCapturedRecord(PasswordDatabase& db, int folderIndex, const Record& captured, int existing) {
    auto& records = db.Folders.at(static_cast<std::size_t>(folderIndex)).records.write();
    if (existing >= 0 && static_cast<std::size_t>(existing) < records.size()) {
        records[static_cast<std::size_t>(existing)].formData = captured.formData;
        return existing;
    }
    records.push_back(captured);
    return static_cast<int>(records.size()) - 1;
}

std::optional<RecordMark> MarkRecord(const std::vector<Folder>& folders, RecordPlace place) {
    if (place.folder < 0 || static_cast<std::size_t>(place.folder) >= folders.size()) return std::nullopt;
    const Folder& folder = folders[static_cast<std::size_t>(place.folder)];
    if (place.record < 0 || static_cast<std::size_t>(place.record) >= folder.records.size()) return std::nullopt;
    return RecordMark{folder.path, folder.records[static_cast<std::size_t>(place.record)], place};
}

std::optional<RecordPlace> FindRecordAgain(const std::vector<Folder>& folders, const RecordMark& mark) {
    for (std::size_t f = 0; f < folders.size(); ++f) {
        const Folder& folder = folders[f];
        if (folder.present == 0 || folder.path != mark.folderPath) continue;
        const auto& records = folder.records;
        const int hinted = static_cast<int>(f) == mark.hint.folder ? mark.hint.record : -1;
        if (hinted >= 0 && static_cast<std::size_t>(hinted) < records.size() &&
            records[static_cast<std::size_t>(hinted)] == mark.copy) {
            return RecordPlace{static_cast<int>(f), hinted};
        }
        for (std::size_t r = 0; r < records.size(); ++r) {
            if (records[r] == mark.copy) return RecordPlace{static_cast<int>(f), static_cast<int>(r)};
        }
    }
    return std::nullopt;
}

bool IgnoreSite(std::vector<std::string>& ignored, const std::string& address) {
    if (IsIgnoredSite(ignored, address)) return false;
    ignored.push_back(SiteFormOf(address));
    return true;
}

}  // namespace kv
