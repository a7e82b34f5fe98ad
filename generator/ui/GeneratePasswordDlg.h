// "Generate password" (CGeneratePasswordDlg, template 158): a new password
// of random characters or of words from the built-in list, with its
// strength. The options come from the settings when it opens and go back
// there when it closes with OK.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "generator/GeneratorSettings.h"
#include "generator/PasswordGenerator.h"
#include "uikit/Dialog.h"
#include "uikit/MessageMap.h"

namespace kv {

class CGeneratePasswordDlg : public ui::Mapped<CGeneratePasswordDlg, ui::Dialog> {
public:
    // Shows one of the dialog's messages to the user.
    using Tell = std::function<void(const std::string& text)>;

    CGeneratePasswordDlg(SettingsStorage& storage, Tell tell);
    ~CGeneratePasswordDlg() override;

    // Set by default: OK reads "Copy to clipboard". Cleared when the
    // password goes into a grid cell; OK then keeps its caption "Paste".
    void SetCopyMode(bool copy) { copyMode_ = copy; }
    // The password as the dialog shows it, changes typed into it included.
    const SecretString& password() const { return password_; }

    static const ui::MessageMap<CGeneratePasswordDlg>& Messages();

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    // Any other click on the dialog's buttons makes a new password.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Generate();
    void UpdateStrength();
    void ApplyPasswordType();
    void ShowSettings(const GeneratorSettings& settings);
    GeneratorSettings ReadSettings() const;
    GeneratorOptions ReadOptions() const;
    UINT CheckedRadio(const StoredRadioGroup& group) const;
    std::string TextWithoutQuotes(int id);
    void OnPasswordChanged();
    void OnSpecialCharsChanged();
    void OnInsertTextChanged();
    LRESULT OnSpinChanging(NMHDR& header);
    LRESULT OnSpin(WPARAM, LPARAM);

    SettingsStorage& storage_;
    Tell tell_;
    bool copyMode_ = true;
    // Clicks make a new password only once the dialog is ready.
    bool ready_ = false;
    // Set while a password is being made; Generate() is not entered again.
    bool generating_ = false;
    std::vector<std::string> words_;
    SecretString password_;
    // The password last made and its bits, to tell a typed password from it.
    SecretString generated_;
    double generatedBits_ = 0;
};

}  // namespace kv
