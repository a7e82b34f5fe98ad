#include "webforms/SiteRecords.h"

#include <algorithm>

#include "platform/Windows1252.h"
#include "protocol/MessageNames.h"
#include "webforms/SiteAddress.h"

namespace kv {
namespace {

constexpr std::size_t kAuthValueLength = 80;

bool PresentFolder(const PasswordDatabase& db, int folder) {
    return folder >= 0 && static_cast<std::size_t>(folder) < db.Folders.size() &&
           db.Folders[static_cast<std::size_t>(folder)].present != 0;
}

SecretString FirstValueOfType(const Record& record, std::int32_t type) {
    for (const FormField& field : record.formData) {
        if (field.type == type) return SecretString(std::string_view(field.value).substr(0, kAuthValueLength));
    }
    return SecretString();
}

}  // namespace

const Record* RecordAt(const PasswordDatabase& db, int folder, int record) {
    if (!PresentFolder(db, folder)) return nullptr;
    const auto& records = db.Folders[static_cast<std::size_t>(folder)].records;
    if (record < 0 || static_cast<std::size_t>(record) >= records.size()) return nullptr;
    return &records[static_cast<std::size_t>(record)];
}

std::vector<RecordRef> RecordsOfSite(const PasswordDatabase& db, std::string_view address) {
    std::vector<RecordRef> found;
    const std::string site = SiteFormOf(address);
    for (std::size_t folder = 0; folder < db.Folders.size(); ++folder) {
        if (!PresentFolder(db, static_cast<int>(folder))) continue;
        const auto& records = db.Folders[folder].records;
        for (std::size_t record = 0; record < records.size(); ++record) {
            if (records[record].formData.empty()) continue;
            if (!windows1252::EqualNoCase(SiteFormOf(records[record].fields[kUrl]), site)) continue;
            found.push_back({static_cast<int>(folder), static_cast<int>(record)});
        }
    }
    return found;
}

std::vector<protocol::SiteEntry> SiteEntriesOf(const PasswordDatabase& db, std::string_view address) {
    std::vector<protocol::SiteEntry> entries;
    for (const RecordRef& ref : RecordsOfSite(db, address)) {
        entries.push_back({ref.folder, ref.record, RecordAt(db, ref.folder, ref.record)->fields[kDescription]});
    }
    return entries;
}

bool IsIgnoredSite(const std::vector<std::string>& ignoredSites, std::string_view address) {
    const std::string site = SiteFormOf(address);
    return std::any_of(ignoredSites.begin(), ignoredSites.end(),
                       [&](const std::string& ignored) { return windows1252::EqualNoCase(ignored, site); });
}

AutoFillOffer DecideAutoFillOffer(const ProgramState& state, const PasswordDatabase& db, std::string_view pageAddress) {
    if (!state.fileOpen || state.locked || state.webFormDialogOpen || state.fillInProgress) {
        return AutoFillOffer::Nothing;
    }
    if (IsIgnoredSite(db.IgnoredSites, pageAddress)) return AutoFillOffer::Nothing;
    return RecordsOfSite(db, pageAddress).empty() ? AutoFillOffer::AddWebForm : AutoFillOffer::AutoFillPopup;
}

WebFormMenuPlan PlanWebFormMenu(const ProgramState& state, bool canLock, const PasswordDatabase& db,
                                std::string_view address, bool forDialog) {
    WebFormMenuPlan plan;
    plan.show = state.fileOpen && !state.fillInProgress;
    if (!plan.show) return plan;
    if (!state.locked) {
        for (const RecordRef& ref : RecordsOfSite(db, address)) {
            plan.records.push_back({RecordAt(db, ref.folder, ref.record)->fields[kDescription],
                                    protocol::PackFillTarget(static_cast<std::uint32_t>(ref.folder),
                                                             static_cast<std::uint32_t>(ref.record))});
        }
    }
    plan.keepPopupItems = !forDialog && !plan.records.empty();
    plan.autoFillEnabled = !plan.records.empty();
    plan.lockEnabled = canLock;
    plan.lockChecked = state.locked;
    plan.addAndPopupEnabled = !state.locked;
    return plan;
}

bool AutoSubmitOf(const Record& record, int override) {
    if (override == kForceAutoSubmit) return true;
    if (override == kNoAutoSubmit) return false;
    return !record.formData.empty() && record.formData.front().autoSubmit != 0;
}

AuthDialogValues AuthDialogValuesOf(const Record& record) {
    return {FirstValueOfType(record, kAuthDialogUsername), FirstValueOfType(record, kAuthDialogPassword)};
}

FillRoute RouteFill(const Record& record, bool addWebFormOpen, bool authDialog, bool haveBrowser) {
    if (addWebFormOpen) return FillRoute::AddWebFormOpen;
    if (record.formData.empty()) return FillRoute::Ignored;
    if (authDialog) return FillRoute::AuthDialog;
    if (haveBrowser) return FillRoute::IntoBrowser;
    return record.formData.front().type >= kAuthDialogUsername ? FillRoute::OpenAddress : FillRoute::NavigateAndFill;
}

}  // namespace kv
