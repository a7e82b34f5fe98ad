// What the Add Web Form dialog and the AutoFill pop-up decide without a
// window: the name a page's title gives, the record a capture makes, the
// record it replaces, finding a record again, and ignoring a site.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "db/Database.h"
#include "platform/Locale.h"

namespace kv {

// The record's name from the browser's title: the text before its last "-";
// of a MyIE2 title the text after its last "-" without "[" and "]"; spaces
// at either end dropped.
std::string FormNameFromTitle(const std::string& title);

struct CapturedForm {
    std::string name;     // the Description
    std::string address;  // the page's address
    std::vector<FormField> fields;
    bool alwaysSubmit = false;
};

// A record of the captured fields: Description, Date assigned today, web
// address, and the fields the classifier gives, every entry's auto-submit
// from `alwaysSubmit`.
Record BuildCapturedRecord(const CapturedForm& form, const Locale& locale);

// The first record of the folder whose Description equals `name` without
// case, or -1.
int RecordNamed(const Folder& folder, const std::string& name);

// Stores the captured record in folder `folderIndex`: with `replace` the
// record at `existing` takes its form data, else it is appended. The
// record's index in the folder.
int StoreCapturedRecord(PasswordDatabase& db, int folderIndex, const Record& captured, int existing);

// Where a record a window showed stands now. A window that outlives a
// change of the arrays (a sort, a move, an undo) keeps the folder's path and
// a copy of the record, and finds it again before it uses it.
struct RecordPlace {
    int folder = -1;
    int record = -1;
};

struct RecordMark {
    std::string folderPath;
    Record copy;
    RecordPlace hint;  // where it stood when it was marked
};

// The mark of record `place`, nothing when there is no such record.
std::optional<RecordMark> MarkRecord(const std::vector<Folder>& folders, RecordPlace place);

// The record of the mark: at its old place if it is still there, else the
// first equal record of the present folder with the mark's path; nothing
// when it changed or went.
std::optional<RecordPlace> FindRecordAgain(const std::vector<Folder>& folders, const RecordMark& mark);

// Puts the site form of `address` on the ignored list unless it is there
// (IsIgnoredSite); true when the list changed.
bool IgnoreSite(std::vector<std::string>& ignored, const std::string& address);

}  // namespace kv
