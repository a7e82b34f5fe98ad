#include "tests/ui/support/AppFixture.h"

#include <filesystem>

#include "desktop/MessageBox.h"

namespace kv::uitest {

void AppFixture::SetUp() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot);
    NewApp();
    SetMessageScript([this](const std::string& text, UINT flags) {
        shown_.push_back(Shown{text, flags});
        if (answers_.empty()) return IDOK;
        const int answer = answers_.front();
        answers_.erase(answers_.begin());
        return answer;
    });
}

void AppFixture::TearDown() {
    SetMessageScript(nullptr);
    app_.reset();
    DropQuit();
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot);
}

void AppFixture::NewApp() {
    app_.reset();
    DropQuit();
    SettingsLocation location;
    location.key = std::string(kTestRoot) + "\\Settings";
    location.legacyKey = std::string(kTestRoot) + "\\Legacy";
    app_ = std::make_unique<CPasswordApp>();
    app_->UseSettingsLocation(location);
    app_->UseIntegrationPlaces(TestIntegrationPlaces());
}

IntegrationPlaces AppFixture::TestIntegrationPlaces() {
    const std::string folder = (std::filesystem::temp_directory_path() / "kelvandor-integration").string() + "\\";
    IntegrationPlaces places;
    places.startupFolder = folder + "Startup\\";
    places.favoritesFolder = folder + "Favorites\\";
    std::filesystem::create_directories(places.startupFolder);
    std::filesystem::create_directories(places.favoritesFolder + "Links");
    char program[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    places.program = program;
    places.helper = folder + "no helper here.dll";
    places.machine = {HKEY_CURRENT_USER, std::string(kTestRoot) + "\\Machine\\"};
    places.user = {HKEY_CURRENT_USER, std::string(kTestRoot) + "\\User\\"};
    return places;
}

void AppFixture::DropQuit() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

bool AppFixture::QuitPosted() {
    MSG message{};
    return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

}  // namespace kv::uitest
