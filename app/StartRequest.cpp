#include "app/StartRequest.h"

#include <cctype>

namespace kv {
namespace {

bool EqualsNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool IsBrowserWindowClass(const std::string& className) {
    return EqualsNoCase(className, "ieframe") || EqualsNoCase(className, "TfrmMain");
}

bool NamesPasswordFile(const std::string& commandLine) {
    const std::size_t dot = commandLine.rfind('.');
    return dot != std::string::npos && EqualsNoCase(commandLine.substr(dot, 3), ".kv");
}

SecondStart DecideSecondStart(bool browserStart, const std::string& commandLine) {
    if (browserStart) return SecondStart::BrowserMenu;
    return NamesPasswordFile(commandLine) ? SecondStart::TakeOver : SecondStart::ShowEditor;
}

StartRequest ParseCommandLine(const std::string& commandLine, bool sysTrayIcon) {
    StartRequest request;
    if ((commandLine.empty() && sysTrayIcon) || EqualsNoCase(commandLine, "Systray")) {
        request.trayOnly = true;
    } else if (!commandLine.empty()) {
        request.namesFile = true;
        for (const char c : commandLine) {
            if (c != '"') request.file += c;
        }
    }
    return request;
}

StartView DecideStartView(const std::string& lastFile, bool trayOnly, bool browserStart) {
    if (lastFile.empty()) return StartView::Editor;
    if (browserStart) return StartView::IconAndBrowserMenu;
    if (trayOnly) return StartView::IconOnly;
    return StartView::Editor;
}

}  // namespace kv
