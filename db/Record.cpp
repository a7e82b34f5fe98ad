#include "db/Record.h"

#include "db/RichText.h"
#include "platform/SecureWipe.h"

namespace kv {

void WipeFormValues(std::vector<FormField>& fields) {
    for (FormField& field : fields) SecureWipe(field.value);
}

bool HasEmptyFields(const Record& record) {
    for (const std::string& field : record.fields) {
        if (!field.empty()) return false;
    }
    return true;
}

bool IsEntirelyEmpty(const Record& record) {
    for (int field = 0; field < kFieldCount; ++field) {
        const std::string& text = record.fields[static_cast<std::size_t>(field)];
        if (!text.empty() && !(field == kNotes && PlainTextOf(text).empty())) return false;
    }
    return true;
}

const char* DefaultFieldName(int field) {
    static const char* const kNames[kFieldCount] = {
        "Description", "Username", "Password", "Title", "Serial #", "Credit card #", "Bank",
        "Account", "Phone", "Date assigned", "Date expires", "Email", "URL", "Notes",
    };
    return field >= 0 && field < kFieldCount ? kNames[field] : "";
}

const char* DefaultCategoryName(Category category) {
    switch (category) {
        case kDefaultCategory: return "Default";
        case kInternetCategory: return "Internet";
        case kBankingCategory: return "Banking";
        case kSoftwareCategory: return "Software";
        default: return "INVALID COLUMN";
    }
}

Category EffectiveCategory(Category stored) {
    return stored >= kDefaultCategory && stored <= kSoftwareCategory ? stored : kDefaultCategory;
}

bool IsExpired(const SystemTime& date, const SystemTime& now) {
    return IsValidDateTime(date) && IsValidDateTime(now) && CompareDateTimes(now, date) > 0;
}

}  // namespace kv
