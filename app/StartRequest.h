// What a start of the program asks for, worked out from its command line,
// the foreground window and the settings.
#pragma once

#include <string>

namespace kv {

// Started from a browser's menu or toolbar: the foreground window is one of
// Internet Explorer ("IEFrame") or of a browser built on it ("TfrmMain").
bool IsBrowserWindowClass(const std::string& className);

// The command line names a password file: its last '.' starts ".kv".
bool NamesPasswordFile(const std::string& commandLine);

// What a second start asks of the instance that runs already.
enum class SecondStart {
    BrowserMenu,  // show the web-form menu for the browser window, and end
    ShowEditor,   // show the editor, and end
    TakeOver,     // the running instance saves and quits; this one goes on
};
SecondStart DecideSecondStart(bool browserStart, const std::string& commandLine);

struct StartRequest {
    bool trayOnly = false;
    bool namesFile = false;
    std::string file;  // the command line without its double quotes
};
StartRequest ParseCommandLine(const std::string& commandLine, bool sysTrayIcon);

// What the first instance shows once it runs.
enum class StartView {
    Editor,
    IconOnly,
    IconAndBrowserMenu,
};
StartView DecideStartView(const std::string& lastFile, bool trayOnly, bool browserStart);

}  // namespace kv
