#include "options/ui/AutoFillPage.h"

#include <algorithm>

#include "db/FileFlows.h"
#include "options/OptionRules.h"
#include "platform/Win32Handles.h"
#include "resources/resource.h"

namespace kv {
namespace {

const std::vector<FlagBox> kFlags = {
    {IDC_IE_MENU, &AppSettings::IEMenu},
    {IDC_ADD_LINK, &AppSettings::AddLink},
    {IDC_REUSE_WINDOW, &AppSettings::ReuseWindow},
    {IDC_MAXIMIZE_BROWSER, &AppSettings::MaximizeBrowser},
    {IDC_CHECK_FORM_PASSWORDS, &AppSettings::CheckFormPasswords},
};

constexpr DWORD kCommandBytes = 520;

}  // namespace

std::string SystemHtmlBrowser() {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "htmlfile\\shell\\open\\command", 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
        return "";
    }
    const RegistryKey key(opened);
    char command[kCommandBytes + 1] = {};
    DWORD size = kCommandBytes;
    DWORD type = 0;
    if (RegQueryValueExA(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(command), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return "";
    }
    command[std::min<DWORD>(size, kCommandBytes)] = '\0';
    return ProgramOfOpenCommand(command);
}

CAutoFillPage::CAutoFillPage(OptionsHost& host) : Mapped(IDD_AUTOFILL_PAGE, host), choose_(ui::ChooseFileToOpen) {}

const ui::MessageMap<CAutoFillPage>& CAutoFillPage::Messages() {
    static const auto map = [] {
        ui::MessageMap<CAutoFillPage> m;
        for (const FlagBox& box : kFlags) m.CommandRange(box.id, box.id, &CAutoFillPage::OnFlag);
        m.Command(IDC_OTHER_BROWSER, &CAutoFillPage::OnOtherBrowser)
            .Command(IDC_BROWSE, &CAutoFillPage::OnBrowse)
            .Message(WM_DESTROY, &CAutoFillPage::OnDestroy);
        return m;
    }();
    return map;
}

bool CAutoFillPage::OnInitDialog() {
    ShowFlags(kFlags);
    Check(IDC_OTHER_BROWSER, Settings().UseIE == 0);
    const std::string& browser = Settings().Browser;
    SetItemText(IDC_BROWSER_PATH, browser.empty() ? SystemHtmlBrowser() : browser);
    EnableBrowser();
    return true;
}

void CAutoFillPage::EnableBrowser() {
    const bool other = IsChecked(IDC_OTHER_BROWSER);
    EnableItem(IDC_BROWSER_PATH, other);
    EnableItem(IDC_BROWSE, other);
}

void CAutoFillPage::OnFlag(UINT id) { StoreFlag(kFlags, id); }

void CAutoFillPage::OnOtherBrowser() {
    Settings().UseIE = IsChecked(IDC_OTHER_BROWSER) ? 0 : 1;
    EnableBrowser();
}

void CAutoFillPage::OnBrowse() {
    ui::FileDialogOptions options;
    options.title = "Select browser";
    options.filter = "Executables files (*.exe)|*.exe|All Files (*.*)|*.*||";
    options.defaultExtension = "exe";
    options.initialFolder = FolderOf(ItemText(IDC_BROWSER_PATH));
    const std::optional<std::string> chosen = choose_(hwnd(), options);
    if (!chosen) return;
    Settings().Browser = *chosen;
    SetItemText(IDC_BROWSER_PATH, *chosen);
}

void CAutoFillPage::OnDestroy() { Settings().Browser = ItemText(IDC_BROWSER_PATH); }

}  // namespace kv
