#include "app/WebFormDialogs.h"

#include "desktop/MessageBox.h"

namespace kv {

bool AskToFillPage(FillCheck check, const std::string& recordAddress) {
    std::string text = "Please navigate to the Web page containing the form for:\n\n" + recordAddress;
    if (check == FillCheck::InsecurePage) {
        text += "\n\nThis record was saved on a secure (https) page, but the browser shows an insecure one.";
    }
    text += "\n\nPress OK to use this page anyway.";
    return ShowMessage(text, MB_OKCANCEL | MB_ICONWARNING) == IDOK;
}

}  // namespace kv
