// The window framework on real windows: message maps, command routing,
// modal and modeless dialogs, property sheets and the control wrappers.
#include <gtest/gtest.h>

#include "tests/ui/support/UiHarness.h"
#include "uikit/Controls.h"
#include "uikit/Dialog.h"
#include "uikit/MessageLoop.h"
#include "uikit/MessageMap.h"
#include "uikit/PropertySheet.h"
#include "uikit/Window.h"

namespace kv {
namespace {

using namespace uitest;

constexpr UINT kTestDialog = 100;
constexpr UINT kPageOne = 200;
constexpr UINT kPageTwo = 201;
const UINT kPingMessage = RegisterWindowMessageA("KelvandorTestPing");

// A panel that handles the command 1005 for its window.
class Panel : public ui::Mapped<Panel, ui::Window> {
public:
    static const ui::MessageMap<Panel>& Messages() {
        static const auto map = ui::MessageMap<Panel>().Command(1005, &Panel::OnGo).CommandRange(3000, 3009, &Panel::OnRange);
        return map;
    }
    int goes = 0;
    UINT lastRange = 0;

private:
    void OnGo() { ++goes; }
    void OnRange(UINT id) { lastRange = id; }
};

class TestWindow : public ui::Mapped<TestWindow, ui::Window> {
public:
    static const ui::MessageMap<TestWindow>& Messages() {
        static const auto map = ui::MessageMap<TestWindow>()
                                    .Registered(&kPingMessage, &TestWindow::OnPing)
                                    .Command(2000, &TestWindow::OnOwnCommand)
                                    .Message(WM_SIZE, &TestWindow::OnSize);
        return map;
    }
    int pings = 0;
    int ownCommands = 0;
    int sizes = 0;

private:
    LRESULT OnPing(WPARAM wParam, LPARAM) {
        ++pings;
        return static_cast<LRESULT>(wParam * 2);
    }
    void OnOwnCommand() { ++ownCommands; }
    LRESULT OnSize(WPARAM, LPARAM) {
        ++sizes;
        return 0;
    }
};

TEST(MessageMapTest, MessagesCommandsAndPanelRouting) {
    ASSERT_TRUE(ui::Window::RegisterClass("KelvandorTestWindow"));
    TestWindow window;
    ASSERT_TRUE(window.Create("KelvandorTestWindow", "Test", WS_OVERLAPPEDWINDOW, 0, RECT{0, 0, 200, 100}, nullptr));
    Panel panel;
    ASSERT_TRUE(panel.Create("KelvandorTestWindow", "", WS_CHILD, 0, RECT{0, 0, 10, 10}, window.hwnd()));
    window.SetCommandPanel(&panel);

    EXPECT_EQ(window.Send(kPingMessage, 21), 42);
    EXPECT_EQ(window.pings, 1);
    window.Send(WM_COMMAND, MAKEWPARAM(2000, 0));
    window.Send(WM_COMMAND, MAKEWPARAM(1005, BN_CLICKED));
    window.Send(WM_COMMAND, MAKEWPARAM(3004, 1));  // an accelerator
    window.Send(WM_COMMAND, MAKEWPARAM(1005, EN_CHANGE));  // a notification is no command
    EXPECT_EQ(window.ownCommands, 1);
    EXPECT_EQ(panel.goes, 1);
    EXPECT_EQ(panel.lastRange, 3004u);
    SetWindowPos(window.hwnd(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_GE(window.sizes, 1);
    EXPECT_EQ(ui::Window::FromHandle(window.hwnd()), &window);
    window.Destroy();
    EXPECT_EQ(window.hwnd(), nullptr);
}

class TestDialog : public ui::Mapped<TestDialog, ui::Dialog> {
public:
    TestDialog() : Mapped(kTestDialog) {}
    static const ui::MessageMap<TestDialog>& Messages() {
        static const auto map = ui::MessageMap<TestDialog>()
                                    .Command(1005, &TestDialog::OnGo)
                                    .Control(1001, EN_CHANGE, &TestDialog::OnEditChange);
        return map;
    }
    bool initialised = false;
    bool refuseOk = false;
    int edits = 0;
    std::string typed;

protected:
    bool OnInitDialog() override {
        initialised = true;
        SetItemText(1001, "start");
        return true;
    }
    void OnOK() override {
        typed = ItemText(1001);
        if (!refuseOk) EndDialog(IDOK);
    }

private:
    void OnGo() { SetItemText(1001, "went"); }
    void OnEditChange() { ++edits; }
};

TEST(DialogTest, ModalDialogRunsUntilOkOrCancel) {
    TestDialog dialog;
    DialogAnswerer answerer;
    answerer.Expect("Framework test", 1005);
    answerer.Expect("Framework test", IDOK);
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
    EXPECT_TRUE(dialog.initialised);
    EXPECT_EQ(dialog.typed, "went");
    EXPECT_GE(dialog.edits, 2);
    EXPECT_TRUE(answerer.AllAnswered());

    TestDialog cancelled;
    DialogAnswerer second;
    second.Expect("Framework test", IDCANCEL, [](HWND hwnd) { SetItemText(hwnd, 1001, "typed"); });
    EXPECT_EQ(cancelled.DoModal(nullptr), IDCANCEL);
    EXPECT_EQ(cancelled.typed, "");
}

TEST(DialogTest, OkHandlerMayKeepTheDialogOpen) {
    TestDialog dialog;
    dialog.refuseOk = true;
    DialogAnswerer answerer;
    answerer.Expect("Framework test", IDOK);
    answerer.Expect("Framework test", IDCANCEL);
    EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
    EXPECT_EQ(answerer.seen().size(), 2u);
}

TEST(DialogTest, ModelessDialogHidesOnOkAndIsDestroyedWithItsObject) {
    HWND hwnd = nullptr;
    {
        TestDialog dialog;
        ASSERT_TRUE(dialog.CreateModeless(nullptr));
        hwnd = dialog.hwnd();
        dialog.Show(SW_SHOW);
        PressButton(hwnd, IDOK);
        ui::PumpPendingMessages();
        EXPECT_FALSE(dialog.IsVisible());
        EXPECT_TRUE(IsWindow(hwnd));
    }
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(ControlsTest, TreeListEditAndCheckBox) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    ui::TreeView tree;
    tree.Attach(dialog.hwnd(), 1003);
    HTREEITEM a = tree.Insert(nullptr, "A", 1);
    HTREEITEM a1 = tree.Insert(a, "A1", 2);
    HTREEITEM a2 = tree.Insert(a, "A2", 3);
    HTREEITEM b = tree.Insert(nullptr, "B", 4);
    EXPECT_EQ(tree.Count(), 4);
    std::string order;
    for (HTREEITEM item = tree.Root(); item != nullptr; item = tree.NextInPreOrder(item)) order += tree.ItemText(item) + ",";
    EXPECT_EQ(order, "A,A1,A2,B,");
    EXPECT_EQ(tree.ItemData(a2), 3);
    EXPECT_EQ(tree.Parent(a1), a);
    EXPECT_TRUE(tree.Select(b));
    EXPECT_EQ(tree.Selection(), b);
    tree.SetItemText(b, std::string(300, 'x'));
    EXPECT_EQ(tree.ItemText(b).size(), 300u);
    tree.DeleteAll();
    EXPECT_EQ(tree.Count(), 0);

    ui::ListView list;
    list.Attach(dialog.hwnd(), 1004);
    list.InsertColumn(0, "Name", 60);
    list.InsertColumn(1, "Value", 60);
    EXPECT_EQ(list.ColumnCount(), 2);
    EXPECT_EQ(list.InsertItem(0, "first", 10), 0);
    EXPECT_EQ(list.InsertItem(1, "second", 20), 1);
    list.SetItemText(1, 1, "two");
    EXPECT_EQ(list.ItemText(1, 1), "two");
    EXPECT_EQ(list.ItemData(0), 10);
    list.SetSelected(1, true);
    EXPECT_EQ(list.NextSelected(), 1);
    EXPECT_EQ(list.NextSelected(1), -1);

    ui::Edit edit;
    edit.Attach(dialog.hwnd(), 1001);
    edit.LimitText(5);
    SendMessageA(edit.hwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    SendMessageA(edit.hwnd(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("1234567"));
    EXPECT_EQ(edit.Text(), "12345");

    ui::Button check;
    check.Attach(dialog.hwnd(), 1002);
    check.SetChecked(true);
    EXPECT_TRUE(dialog.IsChecked(1002));
    check.Click();
    EXPECT_FALSE(check.IsChecked());
}

TEST(ControlsTest, StatusBarPanes) {
    ASSERT_TRUE(ui::Window::RegisterClass("KelvandorTestWindow"));
    TestWindow window;
    ASSERT_TRUE(window.Create("KelvandorTestWindow", "Status", WS_OVERLAPPEDWINDOW, 0, RECT{0, 0, 400, 200}, nullptr));
    ui::StatusBar status;
    ASSERT_TRUE(status.Create(window.hwnd(), 77));
    status.SetParts({100, 200, -1});
    status.SetPaneText(0, "Ready");
    status.SetPaneText(2, "Modified");
    EXPECT_EQ(status.PaneText(0), "Ready");
    EXPECT_EQ(status.PaneText(1), "");
    EXPECT_EQ(status.PaneText(2), "Modified");
    EXPECT_GT(status.Height(), 0);
}

class Page : public ui::PropertyPage {
public:
    Page(UINT id, bool accept) : PropertyPage(id), accept_(accept) {}
    int applied = 0;
    int activated = 0;

protected:
    bool OnApply() override {
        ++applied;
        return accept_;
    }
    void OnSetActive() override { ++activated; }

private:
    bool accept_;
};

TEST(PropertySheetTest, OkAppliesEveryPageAndCancelNone) {
    Page one(kPageOne, true);
    Page two(kPageTwo, true);
    ui::Sheet sheet("Sheet test");
    sheet.AddPage(one);
    sheet.AddPage(two);
    DialogAnswerer answerer;
    answerer.Expect("Sheet test", IDOK);
    EXPECT_TRUE(sheet.DoModal(nullptr));
    EXPECT_EQ(one.applied, 1);
    EXPECT_EQ(one.activated, 1);

    Page first(kPageOne, true);
    ui::Sheet cancelled("Sheet test");
    cancelled.AddPage(first);
    cancelled.UseCloseButtonOnly();
    DialogAnswerer closer;
    closer.Expect("Sheet test", IDCANCEL, [](HWND sheetWindow) {
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(sheetWindow, IDOK)));
        EXPECT_EQ(ItemText(sheetWindow, IDCANCEL), "&Close");
    });
    EXPECT_FALSE(cancelled.DoModal(nullptr));
    EXPECT_EQ(first.applied, 0);
}

TEST(PropertySheetTest, PageThatRefusesKeepsTheSheetOpen) {
    Page refusing(kPageOne, false);
    ui::Sheet sheet("Sheet test");
    sheet.AddPage(refusing);
    DialogAnswerer answerer;
    answerer.Expect("Sheet test", IDOK);
    answerer.Expect("Sheet test", IDCANCEL);
    EXPECT_FALSE(sheet.DoModal(nullptr));
    EXPECT_EQ(refusing.applied, 1);
    EXPECT_TRUE(answerer.AllAnswered());
}

}  // namespace
}  // namespace kv
