#include "webforms/FormWalker.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "platform/Windows1252.h"
#include "webforms/SiteAddress.h"

namespace kv {
namespace {

using windows1252::EqualNoCase;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return text;
}

// The forms of the top document, or of its frames when it has none.
template <class Visit>
void ForEachForm(WebDocument& page, const Visit& visit) {
    const auto walk = [&](WebDocument& document, bool frame) {
        const std::size_t count = document.FormCount();
        for (std::size_t i = 0; i < count; ++i) {
            if (std::unique_ptr<WebForm> form = document.Form(i)) {
                if (!visit(*form, static_cast<int>(i), document, frame)) return;
            }
        }
    };
    if (page.FormCount() > 0) {
        walk(page, false);
        return;
    }
    for (const std::unique_ptr<WebDocument>& frame : page.Frames()) {
        if (frame) walk(*frame, true);
    }
}

void CaptureForm(WebForm& form, int formIndex, std::vector<FormField>& out) {
    const std::size_t inputs = form.InputCount();
    for (std::size_t i = 0; i < inputs; ++i) {
        const WebInputState input = form.Input(i);
        const int type = FormFieldTypeOf(input.type);
        const bool typed = (type == kTextInput || type == kPasswordInput) && !input.value.empty();
        const bool ticked = (type == kRadioButton || type == kCheckBox) && input.checked;
        if (!typed && !ticked) continue;
        FormField field;
        field.type = type;
        field.name = input.name;
        field.value = input.value;
        field.checkState = input.checked ? 1 : 0;
        field.formIndex = formIndex;
        out.push_back(std::move(field));
    }
    const std::size_t selects = form.SelectCount();
    for (std::size_t s = 0; s < selects; ++s) {
        const WebSelectState select = form.Select(s);
        if (select.name.empty()) continue;
        for (const WebOptionState& option : select.options) {
            if (!option.selected) continue;
            FormField field;
            field.type = kSelectList;
            field.name = select.name;
            field.value = option.value;
            field.formIndex = formIndex;
            out.push_back(std::move(field));
        }
    }
}

void FillInputs(WebForm& form, int formIndex, std::vector<FormField>& entries) {
    const std::size_t inputs = form.InputCount();
    for (std::size_t i = 0; i < inputs; ++i) {
        const WebInputState input = form.Input(i);
        const int type = FormFieldTypeOf(input.type);
        if (type == 0) continue;
        for (FormField& entry : entries) {
            if (entry.type == kPassCardField) RebindImportedName(entry, input.name, type == kPasswordInput);
            const bool fits = entry.type == type || entry.type == kPassCardField;
            if (!fits || (entry.formIndex != formIndex && entry.formIndex != -1) || !EqualNoCase(entry.name, input.name)) {
                continue;
            }
            if (type == kTextInput || type == kPasswordInput) {
                form.SetValue(i, entry.value);
            } else if ((type == kRadioButton || type == kCheckBox) && entry.value == input.value) {
                form.SetChecked(i, true);
            }
        }
    }
}

void FillSelects(WebForm& form, int formIndex, const std::vector<FormField>& entries) {
    const std::size_t selects = form.SelectCount();
    for (std::size_t s = 0; s < selects; ++s) {
        const WebSelectState select = form.Select(s);
        if (select.name.empty()) continue;
        for (std::size_t o = 0; o < select.options.size(); ++o) {
            const bool chosen = std::any_of(entries.begin(), entries.end(), [&](const FormField& entry) {
                return entry.type == kSelectList && entry.formIndex == formIndex && EqualNoCase(entry.name, select.name) &&
                       entry.value == select.options[o].value;
            });
            if (chosen) form.SetSelected(s, o, true);
        }
    }
}

void SubmitForm(WebForm& form) {
    const std::size_t inputs = form.InputCount();
    for (std::size_t i = 0; i < inputs; ++i) {
        if (EqualNoCase(form.Input(i).type, "submit")) {
            form.Click(i);
            return;
        }
    }
    form.Submit();
}

}  // namespace

int FormFieldTypeOf(const std::string& typeName) {
    static const std::array<std::pair<const char*, int>, 5> kTypes{
        {{"TEXT", kTextInput}, {"PASSWORD", kPasswordInput}, {"RADIO", kRadioButton}, {"CHECKBOX", kCheckBox}, {"SELECT", kSelectList}}};
    for (const auto& [name, type] : kTypes) {
        if (EqualNoCase(typeName, name)) return type;
    }
    return 0;
}

FormCensus TakeFormCensus(WebDocument& page) {
    FormCensus census;
    ForEachForm(page, [&](WebForm& form, int, WebDocument&, bool) {
        ++census.forms;
        if (form.InputCount() > 0 || form.SelectCount() > 0) census.withFields = true;
        return true;
    });
    return census;
}

std::vector<FormField> CaptureForms(WebDocument& page, bool watch) {
    std::vector<FormField> fields;
    ForEachForm(page, [&](WebForm& form, int formIndex, WebDocument&, bool) {
        if (watch) form.Watch();
        CaptureForm(form, formIndex, fields);
        return true;
    });
    return fields;
}

bool FillForms(WebDocument& page, std::vector<FormField>& entries, const std::string& recordAddress) {
    if (entries.empty()) return false;
    ForEachForm(page, [&](WebForm& form, int formIndex, WebDocument& document, bool frame) {
        // A frame of another site gets nothing of the record.
        if (frame && !SameSite(document.Address(), recordAddress)) return false;
        FillInputs(form, formIndex, entries);
        FillSelects(form, formIndex, entries);
        return true;
    });
    return true;
}

void SubmitForms(WebDocument& page) {
    ForEachForm(page, [](WebForm& form, int, WebDocument&, bool frame) {
        SubmitForm(form);
        return !frame;
    });
}

void RebindImportedName(FormField& entry, const std::string& inputName, bool passwordInput) {
    if (entry.name.find('$') == std::string::npos) return;
    if (entry.name.size() >= 2 && inputName.size() >= 2 && EqualNoCase(entry.name.substr(0, 2), inputName.substr(0, 2))) {
        entry.name = inputName;
        return;
    }
    const std::string lower = Lower(inputName);
    static const char* const kUserWords[] = {"user", "login", "uname", "usr", "id"};
    const bool userField = std::any_of(std::begin(kUserWords), std::end(kUserWords),
                                       [&](const char* word) { return lower.find(word) != std::string::npos; });
    if ((entry.name == "User ID$" && userField) || (entry.name == "Password$" && passwordInput)) entry.name = lower;
}

}  // namespace kv
