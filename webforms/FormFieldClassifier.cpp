#include "webforms/FormFieldClassifier.h"

#include <initializer_list>

#include "platform/Windows1252.h"

namespace kv {
namespace {

bool ContainsAny(const std::string& name, std::initializer_list<const char*> keywords) {
    for (const char* keyword : keywords) {
        if (name.find(keyword) != std::string::npos) return true;
    }
    return false;
}

// The lower-case form of a byte of the code page: the letter whose upper case
// it is, when there is one.
unsigned char ToLower(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c - 'A' + 'a');
    if (c < 0x80) return c;
    for (int lower = 0x80; lower < 0x100; ++lower) {
        if (lower != c && windows1252::ToUpper(static_cast<unsigned char>(lower)) == c) {
            return static_cast<unsigned char>(lower);
        }
    }
    return c;
}

}  // namespace

std::string CFormFieldClassifier::Normalise(const std::string& name) {
    std::string normalised;
    for (char c : name) {
        if (c == '$' || c == '-' || c == '_') continue;
        normalised += static_cast<char>(ToLower(static_cast<unsigned char>(c)));
    }
    return normalised;
}

bool CFormFieldClassifier::IsUsername(const std::string& n) { return ContainsAny(n, {"user", "name", "login"}); }
bool CFormFieldClassifier::IsSerialNumber(const std::string& n) { return ContainsAny(n, {"serial"}); }
bool CFormFieldClassifier::IsEmail(const std::string& n) { return ContainsAny(n, {"mail"}); }
bool CFormFieldClassifier::IsPhone(const std::string& n) { return ContainsAny(n, {"phone", "phne", "tele", "cell"}); }
bool CFormFieldClassifier::IsAccount(const std::string& n) { return ContainsAny(n, {"account", "acct"}); }
bool CFormFieldClassifier::IsBank(const std::string& n) { return ContainsAny(n, {"bank"}); }
bool CFormFieldClassifier::IsCreditCard(const std::string& n) {
    return ContainsAny(n, {"credit", "card", "visa", "express", "discover", "amex"});
}
bool CFormFieldClassifier::IsTitle(const std::string& n) { return ContainsAny(n, {"title"}); }
bool CFormFieldClassifier::IsNotes(const std::string& n) {
    return ContainsAny(n, {"note", "comment", "cmt", "description"});
}
bool CFormFieldClassifier::IsPassword(const std::string& n) { return ContainsAny(n, {"pass", "pwd", "pword"}); }

bool CFormFieldClassifier::IsColumnTaken(const std::vector<FormField>& formData, int field) {
    for (const FormField& entry : formData) {
        if (entry.column == field) return true;
    }
    return false;
}

void CFormFieldClassifier::Assign(RecordFields& fields, std::vector<FormField>& formData, std::size_t entry,
                                  int field) const {
    if (entry >= formData.size() || field < 0 || field >= kFieldCount || IsColumnTaken(formData, field)) return;
    fields[field] = formData[entry].value;
    formData[entry].column = field;
}

void CFormFieldClassifier::Classify(RecordFields& fields, std::vector<FormField>& formData,
                                    std::size_t entry) const {
    if (entry >= formData.size()) return;
    const std::string name = Normalise(formData[entry].name);
    if (name.empty()) return;
    struct Group {
        bool (*matches)(const std::string&);
        int field;
    };
    static constexpr Group kGroups[] = {
        {IsUsername, kUsername}, {IsSerialNumber, kSerialNumber}, {IsEmail, kEmail},
        {IsPhone, kPhone},       {IsAccount, kAccount},           {IsBank, kBank},
        {IsCreditCard, kCreditCard}, {IsTitle, kTitle},           {IsNotes, kNotes},
        {IsPassword, kPassword},
    };
    for (const Group& group : kGroups) {
        if (group.matches(name)) {
            Assign(fields, formData, entry, group.field);
            return;
        }
    }
}

void CFormFieldClassifier::ClassifyCapture(RecordFields& fields, std::vector<FormField>& formData) const {
    for (std::size_t entry = 0; entry < formData.size(); ++entry) {
        FormField& field = formData[entry];
        if (field.type == kPasswordInput || field.type == kAuthDialogPassword) {
            fields[kPassword] = field.value;
            field.column = kPassword;
        } else if (field.type == kAuthDialogUsername) {
            fields[kUsername] = field.value;
            field.column = kUsername;
        } else if (field.type == kTextInput) {
            Classify(fields, formData, entry);
        }
    }
}

}  // namespace kv
