#include "options/ui/SystemTrayPage.h"

#include "options/OptionRules.h"
#include "resources/resource.h"

namespace kv {
namespace {

const std::vector<FlagBox> kFlags = {
    {IDC_SEND_TAB, &AppSettings::SendTab},
    {IDC_DOUBLE_CLICK_PASTES, &AppSettings::DoubleClick},
};

}  // namespace

CSystemTrayPage::CSystemTrayPage(OptionsHost& host) : Mapped(IDD_SYSTEM_TRAY_PAGE, host) {}

const ui::MessageMap<CSystemTrayPage>& CSystemTrayPage::Messages() {
    static const auto map = [] {
        ui::MessageMap<CSystemTrayPage> m;
        for (const FlagBox& box : kFlags) m.CommandRange(box.id, box.id, &CSystemTrayPage::OnFlag);
        m.Command(IDC_SHOW_TRAY_ICON, &CSystemTrayPage::OnShowIcon)
            .Command(IDC_START_WITH_WINDOWS, &CSystemTrayPage::OnStartWithWindows)
            .Message(WM_HSCROLL, &CSystemTrayPage::OnScroll);
        return m;
    }();
    return map;
}

bool CSystemTrayPage::OnInitDialog() {
    const AppSettings& settings = Settings();
    ShowFlags(kFlags);
    Check(IDC_SHOW_TRAY_ICON, settings.SysTrayIcon != 0);
    Check(IDC_START_WITH_WINDOWS, settings.StartWithWindows != 0);
    slider_.Attach(Item(IDC_TRANSPARENCY));
    slider_.SetRange(0, kTransparencySliderMax);
    slider_.Send(TBM_SETTICFREQ, 16);
    slider_.SetPosition(TransparencySliderPosition(settings.Transparency));
    const bool available = Host().CanMakeTransparent();
    slider_.Enable(available);
    EnableItem(IDC_TRANSPARENCY_LABEL, available);
    ShowTransparency();
    return true;
}

void CSystemTrayPage::OnFlag(UINT id) { StoreFlag(kFlags, id); }

void CSystemTrayPage::OnShowIcon() {
    const bool show = IsChecked(IDC_SHOW_TRAY_ICON);
    Settings().SysTrayIcon = show ? 1 : 0;
    Host().ShowTrayIcon(show);
}

void CSystemTrayPage::OnStartWithWindows() {
    Settings().StartWithWindows = IsChecked(IDC_START_WITH_WINDOWS) ? 1 : 0;
    Host().ApplyIntegration();
    // The box tells whether the shortcut really is there afterwards.
    Check(IDC_START_WITH_WINDOWS, Settings().StartWithWindows != 0);
}

LRESULT CSystemTrayPage::OnScroll(WPARAM, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != slider_.hwnd()) return 0;
    const std::uint32_t transparency = TransparencyAtSlider(slider_.Position());
    if (transparency != Settings().Transparency) {
        Settings().Transparency = transparency;
        Host().ApplyTransparency();
    }
    ShowTransparency();
    return 0;
}

void CSystemTrayPage::ShowTransparency() { SetItemText(IDC_TRANSPARENCY_LABEL, TransparencyLabel(Settings().Transparency)); }

}  // namespace kv
