#include "app/WebFormDialogs.h"

#include "desktop/MessageBox.h"

namespace kv {
namespace {

class MessageBoxWebFormDialogs final : public WebFormDialogs {
public:
    void OpenAddWebForm(const WebFormTarget&) override {}
    void OpenAutoFillPopup(HWND, bool) override {}
    bool IsAddWebFormOpen() const override { return false; }
    bool IsAutoFillPopupOpen() const override { return false; }
    void CloseAll() override {}

    bool ConfirmFillPage(FillCheck check, const std::string& recordAddress) override {
        std::string text = "Please navigate to the Web page containing the form for:\n\n" + recordAddress;
        if (check == FillCheck::InsecurePage) {
            text += "\n\nThis record was saved on a secure (https) page, but the browser shows an insecure one.";
        }
        text += "\n\nPress OK to use this page anyway.";
        return ShowMessage(text, MB_OKCANCEL | MB_ICONWARNING) == IDOK;
    }
};

}  // namespace

std::unique_ptr<WebFormDialogs> MakeMessageBoxWebFormDialogs() { return std::make_unique<MessageBoxWebFormDialogs>(); }

}  // namespace kv
