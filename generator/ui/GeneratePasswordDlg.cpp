#include "generator/ui/GeneratePasswordDlg.h"

#include <optional>
#include <utility>

#include "generator/PasswordStrength.h"
#include "generator/WordList.h"
#include "resources/resource.h"
#include "uikit/Controls.h"
#include "uikit/Module.h"

namespace kv {
namespace {

static_assert(kGeneratorTypeGroup.first == IDC_TYPE_SECURE && kGeneratorTypeGroup.last == IDC_TYPE_SIMPLE &&
              kGeneratorTypeGroup.fallback == IDC_TYPE_SECURE);
static_assert(kGeneratorCaseGroup.first == IDC_CASE_UPPER && kGeneratorCaseGroup.last == IDC_CASE_MIXED &&
              kGeneratorCaseGroup.fallback == IDC_CASE_MIXED);
static_assert(kGeneratorInsertGroup.first == IDC_INSERT_PREFIX && kGeneratorInsertGroup.last == IDC_INSERT_DISABLE &&
              kGeneratorInsertGroup.fallback == IDC_INSERT_DISABLE);
static_assert(kGeneratorWordsGroup.first == IDC_SINGLE_WORD && kGeneratorWordsGroup.last == IDC_WORD_NUMBER_WORD &&
              kGeneratorWordsGroup.fallback == IDC_SINGLE_WORD);

const UINT kSpinMessage = RegisterWindowMessageA("PASSWORDSpinMsg");
constexpr int kMaxTypedPassword = 79;

const int kCharacterControls[] = {IDC_USE_LETTERS, IDC_USE_NUMBERS, IDC_USE_SPECIAL, IDC_SPECIAL_CHARS};
const int kInsertPlaces[] = {IDC_INSERT_PREFIX, IDC_INSERT_MIDDLE, IDC_INSERT_SUFFIX, IDC_INSERT_DISABLE};
// In Simple mode each word option takes the place of a character control.
const std::pair<int, int> kWordPlaces[] = {
    {IDC_SINGLE_WORD, IDC_USE_NUMBERS},
    {IDC_WORD_NUMBER, IDC_SPECIAL_CHARS},
    {IDC_WORD_NUMBER_WORD, IDC_USE_SPECIAL},
    {IDC_WORD_WORD, IDC_USE_LETTERS},
};

std::optional<std::vector<std::string>> LoadWordList() {
    HINSTANCE module = ui::Instance();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDR_WORDLIST), "WORDLIST");
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) return std::nullopt;
    return DecodeWordList(static_cast<const std::uint8_t*>(data), SizeofResource(module, found));
}

}  // namespace

CGeneratePasswordDlg::CGeneratePasswordDlg(SettingsStorage& storage, Tell tell)
    : Mapped(IDD_GENERATE_PASSWORD), storage_(storage), tell_(std::move(tell)) {}

CGeneratePasswordDlg::~CGeneratePasswordDlg() = default;

const ui::MessageMap<CGeneratePasswordDlg>& CGeneratePasswordDlg::Messages() {
    static const auto map = ui::MessageMap<CGeneratePasswordDlg>()
                                .Command(IDC_GENERATE, &CGeneratePasswordDlg::Generate)
                                .Command(IDC_TYPE_SECURE, &CGeneratePasswordDlg::ApplyPasswordType)
                                .Command(IDC_TYPE_SIMPLE, &CGeneratePasswordDlg::ApplyPasswordType)
                                .Control(IDC_GENERATED_PASSWORD, EN_CHANGE, &CGeneratePasswordDlg::OnPasswordChanged)
                                .Control(IDC_SPECIAL_CHARS, EN_CHANGE, &CGeneratePasswordDlg::OnSpecialCharsChanged)
                                .Control(IDC_INSERT_TEXT, EN_CHANGE, &CGeneratePasswordDlg::OnInsertTextChanged)
                                .Control(IDC_INSERT_TEXT, EN_KILLFOCUS, &CGeneratePasswordDlg::OnInsertTextChanged)
                                .Notify(IDC_LENGTH_SPIN, UDN_DELTAPOS, &CGeneratePasswordDlg::OnSpinChanging)
                                .Registered(&kSpinMessage, &CGeneratePasswordDlg::OnSpin);
    return map;
}

bool CGeneratePasswordDlg::OnInitDialog() {
    if (std::optional<std::vector<std::string>> words = LoadWordList()) {
        words_ = std::move(*words);
    } else {
        tell_("Unable to load word list.");
    }
    ui::Control spin(Item(IDC_LENGTH_SPIN));
    spin.Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(IDC_PASSWORD_LENGTH)));
    spin.Send(UDM_SETRANGE32, 1, kMaxSpinLength);
    // The texts are kept to what the settings can read back.
    for (const int id : {IDC_SPECIAL_CHARS, IDC_INSERT_TEXT}) {
        ui::Edit(Item(id)).LimitText(static_cast<int>(kGeneratorTextSize - 1));
    }
    ShowSettings(LoadGeneratorSettings(storage_));
    ApplyPasswordType();
    OnSpecialCharsChanged();
    OnInsertTextChanged();
    ui::Edit password(Item(IDC_GENERATED_PASSWORD));
    password.SetText("");
    password.LimitText(kMaxTypedPassword);
    Generate();
    ui::Control(Item(IDC_PASSWORD_LENGTH)).Focus();
    if (copyMode_) SetItemText(IDOK, "Copy to clipboard");
    ready_ = true;
    return false;  // the focus is set
}

bool CGeneratePasswordDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const bool handled = Mapped::HandleMessage(message, wParam, lParam, result);
    const UINT id = LOWORD(wParam);
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && id != IDOK && id != IDCANCEL && id != IDC_GENERATE &&
        ready_) {
        Generate();
    }
    return handled;
}

void CGeneratePasswordDlg::ShowSettings(const GeneratorSettings& settings) {
    SetItemText(IDC_PASSWORD_LENGTH, settings.PasswordLength);
    SetItemText(IDC_SPECIAL_CHARS, settings.SpecialChars);
    SetItemText(IDC_INSERT_TEXT, settings.InsertText);
    Check(IDC_USE_LETTERS, settings.UseLetters != 0);
    Check(IDC_USE_NUMBERS, settings.UseNumbers != 0);
    Check(IDC_USE_SPECIAL, settings.UseSpecial != 0);
    for (const auto& [group, checked] : {std::make_pair(kGeneratorInsertGroup, settings.InsertMode),
                                         std::make_pair(kGeneratorCaseGroup, settings.UseCase),
                                         std::make_pair(kGeneratorWordsGroup, settings.WordOptions),
                                         std::make_pair(kGeneratorTypeGroup, settings.Secure)}) {
        CheckRadioButton(hwnd(), static_cast<int>(group.first), static_cast<int>(group.last), static_cast<int>(checked));
    }
}

UINT CGeneratePasswordDlg::CheckedRadio(const StoredRadioGroup& group) const {
    for (UINT id = group.first; id <= group.last; ++id) {
        if (IsChecked(static_cast<int>(id))) return id;
    }
    return 0;
}

GeneratorSettings CGeneratePasswordDlg::ReadSettings() const {
    GeneratorSettings settings;
    settings.PasswordLength = ItemText(IDC_PASSWORD_LENGTH);
    settings.SpecialChars = ItemText(IDC_SPECIAL_CHARS);
    settings.InsertText = ItemText(IDC_INSERT_TEXT);
    settings.UseLetters = IsChecked(IDC_USE_LETTERS) ? 1 : 0;
    settings.UseNumbers = IsChecked(IDC_USE_NUMBERS) ? 1 : 0;
    settings.UseSpecial = IsChecked(IDC_USE_SPECIAL) ? 1 : 0;
    settings.InsertMode = CheckedRadio(kGeneratorInsertGroup);
    settings.UseCase = CheckedRadio(kGeneratorCaseGroup);
    settings.WordOptions = CheckedRadio(kGeneratorWordsGroup);
    settings.Secure = CheckedRadio(kGeneratorTypeGroup);
    return settings;
}

GeneratorOptions CGeneratePasswordDlg::ReadOptions() const {
    GeneratorOptions options;
    options.type = IsChecked(IDC_TYPE_SECURE) ? PasswordType::Secure : PasswordType::Simple;
    options.length = ParsePasswordLength(ItemText(IDC_PASSWORD_LENGTH));
    options.useLetters = IsChecked(IDC_USE_LETTERS);
    options.useNumbers = IsChecked(IDC_USE_NUMBERS);
    options.useSpecial = IsChecked(IDC_USE_SPECIAL);
    options.specialChars = ItemText(IDC_SPECIAL_CHARS);
    options.letterCase = IsChecked(IDC_CASE_UPPER)   ? LetterCase::Upper
                         : IsChecked(IDC_CASE_LOWER) ? LetterCase::Lower
                                                     : LetterCase::Mixed;
    options.insertPlace = IsChecked(IDC_INSERT_PREFIX)   ? InsertPlace::Prefix
                          : IsChecked(IDC_INSERT_MIDDLE) ? InsertPlace::Middle
                          : IsChecked(IDC_INSERT_SUFFIX) ? InsertPlace::Suffix
                                                         : InsertPlace::None;
    options.insertText = ItemText(IDC_INSERT_TEXT);
    options.words = IsChecked(IDC_WORD_NUMBER)        ? WordPattern::WordNumber
                    : IsChecked(IDC_WORD_WORD)        ? WordPattern::WordWord
                    : IsChecked(IDC_WORD_NUMBER_WORD) ? WordPattern::WordNumberWord
                                                      : WordPattern::SingleWord;
    return options;
}

void CGeneratePasswordDlg::Generate() {
    // A message box shown below runs its own message loop: a spin message or
    // a click that comes through it makes no second password meanwhile.
    if (generating_) return;
    generating_ = true;
    GeneratedPassword made = GeneratePassword(ReadOptions(), words_, SystemRandom());
    switch (made.outcome) {
        case GeneratedPassword::Outcome::Made:
            generated_.Assign(made.text.view());
            generatedBits_ = made.bits;
            SetDlgItemTextA(hwnd(), IDC_GENERATED_PASSWORD, generated_.c_str());
            OnPasswordChanged();
            break;
        case GeneratedPassword::Outcome::NoCharacterClass:
            tell_("Please select numbers, letters, or special characters for the password.");
            break;
        case GeneratedPassword::Outcome::RandomFailed:
            tell_("Unable to make a random password.");
            break;
    }
    generating_ = false;
}

void CGeneratePasswordDlg::UpdateStrength() {
    const double bits = password_.view() == generated_.view() ? generatedBits_ : TypedBits(password_.view());
    SetItemText(IDC_STRENGTH, StrengthLabel(bits));
}

void CGeneratePasswordDlg::ApplyPasswordType() {
    const bool secure = IsChecked(IDC_TYPE_SECURE);
    for (const int id : kCharacterControls) ShowWindow(Item(id), secure ? SW_SHOW : SW_HIDE);
    for (const auto& [option, place] : kWordPlaces) {
        ui::Control radio(Item(option));
        if (!secure) {
            // Left-aligned with the control it replaces, centred on it from top to bottom.
            const RECT target = ui::Control(Item(place)).Rect();
            const RECT own = radio.Rect();
            const LONG height = own.bottom - own.top;
            const LONG top = target.top + (target.bottom - target.top - height) / 2;
            radio.Move(RECT{target.left, top, target.right, top + height});
        }
        radio.Show(!secure);
    }
    for (const int id : {IDC_LENGTH_LABEL, IDC_PASSWORD_LENGTH, IDC_LENGTH_SPIN}) EnableItem(id, secure);
    SetItemText(IDC_CHOICES_FRAME, secure ? "Characters" : "Words");
}

void CGeneratePasswordDlg::OnPasswordChanged() {
    password_ = SecretString(ItemText(IDC_GENERATED_PASSWORD));
    EnableItem(IDOK, !password_.empty());
    UpdateStrength();
}

std::string CGeneratePasswordDlg::TextWithoutQuotes(int id) {
    std::string text = ItemText(id);
    if (RemoveQuotes(text)) {
        SetItemText(id, text);
        ui::Edit(Item(id)).Select(static_cast<int>(text.size()), static_cast<int>(text.size()));
        tell_("Please do not use quotes.");
    }
    return text;
}

void CGeneratePasswordDlg::OnSpecialCharsChanged() {
    EnableItem(IDC_USE_SPECIAL, !TextWithoutQuotes(IDC_SPECIAL_CHARS).empty());
}

void CGeneratePasswordDlg::OnInsertTextChanged() {
    const bool text = !TextWithoutQuotes(IDC_INSERT_TEXT).empty();
    for (const int id : kInsertPlaces) EnableItem(id, text);
}

LRESULT CGeneratePasswordDlg::OnSpinChanging(NMHDR&) {
    // The control changes the length only after this notification: the new
    // password is made once the new length is in its edit.
    Post(kSpinMessage);
    return 0;
}

LRESULT CGeneratePasswordDlg::OnSpin(WPARAM, LPARAM) {
    Generate();
    return 0;
}

void CGeneratePasswordDlg::OnOK() {
    // Enter on the disabled OK button takes no empty password.
    if (password_.empty()) return;
    SaveGeneratorSettings(storage_, ReadSettings());
    EndDialog(IDOK);
}

}  // namespace kv
