#include "webforms/ComBrowserAccess.h"

#include <mshtml.h>
#include <ole2.h>
#include <shlguid.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "desktop/MessageBox.h"
#include "platform/Win32Error.h"
#include "platform/Win32Handles.h"
#include "platform/WideText.h"
#include "webforms/BrowserWindows.h"
#include "webforms/MshtmlPage.h"

namespace kv {
namespace {

constexpr DWORD kLaunchIdleMs = 15000;
constexpr int kWindowTries = 10;
constexpr DWORD kWindowTryMs = 500;
constexpr UINT kGetObjectTimeoutMs = 1000;

ComPtr<IShellWindows> SystemShellWindows() {
    ComPtr<IUnknown> list;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_IUnknown, list.ReceiveVoid())) || !list) {
        return {};
    }
    OleRun(list.get());
    return list.As<IShellWindows>();
}

HWND WindowOf(IWebBrowser2* browser) {
    SHANDLE_PTR window = 0;
    if (browser == nullptr || FAILED(browser->get_HWND(&window))) return nullptr;
    return reinterpret_cast<HWND>(window);
}

// Whether `window` is `wanted` or lies inside it.
bool WithinWindow(HWND wanted, HWND window) {
    for (HWND w = window; w != nullptr; w = GetParent(w)) {
        if (w == wanted) return true;
    }
    return false;
}

class ComBrowserAccess : public BrowserAccess {
public:
    explicit ComBrowserAccess(ShellWindowsSource source) : source_(std::move(source)) {
        if (!source_) source_ = SystemShellWindows;
    }

    bool AttachToWindow(HWND window) override {
        Detach();
        const ComPtr<IShellWindows> list = source_();
        long count = 0;
        if (!list || FAILED(list->get_Count(&count))) return false;
        for (long i = 0; i < count; ++i) {
            ComPtr<IDispatch> item;
            Variant index(i);
            if (FAILED(list->Item(index.get(), item.Receive())) || !item) continue;
            ComPtr<IWebBrowser2> browser = item.As<IWebBrowser2>();
            if (browser && WindowOf(browser.get()) == window) return Attach(std::move(browser), window, false);
            const ComPtr<IOleWindow> pane = item.As<IOleWindow>();
            HWND paneWindow = nullptr;
            if (browser && pane && SUCCEEDED(pane->GetWindow(&paneWindow)) && WithinWindow(window, paneWindow)) {
                return Attach(std::move(browser), GetAncestor(window, GA_ROOT), HasMyIE2Title(window));
            }
        }
        return false;
    }

    bool OpenBrowser(const BrowserChoice& choice) override {
        if (!choice.useInternetExplorer && !choice.commandLine.empty()) return OpenOtherBrowser(choice);
        if (choice.reuseWindow) {
            const HWND frame = FindWindowA("ieframe", nullptr);
            if (frame != nullptr && AttachToWindow(frame)) {
                ShowWindow(window_, choice.maximize ? SW_MAXIMIZE : SW_RESTORE);
                SetForegroundWindow(window_);
                return true;
            }
        }
        Detach();
        ComPtr<IWebBrowser2> browser;
        if (FAILED(CoCreateInstance(CLSID_InternetExplorer, nullptr, CLSCTX_LOCAL_SERVER, __uuidof(IWebBrowser2),
                                    browser.ReceiveVoid())) ||
            !browser) {
            return false;
        }
        browser->put_Visible(VARIANT_TRUE);
        const HWND frame = WindowOf(browser.get());
        Attach(std::move(browser), frame, false);
        if (choice.maximize) ShowWindow(window_, SW_MAXIMIZE);
        return true;
    }

    HWND Window() const override { return window_; }

    std::string LocationURL() override {
        if (!browser_) return {};
        if (myIE2_) {
            if (std::optional<std::string> address = MyIE2Address(window_)) return *address;
        }
        Bstr address;
        if (FAILED(browser_->get_LocationURL(address.Receive()))) return {};
        const std::optional<SecretString> ansi =
            Narrow(CP_ACP, std::wstring_view(address.get(), address.size()), false);
        return ansi ? std::string(ansi->view()) : std::string();
    }

    bool Navigate(const std::string& address) override {
        if (!browser_) return false;
        const std::optional<WipedWide> wide = Widen(CP_ACP, 0, address);
        if (!wide) return false;
        const Bstr target(wide->data(), static_cast<UINT>(wide->size()));
        Variant flags(0L);
        Variant none;
        return SUCCEEDED(browser_->Navigate(target.get(), &flags.get(), &none.get(), &none.get(), &none.get()));
    }

    int ReadyState() override {
        READYSTATE state = READYSTATE_UNINITIALIZED;
        if (!browser_ || FAILED(browser_->get_ReadyState(&state))) return -1;
        return static_cast<int>(state);
    }

    std::unique_ptr<WebDocument> Document(HWND notifyWindow) override {
        watches_.SetNotifyWindow(notifyWindow);
        return MakeMshtmlPage(myIE2_ ? VisibleTabDocument() : BrowserDocument(), watches_);
    }

    void DropWatches() override { watches_.DropAll(); }

private:
    // `frame`: the top-level window that shows the browser.
    bool Attach(ComPtr<IWebBrowser2> browser, HWND frame, bool myIE2) {
        browser_ = std::move(browser);
        window_ = frame;
        myIE2_ = myIE2;
        return true;
    }

    void Detach() {
        browser_.Reset();
        window_ = nullptr;
        myIE2_ = false;
    }

    // Another browser built on the same engine, reused or started as a command line.
    bool OpenOtherBrowser(const BrowserChoice& choice) {
        Detach();
        if (choice.reuseWindow) {
            const HWND window = FindWindowOfExecutable(choice.commandLine);
            if (window != nullptr && AttachToWindow(window)) return ShowAttached();
        } else if (LaunchAndAttach(choice.commandLine)) {
            return ShowAttached();
        }
        ShowMessage("Could not find browser interface for " + choice.commandLine, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }

    bool LaunchAndAttach(const std::string& commandLine) {
        std::vector<char> line(commandLine.begin(), commandLine.end());
        line.push_back('\0');
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
            const std::string error = SystemErrorText(GetLastError());
            ShowMessage("Could not launch " + commandLine + ".\n\nSystem error: " + error, MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        const KernelHandle process(started.hProcess);
        const KernelHandle thread(started.hThread);
        WaitForInputIdle(process.get(), kLaunchIdleMs);
        for (int attempt = 0; attempt < kWindowTries; ++attempt) {
            const HWND window = FindVisibleWindowOfThread(started.dwThreadId);
            if (window != nullptr && AttachToWindow(window)) return true;
            Sleep(kWindowTryMs);
        }
        return false;
    }

    bool ShowAttached() {
        browser_->put_Visible(VARIANT_TRUE);
        return true;
    }

    ComPtr<IHTMLDocument2> BrowserDocument() {
        ComPtr<IDispatch> document;
        if (!browser_ || FAILED(browser_->get_Document(document.Receive()))) return {};
        return document.As<IHTMLDocument2>();
    }

    // The tab MyIE2 shows, which its automation object does not report: the
    // document of its page pane, through the accessibility library.
    ComPtr<IHTMLDocument2> VisibleTabDocument() {
        using FromLresult = HRESULT(WINAPI*)(LRESULT, REFIID, WPARAM, void**);
        const LoadedLibrary accessibility(LoadLibraryA("OLEACC.DLL"));
        if (!accessibility) return {};
        const auto fromLresult = reinterpret_cast<FromLresult>(
            reinterpret_cast<void*>(GetProcAddress(accessibility.get(), "ObjectFromLresult")));
        const HWND pane = FindDescendantOfClass(window_, "Internet Explorer_Server");
        if (fromLresult == nullptr || pane == nullptr) return {};
        static const UINT getObject = RegisterWindowMessageA("WM_HTML_GETOBJECT");
        DWORD_PTR result = 0;
        if (SendMessageTimeoutA(pane, getObject, 0, 0, SMTO_ABORTIFHUNG, kGetObjectTimeoutMs, &result) == 0) return {};
        ComPtr<IHTMLDocument> document;
        if (FAILED(fromLresult(static_cast<LRESULT>(result), __uuidof(IHTMLDocument), 0, document.ReceiveVoid()))) {
            return {};
        }
        return document.As<IHTMLDocument2>();
    }

    ShellWindowsSource source_;
    ComPtr<IWebBrowser2> browser_;
    HWND window_ = nullptr;
    bool myIE2_ = false;
    FormWatches watches_;
};

}  // namespace

std::unique_ptr<BrowserAccess> MakeComBrowserAccess(ShellWindowsSource source) {
    return std::make_unique<ComBrowserAccess>(std::move(source));
}

}  // namespace kv
