#include "transfer/ui/PassCardPage.h"

#include "desktop/MessageBox.h"
#include "resources/resource.h"
#include "webforms/PassCardImport.h"

namespace kv {
namespace {

constexpr char kOpenFailed[] = "Unable to open file.";
constexpr char kImportLabel[] = "Import PassCards";

}  // namespace

CPassCardPage::CPassCardPage(TransferContext& context) : Mapped(IDD_IMPORT_PASSCARD_PAGE, context) {}

const ui::MessageMap<CPassCardPage>& CPassCardPage::Messages() {
    static const auto map = ui::MessageMap<CPassCardPage>().Command(IDC_TRANSFER_FILE, &CPassCardPage::ImportPassCards);
    return map;
}

void CPassCardPage::ImportPassCards() {
    const int target = Target();
    if (target < 0) return;
    const ui::FileDialogOptions dialog =
        TransferFileDialog(context_, "Import RoboForm PassCards",
                           "Import files (*.htm)|*.htm|Import files (*.html)|*.html|All Files (*.*)|*.*||", "htm");
    const std::optional<std::string> path = context_.choose(hwnd(), dialog, FileChoice::Open);
    if (!path) return;
    const std::optional<std::string> bytes = ReadFile(*path, kOpenFailed);
    if (!bytes) return;
    // Cards replace records as well as add them: the folders before are the undo level.
    const std::vector<Folder> before = context_.db.Folders;
    const PassCardImportResult result = kv::ImportPassCards(*bytes, context_.db, target, context_.locale);
    if (result.count > 0) Imported(kImportLabel, before);
    ShowMessage(PassCardSummary(result));
}

}  // namespace kv
