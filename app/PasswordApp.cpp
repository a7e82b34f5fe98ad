#include "app/PasswordApp.h"

#include <commctrl.h>
#include <ole2.h>

#include "app/StartRequest.h"
#include "db/FileFlows.h"
#include "db/PasswordFile.h"
#include "desktop/MessageBox.h"
#include "desktop/RegisteredMessages.h"
#include "editor/EditorDlg.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/SecretString.h"
#include "platform/SecureWipe.h"
#include "resources/resource.h"
#include "settings/LegacyMigration.h"
#include "settings/Settings.h"
#include "uikit/MessageLoop.h"
#include "uikit/Module.h"

namespace kv {
namespace {

CPasswordApp* theApp = nullptr;

const char kInstanceMutexName[] = "Kelvandor";

const char kFirstInstanceStayedMessage[] =
    "Kelvandor is already running and did not close to open this file (it may be waiting for an answer, or "
    "its changes could not be saved).\nPlease close it, then open the file again.";

const char kSharedBlockTakenMessage[] =
    "Another program has already created the shared memory through which Kelvandor answers Internet Explorer.\n"
    "Kelvandor does not use it: the browser's menu shows no records until Kelvandor is started again.";

std::string ClassNameOf(HWND window) {
    char name[81] = {};
    if (window != nullptr) GetClassNameA(window, name, sizeof name);
    return name;
}

}  // namespace

CPasswordApp& App() { return *theApp; }

CPasswordApp::CPasswordApp() : webForms_(MakeAppWebForms(*this)) {
    theApp = this;
    Database.EncryptFiles = 1;  // also the setting, whose default is on
}

CPasswordApp::~CPasswordApp() {
    Release();
    if (theApp == this) theApp = nullptr;
}

bool CPasswordApp::InitInstance(const std::string& commandLine) {
    HWND foreground = GetForegroundWindow();
    const bool browserStart = IsBrowserWindowClass(ClassNameOf(foreground));
    HWND browser = browserStart ? foreground : nullptr;

    instanceMutex_.Reset(CreateMutexA(nullptr, FALSE, kInstanceMutexName));
    if (instanceMutex_ && GetLastError() == ERROR_ALREADY_EXISTS) {
        if (!StartSecondInstance(commandLine, browser)) return false;
    }

    MigrateLegacySettings(storage_.location());
    oleInitialised_ = SUCCEEDED(OleInitialize(nullptr));
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_BAR_CLASSES |
                                                       ICC_HOTKEY_CLASS | ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    ResetColumnSets(Settings);
    ResetColumnNames(Settings);
    ResetCategoryNames(Settings);
    LoadRecentFiles(storage_, Settings, [](const std::string& path) { return SystemFileSystem().Exists(path); });
    CreateSharedBlock();
    ReadSystemVersion();
    LoadAppSettings();
    skinBrush_.Reset(CreateSolidBrush(RGB(240, 240, 248)));
    SyncIntegration();

    if (Settings.Init != 0) {
        Settings.CategoryNames[0] = "Email";
        SaveCategoryNames(storage_, Settings);
        if (SystemFileSystem().Exists(ui::ProgramFolder() + kDefaultFileName)) Settings.Init = 0;
    }

    if (!tray_.Create()) {
        ShowMessage("Can't create system tray window", MB_OK | MB_ICONSTOP);
        return false;
    }
    if (Settings.SysTrayIcon != 0) tray_.AddIcon();

    richEditLibrary_.Reset(LoadLibraryA("Riched20.dll"));
    for (const char* className : {"RICHEDIT", "RichEdit20A"}) {
        if (richEdit_ == nullptr && richEditLibrary_) {
            richEdit_ = CreateWindowExA(0, className, "KelvandorRichEdit", WS_CHILD | ES_MULTILINE, 0, 0, 0, 0,
                                        tray_.hwnd(), nullptr, ui::Instance(), nullptr);
        }
    }
    if (richEdit_ == nullptr) {
        ShowMessage("Unable to create RichEdit window.  Please see requirements.", MB_OK | MB_ICONSTOP);
        return false;
    }
    messageWindow_ = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "KelvandorDlg", 0, 0, 0, 0, 0, nullptr, nullptr,
                                     ui::Instance(), nullptr);
    ShowStartView(commandLine, browser);
    return true;
}

bool CPasswordApp::StartSecondInstance(const std::string& commandLine, HWND browser) {
    // The first instance's tray window: titled "Kelvandor", of our class (an
    // editor window may carry the same title for a moment).
    HWND first = FindWindowA(CTrayWnd::kClassName, "Kelvandor");
    if (first == nullptr) return false;
    switch (DecideSecondStart(browser != nullptr, commandLine)) {
        case SecondStart::BrowserMenu:
            PostMessageA(first, messages::IePopup, reinterpret_cast<WPARAM>(browser), 0);
            return false;
        case SecondStart::ShowEditor:
            // Let the first instance take the foreground for its editor.
            AllowSetForegroundWindow(ASFW_ANY);
            PostMessageA(first, messages::ShowDlg, 0, 0);
            return false;
        case SecondStart::TakeOver: {
            DWORD firstId = 0;
            GetWindowThreadProcessId(first, &firstId);
            KernelHandle firstProcess(
                firstId != GetCurrentProcessId() ? OpenProcess(SYNCHRONIZE, FALSE, firstId) : nullptr);
            // The first instance may ask about its changes first; a hung one must not hang this one.
            DWORD_PTR stays = 1;
            if (SendMessageTimeoutA(first, messages::Shutdown, 0, 0, SMTO_ABORTIFHUNG, shutdownTimeoutMs_, &stays) != 0 &&
                stays == 0) {
                // Its shared block goes with it: this one's is created only then.
                if (firstProcess) WaitForSingleObject(firstProcess.get(), shutdownTimeoutMs_);
                return true;
            }
            ShowMessage(kFirstInstanceStayedMessage, MB_OK | MB_ICONWARNING);
            return false;
        }
    }
    return false;
}

void CPasswordApp::CreateSharedBlock() {
    if (!sharedBlock_.Create() && sharedBlock_.squatted()) ShowMessage(kSharedBlockTakenMessage, MB_OK | MB_ICONWARNING);
}

void CPasswordApp::ReadSystemVersion() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&version)) return;
#pragma GCC diagnostic pop
    IsNT = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    IsWin95 = version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && version.dwMinorVersion == 0;
}

void CPasswordApp::ShowStartView(const std::string& commandLine, HWND browser) {
    const StartRequest request = ParseCommandLine(commandLine, Settings.SysTrayIcon != 0);
    if (request.namesFile) Settings.LastFile = request.file;
    Database.FilePath = Settings.LastFile;
    switch (DecideStartView(Settings.LastFile, request.trayOnly, browser != nullptr)) {
        case StartView::Editor:
            ShowEditor();
            break;
        case StartView::IconAndBrowserMenu:
            if (!tray_.IconShown()) tray_.AddIcon();
            tray_.Post(messages::IePopup, reinterpret_cast<WPARAM>(browser), 0);
            break;
        case StartView::IconOnly:
            if (!tray_.IconShown()) tray_.AddIcon();
            break;
    }
}

bool CPasswordApp::EnsureDatabaseLoaded() {
    if (Database.FileLoaded != 0 && !Database.FilePath.empty()) return true;
    if (Database.Loading) {
        // The load that runs asks for the password: that prompt is the answer.
        fileUi_.BringPromptForward();
        return false;
    }
    if (Settings.LastFile.empty()) return false;
    if (Database.Modified) {
        // Reading the file again would replace what was typed after a failed load.
        ShowMessage("The file was not read completely and the editor holds unsaved changes.\nPlease save them "
                    "with \"Save as\" first.");
        return false;
    }
    Database.FilePath = Settings.LastFile;
    if (LoadWithFreshHistories(Database, fileUi_, SystemFileSystem(), SystemLocale()) != LoadOutcome::Loaded) {
        return false;
    }
    if (editor_ && editor_->hwnd() != nullptr) editor_->FileOpened();
    return true;
}

bool CPasswordApp::SelectDatabase() {
    if (Database.Loading) {
        fileUi_.BringPromptForward();
        return false;
    }
    const std::string folder = Settings.LastFile.empty() ? ui::ProgramFolder() : FolderOf(Settings.LastFile);
    const std::optional<std::string> chosen = fileUi_.ChooseFileToOpen(folder, FileNameOf(Settings.LastFile));
    if (!chosen) return false;
    if (editor_ && editor_->hwnd() != nullptr) {
        editor_->Flows().OpenPasswordFile(*chosen);
        return true;
    }
    const std::string previousPath = Database.FilePath;
    SecretString previousPassword(Database.MasterPassword.view());
    Database.FilePath = *chosen;
    Database.MasterPassword.Clear();
    const LoadOutcome outcome = LoadWithFreshHistories(Database, fileUi_, SystemFileSystem(), SystemLocale());
    if (outcome == LoadOutcome::Loaded) {
        Settings.LastFile = *chosen;
        AddRecentFile(storage_, Settings, *chosen, [](const std::string& path) { return SystemFileSystem().Exists(path); },
                      SystemLocale());
        Undo.Clear();
    } else if (outcome == LoadOutcome::TooLarge) {
        // The file that was open stays open, under its own password.
        Database.FilePath = previousPath;
        Database.MasterPassword = previousPassword.view();
    } else {
        Settings.LastFile.clear();
        Database.MasterPassword.Clear();
    }
    tray_.RefreshTrayDlg();
    return true;
}

void CPasswordApp::LoadAppSettings() { LoadSettings(storage_, Settings, Database.EncryptFiles); }

void CPasswordApp::SaveAppSettings() {
    if (SaveSettings(storage_, Settings, Database.EncryptFiles) || reportedSaveFailure_) return;
    reportedSaveFailure_ = true;
    ShowMessage("Unable to save changes to the registry.");
}

void CPasswordApp::ShowEditor() {
    if (Locked && !Unlock()) return;
    if (editor_ && editor_->hwnd() != nullptr) {
        editor_->Show(SW_SHOW);
        editor_->Show(SW_RESTORE);
        BringWindowToTop(editor_->hwnd());
    } else {
        if (editor_) return;  // its window was destroyed: the program is ending
        editor_ = std::make_unique<CEditorDlg>(*this);
        if (!editor_->CreateModeless(GetDesktopWindow())) return;
        HICON small = ui::LoadIconAt(IDI_KELVANDOR, 16);
        HICON large = ui::LoadIconAt(IDI_KELVANDOR, 32);
        editor_->Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
        editor_->Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
        const LONG_PTR exStyle = GetWindowLongPtrA(editor_->hwnd(), GWL_EXSTYLE);
        SetWindowLongPtrA(editor_->hwnd(), GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_TOOLWINDOW));
        const LONG_PTR style = GetWindowLongPtrA(editor_->hwnd(), GWL_STYLE);
        SetWindowLongPtrA(editor_->hwnd(), GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_POPUP));
        editor_->Show(SW_SHOWNORMAL);
    }
    SetForegroundWindow(editor_->hwnd());
}

bool CPasswordApp::Exit(bool askedByOtherInstance) {
    Exiting = true;
    const bool editorShown = editor_ && editor_->hwnd() != nullptr;
    if (editorShown || Database.Modified) {
        if (!editorShown) ShowEditor();
        // Cancelled, or the save failed: the program keeps running with the changes.
        const SaveOutcome outcome = editor_ ? editor_->SaveChanges(!askedByOtherInstance) : SaveOutcome::NotSaved;
        if (outcome == SaveOutcome::Cancelled || outcome == SaveOutcome::Failed) {
            Exiting = false;
            return false;
        }
    }
    if (editor_ && editor_->hwnd() != nullptr) editor_->Destroy();
    RegisterLockHotKey(false, 0, 0);
    PostQuitMessage(0);
    return true;
}

int CPasswordApp::Run() {
    const int code = ui::RunMessageLoop();
    Release();
    return code;
}

void CPasswordApp::Release() {
    if (released_) return;
    released_ = true;
    skinBrush_.Reset();
    if (tray_.hwnd() != nullptr) tray_.Destroy();  // with it the rich edit window, its child
    richEdit_ = nullptr;
    richEditLibrary_.Reset();
    if (messageWindow_ != nullptr) DestroyWindow(messageWindow_);
    instanceMutex_.Reset();
    editor_.reset();
    sharedBlock_.Close();
    // The undo levels share records with the folders: drop them first, so that
    // the wipe below reaches the only copy.
    Undo.Clear();
    for (Folder& folder : Database.Folders) {
        for (Record& record : folder.records.write()) {
            for (std::string& field : record.fields) SecureWipe(field);
        }
    }
    Database.Folders.clear();
    Database.MasterPassword.Clear();
    if (oleInitialised_) OleUninitialize();
    messageWindow_ = nullptr;
}

}  // namespace kv
