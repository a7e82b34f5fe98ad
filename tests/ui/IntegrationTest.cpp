// The shortcuts, the browser helper's keys and the browser's menu entry
// follow the settings, written to places of the tests' own.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <filesystem>
#include <optional>

#include "app/Integration.h"
#include "desktop/ShellLink.h"
#include "platform/ComPtr.h"
#include "platform/WideText.h"
#include "tests/ui/support/AppFixture.h"

namespace kv {
namespace {

using namespace uitest;

std::optional<std::string> TextValue(HKEY root, const std::string& key, const char* name) {
    char text[512] = {};
    DWORD size = sizeof text;
    if (RegGetValueA(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(text);
}

bool KeyExists(HKEY root, const std::string& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

// The shortcut in `file`, read back through the shell's link object; nothing
// when there is none. COM is initialised by the caller.
std::optional<ShellLinkSpec> ReadShellLink(const std::string& file) {
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.ReceiveVoid()))) {
        return std::nullopt;
    }
    const ComPtr<IPersistFile> persist = link.As<IPersistFile>();
    const std::optional<WipedWide> path = Widen(CP_ACP, 0, file);
    if (!persist || !path || FAILED(persist->Load(path->c_str(), STGM_READ))) return std::nullopt;
    char text[MAX_PATH + 1] = {};
    ShellLinkSpec spec;
    // SLGP_RAWPATH: the target as it was written, not resolved anew.
    if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) spec.target = text;
    text[0] = '\0';
    if (SUCCEEDED(link->GetArguments(text, MAX_PATH))) spec.arguments = text;
    text[0] = '\0';
    if (SUCCEEDED(link->GetDescription(text, MAX_PATH))) spec.description = text;
    text[0] = '\0';
    if (SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &spec.iconIndex))) spec.iconPath = text;
    return spec;
}

std::string LongPath(const std::string& path) {
    char lengthened[MAX_PATH + 1] = {};
    GetLongPathNameA(path.c_str(), lengthened, MAX_PATH);
    return lengthened;
}

// Whether the Startup shortcut exists and starts this program.
bool StartupShortcutIsOurs(const IntegrationPlaces& places) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::optional<ShellLinkSpec> link = ReadShellLink(places.startupFolder + "Kelvandor.lnk");
    CoUninitialize();
    return link && lstrcmpiA(LongPath(link->target).c_str(), LongPath(places.program).c_str()) == 0;
}

class IntegrationTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        places_ = TestIntegrationPlaces();
        std::filesystem::remove(StartupLink());
        std::filesystem::remove(LinksLink());
    }

    void TearDown() override {
        std::filesystem::remove_all(std::filesystem::path(places_.startupFolder).parent_path().parent_path());
        AppFixture::TearDown();
    }

    std::string StartupLink() const { return places_.startupFolder + "Kelvandor.lnk"; }
    std::string LinksLink() const { return places_.favoritesFolder + "Links\\Kelvandor.lnk"; }
    std::string MachineKey(const char* key) const { return places_.machine.prefix + key; }
    std::optional<ShellLinkSpec> Link(const std::string& file) const {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        std::optional<ShellLinkSpec> link = ReadShellLink(file);
        CoUninitialize();
        return link;
    }

    void StartWith(std::uint32_t startWithWindows, std::uint32_t helper) {
        if (std::unique_ptr<SettingsStore> store = app_->Storage().OpenOrCreate()) {
            store->WriteNumber("StartWithWindows", startWithWindows);
            store->WriteNumber("CheckFormPasswords", helper);
        }
        app_->UseIntegrationPlaces(places_);
        ASSERT_TRUE(app_->InitInstance("systray"));
    }

    IntegrationPlaces places_;
};

constexpr char kHelperKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\"
    "{EC732582-7C24-4301-87F4-724E0DB3FDD4}";
constexpr char kApprovedKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";
constexpr char kHelperClass[] = "{EC732582-7C24-4301-87F4-724E0DB3FDD4}";

TEST_F(IntegrationTest, TheShortcutsStartThisProgramTheStartupOneFromTheTrayAndGoAgain) {
    ASSERT_TRUE(SyncShortcut(places_, ShortcutFolder::Startup, true));
    ASSERT_TRUE(SyncShortcut(places_, ShortcutFolder::Links, true));
    const std::optional<ShellLinkSpec> startup = Link(StartupLink());
    ASSERT_TRUE(startup);
    EXPECT_EQ(LongPath(startup->target), LongPath(places_.program));
    EXPECT_EQ(startup->arguments, "Systray");
    EXPECT_EQ(startup->description, "Kelvandor");
    EXPECT_EQ(startup->iconPath, places_.program);
    EXPECT_EQ(startup->iconIndex, 0);
    const std::optional<ShellLinkSpec> links = Link(LinksLink());
    ASSERT_TRUE(links);
    EXPECT_EQ(links->arguments, "");
    EXPECT_TRUE(StartupShortcutIsOurs(places_));

    EXPECT_TRUE(SyncShortcut(places_, ShortcutFolder::Startup, false));
    EXPECT_TRUE(SyncShortcut(places_, ShortcutFolder::Links, false));
    EXPECT_FALSE(std::filesystem::exists(StartupLink()));
    EXPECT_FALSE(std::filesystem::exists(LinksLink()));
    EXPECT_FALSE(StartupShortcutIsOurs(places_));
    // Deleting what is not there is no failure.
    EXPECT_TRUE(SyncShortcut(places_, ShortcutFolder::Startup, false));
    EXPECT_TRUE(shown_.empty());
}

TEST_F(IntegrationTest, WithoutTheBrowsersLinksFolderThereIsNoLinksShortcutAndNoComplaint) {
    std::filesystem::remove_all(places_.favoritesFolder + "Links");
    EXPECT_TRUE(SyncShortcut(places_, ShortcutFolder::Links, true));
    EXPECT_FALSE(std::filesystem::exists(LinksLink()));
    EXPECT_FALSE(std::filesystem::exists(places_.favoritesFolder + "Links"));
    EXPECT_TRUE(shown_.empty());
}

TEST_F(IntegrationTest, AShortcutThatCannotBeSavedIsReported) {
    places_.startupFolder += "missing\\";
    EXPECT_FALSE(SyncShortcut(places_, ShortcutFolder::Startup, true));
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text, "Unable to add startup shortcut entry.");
    EXPECT_EQ(shown_[0].flags & MB_ICONSTOP, static_cast<UINT>(MB_ICONSTOP));
}

TEST_F(IntegrationTest, TheHelpersKeysAreWrittenAndRemovedAgain) {
    const HKEY root = places_.machine.root;
    EXPECT_EQ(SyncHelperKeys(places_, true), ERROR_SUCCESS);
    EXPECT_EQ(TextValue(root, MachineKey(kHelperKey), nullptr), "Kelvandor");
    EXPECT_EQ(TextValue(root, MachineKey(kApprovedKey), kHelperClass), "Kelvandor");
    EXPECT_EQ(SyncHelperKeys(places_, false), ERROR_SUCCESS);
    EXPECT_FALSE(KeyExists(root, MachineKey(kHelperKey)));
    EXPECT_EQ(TextValue(root, MachineKey(kApprovedKey), kHelperClass), std::nullopt);
    // Removing them twice is no failure.
    EXPECT_EQ(SyncHelperKeys(places_, false), ERROR_SUCCESS);
}

TEST_F(IntegrationTest, TheBrowsersMenuEntryRunsThisProgramWithItsIcons) {
    const std::string key = places_.user.prefix +
                            "Software\\Microsoft\\Internet Explorer\\Extensions\\{4FCCA77A-FABF-44aa-9B3A-AF5D075144A7}";
    SyncBrowserMenu(places_, true);
    const std::string folder = places_.program.substr(0, places_.program.find_last_of('\\') + 1);
    const HKEY root = places_.user.root;
    EXPECT_EQ(TextValue(root, key, "CLSID"), "{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}");
    EXPECT_EQ(TextValue(root, key, "MenuText"), "&Kelvandor");
    EXPECT_EQ(TextValue(root, key, "Exec"), folder + "Kelvandor.exe");
    EXPECT_EQ(TextValue(root, key, "Default Visible"), "Yes");
    EXPECT_EQ(TextValue(root, key, "ButtonText"), "Kelvandor");
    EXPECT_EQ(TextValue(root, key, "HotIcon"), folder + "Kelvandor.exe,348");
    EXPECT_EQ(TextValue(root, key, "Icon"), folder + "Kelvandor.exe,349");
    HKEY left = nullptr;
    ASSERT_EQ(RegCreateKeyA(root, (key + "\\Left by another version").c_str(), &left), ERROR_SUCCESS);
    RegCloseKey(left);
    SyncBrowserMenu(places_, false);
    EXPECT_FALSE(KeyExists(root, key));
}

TEST_F(IntegrationTest, AtStartUpTheShortcutFollowsTheSettingAndAMovedProgramsOneIsRepaired) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ASSERT_TRUE(SaveShellLink(StartupLink(), {"C:\\Old place\\Kelvandor.exe", "Systray", "Kelvandor", "", 0}));
    CoUninitialize();
    EXPECT_FALSE(StartupShortcutIsOurs(places_));
    StartWith(1, 1);
    EXPECT_TRUE(StartupShortcutIsOurs(places_));
    EXPECT_EQ(app_->Settings.StartWithWindows, 1u);
    EXPECT_EQ(TextValue(places_.machine.root, MachineKey(kHelperKey), nullptr), "Kelvandor");

    NewApp();
    StartWith(0, 0);
    EXPECT_FALSE(std::filesystem::exists(StartupLink()));
    EXPECT_FALSE(KeyExists(places_.machine.root, MachineKey(kHelperKey)));
    EXPECT_TRUE(shown_.empty());
}

TEST_F(IntegrationTest, StartWithWindowsSaysNoWhenTheShortcutCouldNotBeMade) {
    places_.startupFolder += "missing\\";
    StartWith(1, 1);
    EXPECT_EQ(app_->Settings.StartWithWindows, 0u);
}

TEST_F(IntegrationTest, HelperKeysThatCannotBeChangedAreReportedOnceUntilTheyCanBe) {
    // A root that no key can be written below stands for a machine key this user may not change.
    const RegistryPlace refused{reinterpret_cast<HKEY>(static_cast<INT_PTR>(0x7FFF0)), ""};
    const IntegrationPlaces writable = places_;
    places_.machine = refused;
    StartWith(1, 1);
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_NE(shown_[0].text.find("could not register its helper for Internet Explorer"), std::string::npos);
    EXPECT_NE(shown_[0].text.find("Run as administrator"), std::string::npos);

    NewApp();
    StartWith(1, 1);
    EXPECT_EQ(shown_.size(), 1u) << "told again at the next start";

    // Once the keys could be written, a later refusal is told again.
    NewApp();
    places_ = writable;
    StartWith(1, 1);
    NewApp();
    places_.machine = refused;
    StartWith(1, 0);
    ASSERT_EQ(shown_.size(), 2u);
    EXPECT_NE(shown_[1].text.find("could not remove its helper"), std::string::npos);
}

}  // namespace
}  // namespace kv
