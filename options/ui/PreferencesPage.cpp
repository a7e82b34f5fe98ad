#include "options/ui/PreferencesPage.h"

#include <algorithm>

#include "options/OptionRules.h"
#include "resources/resource.h"

namespace kv {
namespace {

const std::vector<FlagBox> kFlags = {
    {IDC_LOCK_ON_SCREEN_SAVER, &AppSettings::CheckScreenSaver},
    {IDC_MASK_PASSWORDS, &AppSettings::Mask},
    {IDC_AUTOSIZE_COLUMNS, &AppSettings::AutosizeCol},
    {IDC_AUTOCOMPLETE, &AppSettings::AutoComplete},
    {IDC_SOUNDS, &AppSettings::Sounds},
};

constexpr int kMinSeconds = 5;
constexpr int kMaxSeconds = 300;
constexpr int kDaysDigits = 4;
const char* const kDayChoices[] = {"0", "30", "60", "90", "180", "365"};
// Shown when no key was ever chosen: Shift+Control+Alt+P.
constexpr ui::HotKeyValue kSuggestedHotKey{HOTKEYF_SHIFT | HOTKEYF_CONTROL | HOTKEYF_ALT, 'P'};

}  // namespace

CPreferencesPage::CPreferencesPage(OptionsHost& host) : Mapped(IDD_PREFERENCES_PAGE, host), hotKey_(host.StoredHotKey()) {}

const ui::MessageMap<CPreferencesPage>& CPreferencesPage::Messages() {
    static const auto map = [] {
        ui::MessageMap<CPreferencesPage> m;
        for (const FlagBox& box : kFlags) m.CommandRange(box.id, box.id, &CPreferencesPage::OnFlag);
        m.Command(IDC_CLEAR_CLIPBOARD, &CPreferencesPage::OnClearClipboard)
            .Control(IDC_CLEAR_SECONDS, EN_CHANGE, &CPreferencesPage::OnSecondsChanged)
            .Command(IDC_LOCK_BY_HOTKEY, &CPreferencesPage::OnLockByHotKey)
            .Command(IDC_USE_SKIN, &CPreferencesPage::OnSkin)
            .Control(IDC_EXPIRATION_DAYS, CBN_EDITCHANGE, &CPreferencesPage::OnDaysTyped)
            .Control(IDC_EXPIRATION_DAYS, CBN_SELCHANGE, &CPreferencesPage::OnDaysChosen)
            .Message(WM_DESTROY, &CPreferencesPage::OnDestroy);
        return m;
    }();
    return map;
}

bool CPreferencesPage::OnInitDialog() {
    AppSettings& settings = Settings();
    if (Host().IsWin95()) {
        settings.CheckScreenSaver = 0;
        ui::Control(Item(IDC_LOCK_ON_SCREEN_SAVER)).Show(false);
    }
    ShowFlags(kFlags);
    Check(IDC_CLEAR_CLIPBOARD, settings.ClearClipboard != 0);
    Check(IDC_USE_SKIN, settings.SkinDialog != 0);
    ui::UpDown seconds(Item(IDC_CLEAR_SECONDS_SPIN));
    seconds.SetRange(kMinSeconds, kMaxSeconds);
    seconds.SetAcceleration(1, 5);
    SetItemText(IDC_CLEAR_SECONDS, std::to_string(settings.ClearSeconds));
    EnableItem(IDC_CLEAR_SECONDS, settings.ClearClipboard != 0);
    EnableItem(IDC_CLEAR_SECONDS_SPIN, settings.ClearClipboard != 0);

    hotKeyControl_.Attach(Item(IDC_LOCK_HOTKEY));
    hotKeyControl_.RefuseBareKeys();
    const bool none = hotKey_.modifiers == 0 && hotKey_.virtualKey == 0;
    hotKeyControl_.SetValue(none ? kSuggestedHotKey : ui::HotKeyValue{hotKey_.modifiers, hotKey_.virtualKey});
    Check(IDC_LOCK_BY_HOTKEY, hotKey_.enabled);
    EnableLockOptions();

    ui::ComboBox days(Item(IDC_EXPIRATION_DAYS));
    for (const char* choice : kDayChoices) days.Add(choice);
    ui::Edit(GetWindow(days.hwnd(), GW_CHILD)).LimitText(kDaysDigits);
    days.SetText(std::to_string(settings.ExpirationDays));
    ready_ = true;
    return true;
}

void CPreferencesPage::EnableLockOptions() {
    const bool canLock = Settings().SysTrayIcon != 0 && Host().HasMasterPassword();
    EnableItem(IDC_LOCK_ON_SCREEN_SAVER, canLock);
    EnableItem(IDC_LOCK_BY_HOTKEY, canLock);
    EnableItem(IDC_LOCK_HOTKEY, canLock && IsChecked(IDC_LOCK_BY_HOTKEY));
}

void CPreferencesPage::OnFlag(UINT id) { StoreFlag(kFlags, id); }

void CPreferencesPage::OnClearClipboard() {
    const bool clear = IsChecked(IDC_CLEAR_CLIPBOARD);
    Settings().ClearClipboard = clear ? 1 : 0;
    EnableItem(IDC_CLEAR_SECONDS, clear);
    EnableItem(IDC_CLEAR_SECONDS_SPIN, clear);
    Host().ApplyClipboardTimer();
}

void CPreferencesPage::OnSecondsChanged() {
    if (!ready_) return;
    // The delay stays within the up-down's range whatever is typed.
    const std::uint32_t typed = DigitsValue(KeepDigits(ItemText(IDC_CLEAR_SECONDS)));
    Settings().ClearSeconds = std::clamp<std::uint32_t>(typed, kMinSeconds, kMaxSeconds);
    Host().ApplyClipboardTimer();
}

void CPreferencesPage::OnSkin() {
    Settings().SkinDialog = IsChecked(IDC_USE_SKIN) ? 1 : 0;
    Host().ApplySkin();
    InvalidateRect(GetParent(hwnd()), nullptr, TRUE);
}

void CPreferencesPage::OnDaysTyped() {
    const ui::ComboBox days(Item(IDC_EXPIRATION_DAYS));
    const std::string typed = days.Text();
    const std::string digits = KeepDigits(typed);
    if (digits != typed) {
        days.SetText(digits);
        days.Send(CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    }
    Settings().ExpirationDays = DigitsValue(digits);
}

void CPreferencesPage::OnDaysChosen() {
    const ui::ComboBox days(Item(IDC_EXPIRATION_DAYS));
    const int chosen = days.Selection();
    if (chosen >= 0) Settings().ExpirationDays = DigitsValue(days.ItemText(chosen));
}

void CPreferencesPage::OnDestroy() {
    const ui::HotKeyValue value = hotKeyControl_.Value();
    hotKey_ = {IsChecked(IDC_LOCK_BY_HOTKEY), value.modifiers, value.virtualKey};
}

}  // namespace kv
