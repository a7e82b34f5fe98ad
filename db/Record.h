// The in-memory password database: folders, records, web-form fields and the
// fixed catalogue of the fourteen record fields.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "db/CowVector.h"
#include "platform/SystemTime.h"

namespace kv {

// Index of a record field; the order is that of the file format and of the
// check boxes 2000 + index in the export, report and options dialogs.
enum FieldIndex : int {
    kDescription = 0,
    kUsername = 1,
    kPassword = 2,
    kTitle = 3,
    kSerialNumber = 4,
    kCreditCard = 5,
    kBank = 6,
    kAccount = 7,
    kPhone = 8,
    kDateAssigned = 9,
    kDateExpires = 10,
    kEmail = 11,
    kUrl = 12,
    kNotes = 13,
};

constexpr int kFieldCount = 14;
constexpr int kFieldCheckBoxBase = 2000;

// Selects a folder's grid layout: 1 Default, 2 Internet, 3 Banking, 4 Software.
using Category = std::int32_t;
constexpr Category kDefaultCategory = 1;
constexpr Category kInternetCategory = 2;
constexpr Category kBankingCategory = 3;
constexpr Category kSoftwareCategory = 4;

// Kinds of captured form field.
enum FormFieldType : std::int32_t {
    kTextInput = 1,
    kPasswordInput = 2,
    kRadioButton = 3,
    kCheckBox = 4,
    kSelectList = 5,
    kPassCardField = 7,
    kAuthDialogUsername = 1000,
    kAuthDialogPassword = 1001,
};

struct FormField {
    std::int32_t type = 0;
    std::string name;
    std::string value;
    std::int32_t checkState = 0;
    std::int32_t column = -1;
    std::int32_t formIndex = -1;
    std::int32_t submittedForm = -1;
    std::string reserved2;
    std::int32_t autoSubmit = 0;

    friend bool operator==(const FormField& a, const FormField& b) {
        return a.type == b.type && a.name == b.name && a.value == b.value &&
               a.checkState == b.checkState && a.column == b.column && a.formIndex == b.formIndex &&
               a.submittedForm == b.submittedForm && a.reserved2 == b.reserved2 &&
               a.autoSubmit == b.autoSubmit;
    }
};

struct Record {
    std::array<std::string, kFieldCount> fields;
    std::vector<FormField> formData;
    SystemTime dateAssigned;
    SystemTime dateExpires;

    friend bool operator==(const Record& a, const Record& b) {
        return a.fields == b.fields && a.formData == b.formData &&
               a.dateAssigned == b.dateAssigned && a.dateExpires == b.dateExpires;
    }
};

// The separator of the names in a folder's path, and the limit of a path's length.
constexpr char kPathSeparator = '~';
constexpr std::size_t kMaxPathLength = 259;

// Copies of a folder share its records until one of them changes them, which
// keeps the undo snapshots of the whole folder array cheap.
struct Folder {
    std::string path;
    CowVector<Record> records;
    Category category = kDefaultCategory;
    std::int32_t present = 1;

    friend bool operator==(const Folder& a, const Folder& b) {
        return a.path == b.path && a.records == b.records && a.category == b.category &&
               a.present == b.present;
    }
};

// Wipes the values of the fields (the secrets a form held) where they lie.
void WipeFormValues(std::vector<FormField>& fields);

// All fourteen strings empty (dates and form data do not count).
bool HasEmptyFields(const Record& record);
// All fields empty, notes counting as empty when their plain text is empty:
// such a record is not saved and sorts last.
bool IsEntirelyEmpty(const Record& record);

// The default column name of a field ("Description" ... "Notes").
const char* DefaultFieldName(int field);

// The default name of a category 1 to 4, "INVALID COLUMN" for any other number.
const char* DefaultCategoryName(Category category);

// A stored category outside 1 to 4 counts as 1.
Category EffectiveCategory(Category stored);

// Whether `date` has passed at the moment `now`; a date that is no valid
// date-time (the all-zero date, for one) is never expired.
bool IsExpired(const SystemTime& date, const SystemTime& now);

}  // namespace kv
