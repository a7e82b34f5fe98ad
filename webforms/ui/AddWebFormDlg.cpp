#include "webforms/ui/AddWebFormDlg.h"

#include <algorithm>

#include "desktop/MessageBox.h"
#include "platform/Locale.h"
#include "protocol/MessageNames.h"
#include "uikit/Controls.h"
#include "webforms/CapturedRecord.h"
#include "webforms/ui/BrowserWindowPlace.h"

namespace kv {
namespace {

constexpr UINT_PTR kWatchTimer = 1;
constexpr UINT kWatchPeriodMs = 500;
constexpr char kNoFolder[] = "You must create a least one folder to use this option.";
constexpr char kReplaceQuestion[] = "The '%s' entry already exists in this folder.\nDo you wish to replace it?";
constexpr char kSearching[] = "Searching forms...";
constexpr char kReady[] = "Ready to record form data";
constexpr char kNoForm[] = "This page does not contain a form";
constexpr char kPressOk[] = "Press OK to save";
constexpr WPARAM kAuthDialogClosed = 1;  // the form position the dialog watch reports

const UINT kSubmitted = RegisterWindowMessageA(protocol::kOnSubmitMessage);

std::string ShownPath(std::string path) {
    std::replace(path.begin(), path.end(), kPathSeparator, '\\');
    return path;
}

FormField AuthEntry(int type, const char* name, const SecretString& value) {
    FormField entry;
    entry.type = type;
    entry.name = name;
    entry.value = value.view();
    return entry;
}

}  // namespace

CAddWebFormDlg::CAddWebFormDlg(WebFormHost& host) : Mapped(IDD_ADD_WEB_FORM), host_(host) {}

CAddWebFormDlg::~CAddWebFormDlg() { Close(); }

const ui::MessageMap<CAddWebFormDlg>& CAddWebFormDlg::Messages() {
    static const auto map = ui::MessageMap<CAddWebFormDlg>()
                                .Timer(&CAddWebFormDlg::OnTimer)
                                .Registered(&kSubmitted, &CAddWebFormDlg::OnSubmitted)
                                .Command(ID_IGNORE_THIS_SITE, &CAddWebFormDlg::OnToggleIgnore)
                                .Command(ID_ALWAYS_AUTO_SUBMIT, &CAddWebFormDlg::OnToggleAutoSubmit);
    return map;
}

bool CAddWebFormDlg::Prepare(HWND browser) {
    if (IsOpen()) return false;
    captured_.clear();
    connection_ = std::make_unique<CBrowserConnection>();
    if (!authDialog_) {
        if (!connection_->AttachToWindow(browser)) return false;
        target_ = connection_->Window();
    }
    if (!host_.MakeDatabaseReady()) return false;
    const auto& folders = host_.Database().Folders;
    if (std::none_of(folders.begin(), folders.end(), [](const Folder& f) { return f.present != 0; })) {
        ShowMessage(kNoFolder);
        return false;
    }
    return true;
}

bool CAddWebFormDlg::Open(HWND browser) {
    authDialog_ = false;
    if (!Prepare(browser) || !CreateModeless(nullptr)) return false;
    Show(SW_SHOWNOACTIVATE);
    return true;
}

bool CAddWebFormDlg::RunModal(HWND browser) {
    authDialog_ = false;
    if (!Prepare(browser)) return false;
    DoModal(nullptr);
    return true;
}

bool CAddWebFormDlg::OpenForAuthDialog(HWND dialog, const std::string& address) {
    authDialog_ = true;
    target_ = dialog;
    if (!IsWindow(dialog) || !Prepare(dialog)) return false;
    address_ = address;
    if (!CreateModeless(nullptr)) return false;
    Show(SW_SHOW);
    return true;
}

void CAddWebFormDlg::Close() {
    if (!IsOpen()) return;
    KillTimer(hwnd(), kWatchTimer);
    connection_->DropWatches();
    if (IsModal()) {
        EndDialog(IDCANCEL);
    } else {
        Destroy();
    }
}

bool CAddWebFormDlg::OnInitDialog() {
    FillFolders();
    TakeNameFromTitle();
    if (authDialog_) {
        PlaceBesideAuthDialog(hwnd(), target_);
        SetItemText(IDC_ADD_FORM_STATUS, kPressOk);
        host_.WatchAuthDialog(target_, hwnd());
    } else {
        PlaceOverBrowser(host_.Storage(), hwnd(), target_);
        SetItemText(IDC_ADD_FORM_STATUS, kSearching);
        address_ = connection_->GetLocationURL();
        connection_->SetNotifyWindow(hwnd());
        SetTimer(hwnd(), kWatchTimer, kWatchPeriodMs, nullptr);
    }
    return true;
}

void CAddWebFormDlg::FillFolders() {
    ui::ComboBox box(Item(IDC_ADD_FORM_FOLDER));
    folderPaths_.clear();
    for (const Folder& folder : host_.Database().Folders) {
        if (folder.present == 0) continue;
        folderPaths_.push_back(folder.path);
        SendMessageA(box.hwnd(), CB_INSERTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(ShownPath(folder.path).c_str()));
    }
    box.Select(0);
}

void CAddWebFormDlg::TakeNameFromTitle() {
    SetItemText(IDC_ADD_FORM_NAME, FormNameFromTitle(ui::WindowText(target_)));
}

void CAddWebFormDlg::OnTimer(UINT_PTR id) {
    if (id != kWatchTimer) return;
    const std::string address = connection_->GetLocationURL();
    if (address != address_) {
        // Another page: what was seen of the last one no longer counts.
        address_ = address;
        TakeNameFromTitle();
        captured_.clear();
        connection_->DropWatches();
        return;
    }
    if (!captured_.empty()) return;
    connection_->WalkForms(false, captured_, false, address_);
    SetItemText(IDC_ADD_FORM_STATUS, connection_->FormsFound() ? kReady : kNoForm);
}

LRESULT CAddWebFormDlg::OnSubmitted(WPARAM form, LPARAM) {
    if (authDialog_) {
        if (form == kAuthDialogClosed) OnOK();
        return 0;
    }
    connection_->WalkForms(false, captured_, false, address_);
    if (captured_.empty()) {
        Finish();
        return 0;
    }
    for (FormField& entry : captured_) entry.submittedForm = static_cast<std::int32_t>(form);
    OnOK();
    return 0;
}

void CAddWebFormDlg::Toggle(UINT item) {
    CheckMenuItem(GetMenu(hwnd()), item, MF_BYCOMMAND | (IsMenuChecked(item) ? MF_UNCHECKED : MF_CHECKED));
}

bool CAddWebFormDlg::IsMenuChecked(UINT item) const {
    return (GetMenuState(GetMenu(hwnd()), item, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void CAddWebFormDlg::TakeAuthDialogValues() {
    const AuthDialogValues values = host_.TakeAuthDialogValues();
    WipeFormValues(captured_);
    captured_ = {AuthEntry(kAuthDialogUsername, "Username", values.username),
                 AuthEntry(kAuthDialogPassword, "Password", values.password)};
}

void CAddWebFormDlg::OnOK() {
    if (authDialog_) TakeAuthDialogValues();
    if (!authDialog_ && captured_.empty()) {
        // OK before any submission: the page's fields as they are now.
        connection_->WalkForms(false, captured_, false, address_);
        if (captured_.empty()) {
            SetItemText(IDC_ADD_FORM_STATUS, kNoForm);
            return;
        }
    }
    Save();
    WipeFormValues(captured_);
    Finish();
}

bool CAddWebFormDlg::Save() {
    PasswordDatabase& db = host_.Database();
    const int chosen = ui::ComboBox(Item(IDC_ADD_FORM_FOLDER)).Selection();
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= folderPaths_.size()) return false;
    const auto folder = std::find_if(db.Folders.begin(), db.Folders.end(), [&](const Folder& f) {
        return f.present != 0 && f.path == folderPaths_[static_cast<std::size_t>(chosen)];
    });
    if (folder == db.Folders.end()) return false;
    const int folderIndex = static_cast<int>(folder - db.Folders.begin());
    const CapturedForm form{ItemText(IDC_ADD_FORM_NAME), address_, captured_, IsMenuChecked(ID_ALWAYS_AUTO_SUBMIT)};
    const Record record = BuildCapturedRecord(form, SystemLocale());
    const int existing = RecordNamed(*folder, form.name);
    if (existing >= 0) {
        std::string question = kReplaceQuestion;
        question.replace(question.find("%s"), 2, form.name);
        if (ShowMessage(question, MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
    }
    const int index = StoreCapturedRecord(db, folderIndex, record, existing);
    db.Modified = true;
    host_.ModifiedChanged();
    host_.ShowCapturedRecord(folderIndex, index);
    return true;
}

void CAddWebFormDlg::Finish() {
    if (!IsOpen()) return;
    if (IsMenuChecked(ID_IGNORE_THIS_SITE) && IgnoreSite(host_.Database().IgnoredSites, address_)) {
        host_.Database().Modified = true;
        host_.ModifiedChanged();
    }
    RememberBrowserWindowPlace(host_.Storage(), hwnd());
    Close();
}

}  // namespace kv
