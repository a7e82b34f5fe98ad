// What the program does with the pages and requests the browser helper
// reports: which records belong to a page's site, whether a loaded page is
// offered AutoFill, what the web-form menu lists, and how a record is filled.
// Requests arrive from other processes, so every index is checked here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/Database.h"
#include "platform/SecretString.h"
#include "protocol/SharedBlock.h"

namespace kv {

struct RecordRef {
    int folder = -1;
    int record = -1;
    friend bool operator==(const RecordRef& a, const RecordRef& b) {
        return a.folder == b.folder && a.record == b.record;
    }
};

// The record at the indexes a message names; null when either is out of
// range or the folder is deleted.
const Record* RecordAt(const PasswordDatabase& db, int folder, int record);

// The records with form data whose web address has the site of `address`,
// in folder order and record order; deleted folders are left out.
std::vector<RecordRef> RecordsOfSite(const PasswordDatabase& db, std::string_view address);

// The entries the browser helper reads for `address`; WriteSiteEntries keeps
// as many as the block holds.
std::vector<protocol::SiteEntry> SiteEntriesOf(const PasswordDatabase& db, std::string_view address);

// Whether the site of `address` is on the ignored-sites list (site forms,
// compared without case).
bool IsIgnoredSite(const std::vector<std::string>& ignoredSites, std::string_view address);

// What the program is doing when a request arrives.
struct ProgramState {
    bool fileOpen = false;
    bool locked = false;
    bool webFormDialogOpen = false;  // the Add Web Form dialog or the AutoFill pop-up
    bool fillInProgress = false;
};

enum class AutoFillOffer {
    Nothing,
    AddWebForm,     // no record has the page's site yet
    AutoFillPopup,  // the site's records are offered
};

// The offer for a page with a password form that the browser helper reports.
AutoFillOffer DecideAutoFillOffer(const ProgramState& state, const PasswordDatabase& db, std::string_view pageAddress);

// The program's web-form menu for a browser window or an authentication dialog.
struct WebFormMenuItem {
    std::string text;
    std::uint32_t data = 0;  // (record index << 16) | folder index
};

struct WebFormMenuPlan {
    bool show = false;
    std::vector<WebFormMenuItem> records;  // under "Auto&Fill form", from 40000 upwards
    bool keepPopupItems = false;           // "Open AutoFill &pop-up" and the separator under it
    bool autoFillEnabled = false;
    bool lockEnabled = false;
    bool lockChecked = false;
    bool addAndPopupEnabled = false;  // "&Add Web form" and "Open AutoFill &pop-up"
};

// `canLock`: a file is loaded and has a master password (and the icon shows).
// A locked program lists no records: their descriptions stay hidden.
WebFormMenuPlan PlanWebFormMenu(const ProgramState& state, bool canLock, const PasswordDatabase& db,
                                std::string_view address, bool forDialog);

// The auto-submit override of a fill: none (the record's first entry
// decides), forced on ("Submit"), forced off ("Fill form").
constexpr int kRecordsAutoSubmit = 0;
constexpr int kForceAutoSubmit = 100;
constexpr int kNoAutoSubmit = 101;

// The record's auto-submit flag (its first entry's), as `override` may force it.
bool AutoSubmitOf(const Record& record, int override);

// The user name and password of a record's authentication dialog entries
// (types 1000 and 1001), each at most 80 characters.
struct AuthDialogValues {
    SecretString username;
    SecretString password;
};
AuthDialogValues AuthDialogValuesOf(const Record& record);

enum class FillRoute {
    Ignored,          // no form data
    AddWebFormOpen,   // the user is recording a form: asked to cancel first
    AuthDialog,       // written into a browser authentication dialog
    IntoBrowser,      // into the page of the browser the request came from
    OpenAddress,      // an authentication dialog's record: its address is opened
    NavigateAndFill,  // a browser goes to the record's address and fills it
};

FillRoute RouteFill(const Record& record, bool addWebFormOpen, bool authDialog, bool haveBrowser);

}  // namespace kv
