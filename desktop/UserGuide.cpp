#include "desktop/UserGuide.h"

#include <windows.h>
#include <shellapi.h>

#include "desktop/MessageBox.h"
#include "uikit/Module.h"

namespace kv {
namespace {

constexpr char kGuideFile[] = "Kelvandor.html";
constexpr char kSupportPage[] = "https://kelvandor.org/support";

DocumentOpener& Opener() {
    static DocumentOpener opener;
    return opener;
}

bool Open(const std::string& document) {
    if (Opener()) return Opener()(document);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", document.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

}  // namespace

std::string UserGuidePath() { return ui::ProgramFolder() + kGuideFile; }

void OpenUserGuide() {
    const std::string guide = UserGuidePath();
    if (GetFileAttributesA(guide.c_str()) == INVALID_FILE_ATTRIBUTES) {
        ShowMessage("The user guide " + guide + " is missing. Please install Kelvandor again.", MB_OK | MB_ICONWARNING);
        return;
    }
    if (!Open(guide)) ShowMessage("The user guide " + guide + " could not be opened.", MB_OK | MB_ICONWARNING);
}

void OpenSupportPage() {
    if (!Open(kSupportPage)) ShowMessage(std::string("Could not open ") + kSupportPage + ".", MB_OK | MB_ICONWARNING);
}

void SetDocumentOpener(DocumentOpener opener) { Opener() = std::move(opener); }

}  // namespace kv
