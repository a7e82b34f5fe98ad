#include "app/AppWebForms.h"

#include <cstring>
#include <string_view>

#include "app/PasswordApp.h"
#include "desktop/UserGuide.h"
#include "editor/EditorDlg.h"
#include "hooklib/KelvandorKey.h"
#include "platform/SecureWipe.h"
#include "webforms/ui/AddWebFormDlg.h"
#include "webforms/ui/AutoFillPopup.h"

namespace kv {
namespace {

class AppWebForms final : public WebFormDialogs, public WebFormHost {
public:
    explicit AppWebForms(CPasswordApp& app)
        : app_(app), addForm_(*this), popup_(*this) {}

    // What the main window's handlers open.
    void OpenAddWebForm(const WebFormTarget& target) override {
        if (target.dialog != nullptr) {
            addForm_.OpenForAuthDialog(target.dialog, target.address);
        } else if (target.browser != nullptr) {
            addForm_.RunModal(target.browser);
        }
    }
    void OpenAutoFillPopup(HWND browser, bool fromHelper) override { popup_.Open(browser, fromHelper); }
    bool IsAddWebFormOpen() const override { return addForm_.IsOpen(); }
    bool IsAutoFillPopupOpen() const override { return popup_.IsOpen(); }
    void CloseAll() override {
        addForm_.Close();
        popup_.Close();
    }
    bool ConfirmFillPage(FillCheck check, const std::string& recordAddress) override {
        return AskToFillPage(check, recordAddress);
    }

    // What the dialogs and the editor ask of the program.
    PasswordDatabase& Database() override { return app_.Database; }
    const AppSettings& Settings() override { return app_.Settings; }
    SettingsStorage& Storage() override { return app_.Storage(); }
    void FillRecord(int folder, int record, CBrowserConnection* connection, int override) override {
        app_.FillRecord(folder, record, connection, override);
    }
    bool IsFillInProgress() const override { return app_.WebFormState().fillInProgress; }
    bool IsFileOpen() const override { return app_.FileOpen(); }
    bool IsLocked() const override { return app_.Locked; }
    bool MakeDatabaseReady() override { return app_.EnsureDatabaseLoaded() && (!app_.Locked || app_.Unlock()); }
    void ModifiedChanged() override {
        if (CEditorDlg* editor = app_.Editor(); editor != nullptr && editor->hwnd() != nullptr) editor->ModifiedChanged();
        app_.MarkTrayDlgStale();
    }
    void ShowCapturedRecord(int folder, int record) override {
        CEditorDlg* editor = app_.Editor();
        if (editor == nullptr || editor->hwnd() == nullptr) return;
        editor->view().tree().SelectFolder(folder);
        editor->view().ShowRecord(folder, record, 0);
    }
    void AddWebForm(HWND browser) override { addForm_.RunModal(browser); }
    void ShowAutoFillHelp() override { OpenUserGuide(); }
    bool WatchAuthDialog(HWND dialog, HWND notify) override { return SetHook(dialog, notify) != FALSE; }
    AuthDialogValues TakeAuthDialogValues() override {
        char username[keys::kFormDataSize] = {};
        char password[keys::kFormDataSize] = {};
        GetFormData(username, password);
        AuthDialogValues values{SecretString(std::string_view(username, strnlen(username, sizeof username))),
                                SecretString(std::string_view(password, strnlen(password, sizeof password)))};
        SecureWipe(username, sizeof username);
        SecureWipe(password, sizeof password);
        return values;
    }

private:
    CPasswordApp& app_;
    CAddWebFormDlg addForm_;
    CAutoFillPopup popup_;
};

}  // namespace

std::unique_ptr<WebFormDialogs> MakeAppWebForms(CPasswordApp& app) { return std::make_unique<AppWebForms>(app); }

WebFormHost* WebFormHostOf(WebFormDialogs& dialogs) { return dynamic_cast<WebFormHost*>(&dialogs); }

}  // namespace kv
