// Filling records into web pages and browser authentication dialogs.
#include <windows.h>
#include <shellapi.h>

#include "app/BrowserProgram.h"
#include "app/BrowserWindows.h"
#include "app/PasswordApp.h"
#include "desktop/MessageBox.h"
#include "desktop/RegisteredMessages.h"
#include "hooklib/KelvandorKey.h"
#include "protocol/MessageNames.h"
#include "webforms/BrowserConnection.h"

namespace kv {
namespace {

const char kAddWebFormOpenMessage[] = "Please cancel the Add Web Form dialog before adding/filling new forms.";

}  // namespace

ProgramState CPasswordApp::WebFormState() const {
    return {FileOpen(), Locked, webForms_->IsAddWebFormOpen() || webForms_->IsAutoFillPopupOpen(), fillInProgress_};
}

bool CPasswordApp::IsBrowserWindow(HWND window) const {
    if (browserWindowCheck_) return browserWindowCheck_(window);
    return IsBrowserProcessWindow(window, Settings.UseIE != 0 ? std::string() : BrowserProgramName(Settings.Browser));
}

void CPasswordApp::FillRecord(int folder, int record, CBrowserConnection* browser, int autoSubmitOverride) {
    // Any process can ask for a fill: a locked database is unlocked by its user first.
    if (Locked && !Unlock()) return;
    const Record* found = RecordAt(Database, folder, record);
    if (found == nullptr) return;
    switch (RouteFill(*found, webForms_->IsAddWebFormOpen(), false, browser != nullptr)) {
        case FillRoute::Ignored:
        case FillRoute::AuthDialog:
            return;
        case FillRoute::AddWebFormOpen:
            ShowMessage(kAddWebFormOpenMessage);
            return;
        case FillRoute::OpenAddress:
            ShellExecuteA(nullptr, "open", found->fields[kUrl].c_str(), nullptr, nullptr, SW_SHOWNORMAL);
            return;
        case FillRoute::IntoBrowser:
            fillInProgress_ = true;
            RunFill(folder, record, *browser, false, autoSubmitOverride);
            break;
        case FillRoute::NavigateAndFill: {
            CBrowserConnection connection;
            RunFill(folder, record, connection, true, autoSubmitOverride);
            break;
        }
    }
    tray_.Post(messages::BhoForm, protocol::kFillEnded, 0);
}

int CPasswordApp::RunFill(int folder, int record, CBrowserConnection& browser, bool navigate, int autoSubmitOverride) {
    const Record& found = *RecordAt(Database, folder, record);
    // The page is checked against the record's own address, whoever asked.
    const std::string site = found.fields[kUrl];
    const bool autoSubmit = AutoSubmitOf(found, autoSubmitOverride);
    std::vector<FormField> original = found.formData;
    std::vector<FormField> fields = original;
    const int result = browser.GoToSiteAndFill(
        navigate, site, fields, autoSubmit, BrowserChoiceOf(Settings),
        [this](FillCheck check, const std::string& address) { return webForms_->ConfirmFillPage(check, address); });
    // The walk binds imported names to the page's inputs; the record keeps them
    // if it is still the one filled (the question asked runs a message loop).
    const Record* again = RecordAt(Database, folder, record);
    if (again != nullptr && fields != original && again->formData == original) {
        Database.Folders[static_cast<std::size_t>(folder)].records.write()[static_cast<std::size_t>(record)].formData =
            fields;
    }
    WipeFormValues(original);
    WipeFormValues(fields);
    return result;
}

void CPasswordApp::FillAuthDialog(int folder, int record, HWND dialog, const std::string& address) {
    if (Locked && !Unlock()) return;
    const Record* found = RecordAt(Database, folder, record);
    if (found == nullptr) return;
    const FillRoute route = RouteFill(*found, webForms_->IsAddWebFormOpen(), true, false);
    if (route == FillRoute::AddWebFormOpen) ShowMessage(kAddWebFormOpenMessage);
    if (route != FillRoute::AuthDialog) return;
    const AuthDialogValues values = AuthDialogValuesOf(*found);
    const std::string recordAddress = found->fields[kUrl];
    if (values.username.empty() && values.password.empty()) return;
    const FillCheck check = CheckFill(recordAddress, address);
    if (check != FillCheck::Fill && !webForms_->ConfirmFillPage(check, recordAddress)) return;
    if (IsWindow(dialog)) FillAuthDlg(dialog, values.username.c_str(), values.password.c_str());
}

}  // namespace kv
