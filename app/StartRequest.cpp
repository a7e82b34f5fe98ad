#include "app/StartRequest.h"

#include "platform/Windows1252.h"

namespace kv {

using windows1252::EqualNoCase;

bool IsBrowserWindowClass(const std::string& className) {
    return EqualNoCase(className, "ieframe") || EqualNoCase(className, "TfrmMain");
}

bool NamesPasswordFile(const std::string& commandLine) {
    const std::size_t dot = commandLine.rfind('.');
    return dot != std::string::npos && EqualNoCase(commandLine.substr(dot, 3), ".kv");
}

SecondStart DecideSecondStart(bool browserStart, const std::string& commandLine) {
    if (browserStart) return SecondStart::BrowserMenu;
    return NamesPasswordFile(commandLine) ? SecondStart::TakeOver : SecondStart::ShowEditor;
}

StartRequest ParseCommandLine(const std::string& commandLine, bool sysTrayIcon) {
    StartRequest request;
    if ((commandLine.empty() && sysTrayIcon) || EqualNoCase(commandLine, "Systray")) {
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
