// The page adapter and the browser over their real interfaces, driven
// against browser objects of our own: capture, fill and submit end to end,
// frames, the submit sinks and their message, and attaching to a window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "desktop/MessageBox.h"
#include "protocol/MessageNames.h"
#include "tests/support/Records.h"
#include "support/FakeMshtml.h"
#include "webforms/BrowserWindows.h"
#include "webforms/ComBrowserAccess.h"
#include "webforms/FormWalker.h"
#include "webforms/MshtmlPage.h"

namespace kv {
namespace {

using fake::Make;

using test::FormEntry;

// The wide text a value of the ANSI code page stands for.
std::wstring WideOf(const std::string& ansi) {
    std::wstring wide(ansi.size(), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

// A window that keeps the "PASSWORDOnSubmit" messages it gets.
class SubmitListener {
public:
    SubmitListener() {
        WNDCLASSA type{};
        type.lpfnWndProc = Procedure;
        type.hInstance = GetModuleHandleA(nullptr);
        type.lpszClassName = "KelvandorSubmitListener";
        RegisterClassA(&type);
        window = CreateWindowA(type.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, type.hInstance, nullptr);
        Received().clear();
    }
    ~SubmitListener() { DestroyWindow(window); }
    static std::vector<std::pair<WPARAM, LPARAM>>& Received() {
        static std::vector<std::pair<WPARAM, LPARAM>> received;
        return received;
    }
    HWND window;

private:
    static LRESULT CALLBACK Procedure(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
        static const UINT onSubmit = RegisterWindowMessageA(protocol::kOnSubmitMessage);
        if (message == onSubmit) {
            Received().emplace_back(wParam, lParam);
            return 0;
        }
        return DefWindowProcA(w, message, wParam, lParam);
    }
};

// A login page: user name, password, an unticked box and a select list.
struct LoginPage {
    LoginPage() {
        form = document->AddForm();
        user = form->AddInput(L"text", L"user", L"ann");
        password = form->AddInput(L"PASSWORD", L"pw", L"s3cret");
        remember = form->AddInput(L"checkbox", L"remember", L"yes");
        country = form->AddSelect(L"country");
        country->AddOption(L"de", L"fr");
        france = country->AddOption(L"fr", L"France", true);
    }
    ComPtr<fake::Document> document = Make<fake::Document>(L"https://site.example/login");
    ComPtr<fake::Form> form;
    ComPtr<fake::Input> user, password, remember;
    ComPtr<fake::Select> country;
    ComPtr<fake::Option> france;
    FormWatches watches;
};

TEST(MshtmlPageTest, ALoginFormIsCapturedThroughTheDocumentAndItsFormIsWatched) {
    LoginPage login;
    const std::unique_ptr<WebDocument> page = MakeMshtmlPage(ComPtr<IHTMLDocument2>(login.document.get()), login.watches);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->Address(), "https://site.example/login");
    const std::vector<FormField> fields = CaptureForms(*page, true);
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[0], FormEntry(1, "user", "ann", 0));
    EXPECT_EQ(fields[1], FormEntry(2, "pw", "s3cret", 0));
    EXPECT_EQ(fields[2], FormEntry(5, "country", "fr", 0));
    EXPECT_EQ(login.form->Events().Listeners(), 1u);
    EXPECT_EQ(login.document->window->Events().Listeners(), 1u);
    EXPECT_EQ(login.watches.Count(), 1u);
}

TEST(MshtmlPageTest, FillWritesValuesByFormChecksByValueAndSelectsByValueNotText) {
    LoginPage login;
    ComPtr<fake::Form> second = login.document->AddForm();
    ComPtr<fake::Input> otherUser = second->AddInput(L"text", L"USER");
    ComPtr<fake::Input> search = second->AddInput(L"text", L"q");
    login.user->value.clear();
    login.france->selected = false;
    const std::string accented = "M\xFCller";
    std::vector<FormField> entries = {FormEntry(1, "user", accented, -1), FormEntry(1, "q", "first only", 0),
                                      FormEntry(4, "remember", "yes", 0), FormEntry(5, "Country", "fr", 0)};
    const std::unique_ptr<WebDocument> page = MakeMshtmlPage(ComPtr<IHTMLDocument2>(login.document.get()), login.watches);
    EXPECT_TRUE(FillForms(*page, entries, "https://site.example/login"));
    EXPECT_EQ(login.user->value, WideOf(accented));
    EXPECT_EQ(otherUser->value, WideOf(accented));
    EXPECT_EQ(search->value, L"");
    EXPECT_TRUE(login.remember->checked);
    EXPECT_TRUE(login.france->selected);
    EXPECT_EQ(login.watches.Count(), 0u);
}

TEST(MshtmlPageTest, EachFormIsSubmittedByItsSubmitButtonOrItself) {
    LoginPage login;
    ComPtr<fake::Input> go = login.form->AddInput(L"Submit", L"go");
    ComPtr<fake::Form> second = login.document->AddForm();
    second->AddInput(L"text", L"q");
    FormWatches watches;
    const std::unique_ptr<WebDocument> page = MakeMshtmlPage(ComPtr<IHTMLDocument2>(login.document.get()), watches);
    SubmitForms(*page);
    EXPECT_EQ(go->clicks, 1);
    EXPECT_EQ(login.form->submits, 0);
    EXPECT_EQ(second->submits, 1);
}

TEST(MshtmlPageTest, FramesAreTheEmbeddedBrowsersAndAreWalkedOnlyWithoutTopForms) {
    ComPtr<fake::Document> top = Make<fake::Document>(L"https://site.example/");
    LoginPage inFrame;
    ComPtr<fake::Browser> frame = Make<fake::Browser>();
    frame->document = inFrame.document;
    ComPtr<fake::Document> adsDocument = Make<fake::Document>(L"https://ads.example/");
    ComPtr<fake::Input> adsUser = adsDocument->AddForm()->AddInput(L"text", L"user");
    ComPtr<fake::Browser> ads = Make<fake::Browser>();
    ads->document = adsDocument;
    // An embedded object that is no browser is passed over.
    top->embedded = {Make<fake::Collection>().As<IUnknown>(), ads.As<IUnknown>(), frame.As<IUnknown>()};
    FormWatches watches;
    const std::unique_ptr<WebDocument> page = MakeMshtmlPage(ComPtr<IHTMLDocument2>(top.get()), watches);
    ASSERT_EQ(page->Frames().size(), 2u);
    EXPECT_EQ(CaptureForms(*page, false).size(), 3u);

    std::vector<FormField> entries = {FormEntry(1, "user", "bob", -1)};
    inFrame.user->value.clear();
    FillForms(*page, entries, "https://site.example/login");
    EXPECT_EQ(adsUser->value, L"");
    EXPECT_EQ(inFrame.user->value, L"bob");

    top->AddForm()->AddInput(L"text", L"user", L"top");
    const std::vector<FormField> fields = CaptureForms(*page, false);
    ASSERT_EQ(fields.size(), 1u);
    EXPECT_EQ(fields[0].value, "top");
}

TEST(SubmitSinkTest, ASubmissionDisconnectsTheSinkAndTellsTheWindowTheFormsPosition) {
    SubmitListener listener;
    LoginPage login;
    ComPtr<fake::Form> second = login.document->AddForm();
    second->AddInput(L"text", L"q", L"x");
    login.watches.SetNotifyWindow(listener.window);
    const std::unique_ptr<WebDocument> page = MakeMshtmlPage(ComPtr<IHTMLDocument2>(login.document.get()), login.watches);
    CaptureForms(*page, true);
    ASSERT_EQ(second->Events().Listeners(), 1u);
    ASSERT_EQ(login.document->window->Events().Listeners(), 2u);

    second->Events().Fire(1003);  // another event of the form: nothing happens
    EXPECT_TRUE(SubmitListener::Received().empty());
    second->Events().Fire(1007);
    ASSERT_EQ(SubmitListener::Received().size(), 1u);
    EXPECT_EQ(SubmitListener::Received()[0], std::make_pair(WPARAM{1}, LPARAM{0}));
    EXPECT_EQ(second->Events().Listeners(), 0u);
    EXPECT_EQ(login.document->window->Events().Listeners(), 1u);

    // The page's load reaches the window's sink of the first form.
    login.document->window->Events().Fire(1008);
    ASSERT_EQ(SubmitListener::Received().size(), 2u);
    EXPECT_EQ(SubmitListener::Received()[1].first, WPARAM{0});
    EXPECT_EQ(login.form->Events().Listeners(), 0u);
}

TEST(SubmitSinkTest, DroppingTheWatchesDisconnectsAndFreesEverySink) {
    LoginPage login;
    const std::unique_ptr<WebDocument> page = MakeMshtmlPage(ComPtr<IHTMLDocument2>(login.document.get()), login.watches);
    CaptureForms(*page, true);
    ASSERT_EQ(login.watches.Count(), 1u);
    login.watches.DropAll();
    EXPECT_EQ(login.watches.Count(), 0u);
    EXPECT_EQ(login.form->Events().Listeners(), 0u);
    EXPECT_EQ(login.form->Events().unadvised, 1);
    EXPECT_EQ(login.document->window->Events().Listeners(), 0u);
}

// A browser frame with a shell view inside and the page pane inside that.
struct BrowserWindowsOnScreen {
    BrowserWindowsOnScreen() {
        frame = CreateWindowA("STATIC", "Site - Browser", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
        view = CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 400, 300, frame, nullptr, nullptr, nullptr);
        pane = CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 400, 300, view, nullptr, nullptr, nullptr);
        other = CreateWindowA("STATIC", "Other", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
        browser->frame = frame;
        browser->pane = pane;
        browser->location = L"https://site.example/login";
        browser->document = login.document;
        shell->items.push_back(Make<fake::Browser>());  // another browser, elsewhere
        shell->items.push_back(browser);
    }
    ~BrowserWindowsOnScreen() {
        DestroyWindow(frame);
        DestroyWindow(other);
    }
    std::unique_ptr<BrowserAccess> Access() {
        ComPtr<fake::ShellWindows> list = shell;
        return MakeComBrowserAccess([list] { return list.As<IShellWindows>(); });
    }
    HWND frame, view, pane, other;
    LoginPage login;
    ComPtr<fake::Browser> browser = Make<fake::Browser>();
    ComPtr<fake::ShellWindows> shell = Make<fake::ShellWindows>();
};

TEST(ComBrowserAccessTest, AttachesByTheBrowsersWindowOrAnyWindowAroundItsPane) {
    BrowserWindowsOnScreen screen;
    const std::unique_ptr<BrowserAccess> access = screen.Access();
    EXPECT_TRUE(access->AttachToWindow(screen.frame));
    EXPECT_EQ(access->Window(), screen.frame);
    EXPECT_TRUE(access->AttachToWindow(screen.view));
    EXPECT_EQ(access->Window(), screen.frame);
    EXPECT_EQ(access->LocationURL(), "https://site.example/login");
    EXPECT_FALSE(access->AttachToWindow(screen.other));
    EXPECT_EQ(access->Window(), nullptr);
    EXPECT_EQ(access->LocationURL(), "");
    EXPECT_EQ(access->ReadyState(), -1);
}

TEST(ComBrowserAccessTest, ReadsTheStateNavigatesAndHandsOutTheWatchedPage) {
    BrowserWindowsOnScreen screen;
    SubmitListener listener;
    const std::unique_ptr<BrowserAccess> access = screen.Access();
    ASSERT_TRUE(access->AttachToWindow(screen.pane));
    screen.browser->readyState = READYSTATE_INTERACTIVE;
    EXPECT_EQ(access->ReadyState(), 3);
    EXPECT_TRUE(access->Navigate("https://site.example/other"));
    EXPECT_EQ(screen.browser->navigated, std::vector<std::wstring>{L"https://site.example/other"});

    const std::unique_ptr<WebDocument> page = access->Document(listener.window);
    ASSERT_TRUE(page);
    EXPECT_EQ(CaptureForms(*page, true).size(), 3u);
    screen.login.form->Events().Fire(1007);
    EXPECT_EQ(SubmitListener::Received().size(), 1u);

    CaptureForms(*page, true);
    access->DropWatches();
    EXPECT_EQ(screen.login.form->Events().Listeners(), 0u);
}

TEST(ComBrowserAccessTest, InMyIE2TheAddressIsTheAddressBoxText) {
    BrowserWindowsOnScreen screen;
    SetWindowTextA(screen.frame, "MyIE2 - Site");
    const HWND box = CreateWindowA("ComboBox", "", WS_CHILD | CBS_DROPDOWN, 0, 0, 200, 100, screen.frame,
                                   reinterpret_cast<HMENU>(59393), nullptr, nullptr);
    SetWindowTextA(box, "https://tab.example/shown");
    const std::unique_ptr<BrowserAccess> access = screen.Access();
    // Found as the window itself, the browser is no MyIE2.
    ASSERT_TRUE(access->AttachToWindow(screen.frame));
    EXPECT_EQ(access->LocationURL(), "https://site.example/login");
    screen.browser->frame = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(access->AttachToWindow(screen.frame));
    EXPECT_EQ(access->LocationURL(), "https://tab.example/shown");
    DestroyWindow(screen.browser->frame);
}

// The messages that would have been shown, while it lives.
struct ShownMessages {
    ShownMessages() {
        SetMessageScript([this](const std::string& text, UINT) {
            texts.push_back(text);
            return IDOK;
        });
    }
    ~ShownMessages() { SetMessageScript(nullptr); }
    std::vector<std::string> texts;
};

std::string OwnExecutable() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

TEST(ComBrowserAccessTest, AReusedBrowserIsFoundByItsExecutablePathInAnyCaseAndShown) {
    BrowserWindowsOnScreen screen;
    ShowWindow(screen.frame, SW_SHOWNOACTIVATE);
    ShownMessages shown;
    std::string upper = OwnExecutable();
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    BrowserChoice choice;
    choice.useInternetExplorer = false;
    choice.commandLine = upper;
    choice.reuseWindow = true;
    const std::unique_ptr<BrowserAccess> access = screen.Access();
    ASSERT_TRUE(access->OpenBrowser(choice));
    EXPECT_EQ(access->Window(), screen.frame);
    EXPECT_TRUE(screen.browser->visible);
    EXPECT_TRUE(shown.texts.empty());

    choice.commandLine = "C:\\nowhere\\browser.exe";
    EXPECT_FALSE(access->OpenBrowser(choice));
    EXPECT_EQ(access->Window(), nullptr);
    EXPECT_EQ(shown.texts, std::vector<std::string>{"Could not find browser interface for C:\\nowhere\\browser.exe"});
}

TEST(ComBrowserAccessTest, ABrowserThatCannotBeStartedIsReported) {
    BrowserWindowsOnScreen screen;
    ShownMessages shown;
    BrowserChoice choice;
    choice.useInternetExplorer = false;
    choice.commandLine = "C:\\nowhere\\browser.exe";
    EXPECT_FALSE(screen.Access()->OpenBrowser(choice));
    ASSERT_EQ(shown.texts.size(), 2u);
    EXPECT_EQ(shown.texts[0].rfind("Could not launch C:\\nowhere\\browser.exe.\n\nSystem error: ", 0), 0u) << shown.texts[0];
    EXPECT_GT(shown.texts[0].size(), std::string("Could not launch C:\\nowhere\\browser.exe.\n\nSystem error: ").size());
    EXPECT_EQ(shown.texts[1], "Could not find browser interface for C:\\nowhere\\browser.exe");
}

TEST(BrowserWindowsTest, TheTitleRuleIsCaseSensitiveAndTheAddressBoxMustBeAComboBox) {
    const HWND frame = CreateWindowA("STATIC", "myie2 lower", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(HasMyIE2Title(frame));
    SetWindowTextA(frame, "MyIE2");
    EXPECT_TRUE(HasMyIE2Title(frame));
    EXPECT_FALSE(MyIE2Address(frame).has_value());
    CreateWindowA("EDIT", "x", WS_CHILD, 0, 0, 10, 10, frame, reinterpret_cast<HMENU>(59393), nullptr, nullptr);
    EXPECT_FALSE(MyIE2Address(frame).has_value());
    WNDCLASSA type{};
    type.lpfnWndProc = DefWindowProcA;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = "Internet Explorer_Server";
    RegisterClassA(&type);
    const HWND holder = CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 10, 10, frame, nullptr, nullptr, nullptr);
    const HWND server = CreateWindowA(type.lpszClassName, "", WS_CHILD, 0, 0, 10, 10, holder, nullptr, nullptr, nullptr);
    EXPECT_EQ(FindDescendantOfClass(frame, "Internet Explorer_Server"), server);
    EXPECT_EQ(FindDescendantOfClass(frame, "internet explorer_server"), nullptr);
    DestroyWindow(frame);
}

TEST(BrowserWindowsTest, AProcessIsFoundByItsExecutablePathInAnyCase) {
    const std::string path = OwnExecutable();
    EXPECT_STRCASEEQ(ExecutablePathOf(GetCurrentProcessId()).c_str(), path.c_str());
    const HWND window = CreateWindowA("STATIC", "Visible", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                      nullptr, nullptr, nullptr);
    std::string upper = path;
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    const HWND found = FindWindowOfExecutable(upper);
    ASSERT_NE(found, nullptr);
    DWORD process = 0;
    GetWindowThreadProcessId(found, &process);
    EXPECT_EQ(process, GetCurrentProcessId());
    EXPECT_EQ(FindVisibleWindowOfThread(GetCurrentThreadId()), found);
    EXPECT_EQ(FindWindowOfExecutable("C:\\nowhere\\browser.exe"), nullptr);
    DestroyWindow(window);
    EXPECT_EQ(FindVisibleWindowOfThread(GetCurrentThreadId()), nullptr);
}

}  // namespace
}  // namespace kv
