#include "webforms/ui/AutoFillPopup.h"

#include <commctrl.h>

#include "db/RichText.h"
#include "resources/resource.h"
#include "uikit/Controls.h"
#include "protocol/MessageNames.h"
#include "uikit/PopupMenu.h"
#include "webforms/SiteRecords.h"
#include "webforms/ui/BrowserWindowPlace.h"

namespace kv {
namespace {

constexpr UINT_PTR kWatchTimer = 1;
constexpr UINT kWatchPeriodMs = 250;
constexpr std::size_t kNotesShown = 512;

}  // namespace

CAutoFillPopup::CAutoFillPopup(WebFormHost& host) : Mapped(IDD_AUTOFILL_POPUP), host_(host) {}

CAutoFillPopup::~CAutoFillPopup() { Close(); }

const ui::MessageMap<CAutoFillPopup>& CAutoFillPopup::Messages() {
    static const auto map = ui::MessageMap<CAutoFillPopup>()
                                .Timer(&CAutoFillPopup::OnTimer)
                                .Command(IDC_POPUP_FILL, &CAutoFillPopup::OnFill)
                                .Command(IDC_POPUP_SUBMIT, &CAutoFillPopup::OnSubmit)
                                .Command(IDC_POPUP_ADD_FORM, &CAutoFillPopup::OnAddForm)
                                .Command(IDC_POPUP_OPTIONS, &CAutoFillPopup::OnOptions)
                                .Command(IDC_POPUP_HELP, &CAutoFillPopup::OnHelp)
                                .Command(IDC_POPUP_NOTES, &CAutoFillPopup::OnNotes)
                                .Control(IDC_POPUP_RECORDS, LBN_SELCHANGE, &CAutoFillPopup::HideNotes);
    return map;
}

bool CAutoFillPopup::Open(HWND browser, bool fromHelper) {
    if (IsOpen() || !host_.IsFileOpen() || host_.IsLocked() || host_.IsFillInProgress()) return false;
    connection_ = std::make_unique<CBrowserConnection>();
    if (!connection_->AttachToWindow(browser)) return false;
    const std::string address = connection_->GetLocationURL();
    PasswordDatabase& db = host_.Database();
    if (fromHelper && IsIgnoredSite(db.IgnoredSites, address)) return false;
    records_.clear();
    for (const RecordRef& found : RecordsOfSite(db, address)) {
        if (const std::optional<RecordMark> mark = MarkRecord(db.Folders, {found.folder, found.record})) {
            records_.push_back(*mark);
        }
    }
    if (records_.empty()) {
        host_.AddWebForm(browser);
        return false;
    }
    browser_ = connection_->Window();
    address_ = address;
    ignoreSite_ = false;
    if (!CreateModeless(nullptr)) return false;
    Show(SW_SHOWNOACTIVATE);
    return true;
}

bool CAutoFillPopup::OnInitDialog() {
    ui::ListBox list(Item(IDC_POPUP_RECORDS));
    for (const RecordMark& mark : records_) {
        const std::uint32_t data = protocol::PackFillTarget(static_cast<std::uint32_t>(mark.hint.folder),
                                                            static_cast<std::uint32_t>(mark.hint.record));
        list.Insert(-1, mark.copy.fields[kDescription], static_cast<LPARAM>(data));
    }
    list.Select(0);
    PlaceOverBrowser(host_.Storage(), hwnd(), browser_);
    // Keys and focus go between the pop-up and the browser as within one program.
    browserThread_ = GetWindowThreadProcessId(browser_, nullptr);
    if (browserThread_ == GetCurrentThreadId()) browserThread_ = 0;
    if (browserThread_ != 0) AttachThreadInput(GetCurrentThreadId(), browserThread_, TRUE);
    SetTimer(hwnd(), kWatchTimer, kWatchPeriodMs, nullptr);
    return true;
}

void CAutoFillPopup::Close() {
    if (!IsOpen()) return;
    KillTimer(hwnd(), kWatchTimer);
    HideNotes();
    if (browserThread_ != 0) AttachThreadInput(GetCurrentThreadId(), browserThread_, FALSE);
    browserThread_ = 0;
    if (ignoreSite_ && IgnoreSite(host_.Database().IgnoredSites, address_)) {
        host_.Database().Modified = true;
        host_.ModifiedChanged();
    }
    RememberBrowserWindowPlace(host_.Storage(), hwnd());
    Destroy();
}

std::optional<RecordPlace> CAutoFillPopup::SelectedRecord() const {
    const int selected = ui::ListBox(Item(IDC_POPUP_RECORDS)).Selection();
    if (selected < 0 || static_cast<std::size_t>(selected) >= records_.size()) return std::nullopt;
    return FindRecordAgain(host_.Database().Folders, records_[static_cast<std::size_t>(selected)]);
}

void CAutoFillPopup::OnTimer(UINT_PTR id) {
    if (id != kWatchTimer) return;
    // The browser went, or shows another page: the offer is over.
    if (!connection_->AttachToWindow(browser_) || connection_->GetLocationURL() != address_) {
        Close();
        return;
    }
    const std::optional<RecordPlace> place = SelectedRecord();
    const auto& folders = host_.Database().Folders;
    EnableItem(IDC_POPUP_NOTES,
               place && !folders[static_cast<std::size_t>(place->folder)]
                             .records[static_cast<std::size_t>(place->record)]
                             .fields[kNotes]
                             .empty());
}

void CAutoFillPopup::Fill(int override) {
    const std::optional<RecordPlace> place = SelectedRecord();
    if (place) {
        KillTimer(hwnd(), kWatchTimer);
        host_.FillRecord(place->folder, place->record, connection_.get(), override);
    }
    Close();
}

void CAutoFillPopup::OnAddForm() {
    HWND browser = browser_;
    Close();
    host_.AddWebForm(browser);
}

void CAutoFillPopup::OnOptions() {
    const ui::PopupMenu popup(IDR_AUTOFILL_OPTIONS_MENU);
    HMENU menu = popup.get();
    CheckMenuItem(menu, ID_IGNORE_THIS_SITE, MF_BYCOMMAND | (ignoreSite_ ? MF_CHECKED : MF_UNCHECKED));
    RECT button{};
    GetWindowRect(Item(IDC_POPUP_OPTIONS), &button);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, button.left, button.bottom, 0, hwnd(), nullptr));
    if (chosen == ID_IGNORE_THIS_SITE) ignoreSite_ = !ignoreSite_;
}

void CAutoFillPopup::OnNotes() {
    HideNotes();
    const std::optional<RecordPlace> place = SelectedRecord();
    if (!place) return;
    const Record& record =
        host_.Database().Folders[static_cast<std::size_t>(place->folder)].records[static_cast<std::size_t>(place->record)];
    std::string notes(PlainTextOf(record.fields[kNotes]).view().substr(0, kNotesShown));
    if (notes.empty()) return;
    notesTip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_BALLOON | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, nullptr,
                                nullptr);
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = hwnd();
    tool.lpszText = notes.data();
    SendMessageA(notesTip_, TTM_SETMAXTIPWIDTH, 0, 300);
    SendMessageA(notesTip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    RECT button{};
    GetWindowRect(Item(IDC_POPUP_NOTES), &button);
    SendMessageA(notesTip_, TTM_TRACKPOSITION, 0, MAKELPARAM((button.left + button.right) / 2, button.bottom));
    SendMessageA(notesTip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void CAutoFillPopup::HideNotes() {
    if (notesTip_ == nullptr) return;
    DestroyWindow(notesTip_);
    notesTip_ = nullptr;
}

}  // namespace kv
