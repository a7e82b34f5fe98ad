// Decides from a captured form field's name which record field its value
// belongs in, so that a new record comes out with its fields filled.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "db/Record.h"

namespace kv {

using RecordFields = std::array<std::string, kFieldCount>;

class CFormFieldClassifier {
public:
    // Runs the keyword groups over the normalised name of entry `entry`; the
    // first group that matches assigns its field (even when that is taken).
    void Classify(RecordFields& fields, std::vector<FormField>& formData, std::size_t entry) const;

    // Copies the entry's value into `field` and gives the entry that column,
    // unless an entry of the list already holds it.
    void Assign(RecordFields& fields, std::vector<FormField>& formData, std::size_t entry, int field) const;

    // Fills a captured record entry by entry in list order: password inputs
    // (of pages and of authentication dialogs) always go to Password, the
    // dialog's user name to Username, text inputs through `Classify`; other
    // kinds stay unassigned.
    void ClassifyCapture(RecordFields& fields, std::vector<FormField>& formData) const;

    static bool IsColumnTaken(const std::vector<FormField>& formData, int field);

    // The name in lower case without "$", "-" and "_".
    static std::string Normalise(const std::string& name);

    // The keyword groups, in the order they are tried, over a normalised name.
    static bool IsUsername(const std::string& name);
    static bool IsSerialNumber(const std::string& name);
    static bool IsEmail(const std::string& name);
    static bool IsPhone(const std::string& name);
    static bool IsAccount(const std::string& name);
    static bool IsBank(const std::string& name);
    static bool IsCreditCard(const std::string& name);
    static bool IsTitle(const std::string& name);
    static bool IsNotes(const std::string& name);
    static bool IsPassword(const std::string& name);
};

}  // namespace kv
