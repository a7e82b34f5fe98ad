#include "tests/ui/support/AppFixture.h"

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
