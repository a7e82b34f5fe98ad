// Reading a page's forms into a record's form data, writing the data back,
// and submitting the forms. The forms of the top document are walked; only
// when it has none are the forms of its frames walked instead.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "db/Record.h"
#include "webforms/WebPage.h"

namespace kv {

// The type code of an element type named by the page ("TEXT" 1, "PASSWORD"
// 2, "RADIO" 3, "CHECKBOX" 4, "SELECT" 5, compared without case), 0 for any
// other type.
int FormFieldTypeOf(const std::string& typeName);

// The forms a walk visits, and whether any of them has an input or a select list.
struct FormCensus {
    std::size_t forms = 0;
    bool withFields = false;
};
FormCensus TakeFormCensus(WebDocument& page);

// Every text and password input with a value, every checked radio button
// and check box, and every selected option of a named select list, with the
// form's position. With `watch`, each form is watched for its submission.
std::vector<FormField> CaptureForms(WebDocument& page, bool watch);

// Writes the entries into the inputs and select lists they were recorded
// from. Imported entries (type 7) are bound to the inputs they fit first,
// which renames them in `entries`. A frame whose site differs from
// `recordAddress` is not filled. False when there is nothing to fill.
bool FillForms(WebDocument& page, std::vector<FormField>& entries, const std::string& recordAddress);

// Submits each form: the first submit button is clicked, else the form is
// submitted. Of a frame only the first form is submitted.
void SubmitForms(WebDocument& page);

// Gives an imported entry the name of an input it fits (a user name field
// for "User ID$", a password input for "Password$", or an input whose name
// begins like the entry's); nothing for a name without "$".
void RebindImportedName(FormField& entry, const std::string& inputName, bool passwordInput);

}  // namespace kv
