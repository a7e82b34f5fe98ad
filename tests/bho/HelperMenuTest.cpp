// The helper's context menu on a page of a browser of the tests' own: the
// program's commands, and the records that the program lists for the site.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "MenuReader.h"
#include "tests/bho/FakeProgram.h"
#include "tests/bho/HelperFixture.h"

namespace kv {
namespace {

using namespace test;
using uitest::ItemsOf;
using uitest::MenuItems;
using Texts = std::vector<std::string>;

// The page's command target, which also names the page pane's window.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class PageTarget : public fake::Object<StubIOleCommandTarget, StubIOleWindow> {
public:
    // The browser's encodings and menu extensions: none.
    HRESULT STDMETHODCALLTYPE Exec(const GUID*, DWORD, DWORD, VARIANT*, VARIANT*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        *window = pane;
        return S_OK;
    }
    HWND pane = nullptr;
};
#pragma GCC diagnostic pop

struct MenuSeen {
    bool shown = false;
    HRESULT answer = E_FAIL;
    MenuItems top;
    MenuItems helper;    // the "Kelvandor" popup
    MenuItems autoFill;  // its "Auto&Fill form"
};

class HelperMenuTest : public HelperTest {
protected:
    void SetUp() override {
        HelperTest::SetUp();
        pane_ = CreateWindowExA(0, "STATIC", "Page", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
        target_->pane = pane_;
    }
    void TearDown() override {
        DestroyWindow(pane_);
        HelperTest::TearDown();
    }

    MenuSeen ShowMenu(DWORD waitMs = 5000) {
        helper_ = MakeHelper();
        const ComPtr<IDocHostUIHandler> handler = helper_.As<IDocHostUIHandler>();
        MenuSeen seen;
        POINT at{120, 80};
        seen.shown = uitest::ReadShownMenu(
            [&] {
                seen.answer = handler->ShowContextMenu(0, &at, static_cast<StubIOleCommandTarget*>(target_.get()),
                                                       nullptr);
            },
            [&seen](HMENU menu) {
                seen.top = ItemsOf(menu);
                const HMENU helper = GetSubMenu(menu, 0);
                seen.helper = ItemsOf(helper);
                seen.autoFill = ItemsOf(GetSubMenu(helper, 4));
            },
            waitMs);
        return seen;
    }

    // Shows the menu and chooses with these keys, as a user would.
    HRESULT Choose(const std::vector<WPARAM>& keys) {
        helper_ = MakeHelper();
        const ComPtr<IDocHostUIHandler> handler = helper_.As<IDocHostUIHandler>();
        HRESULT answer = E_FAIL;
        POINT at{120, 80};
        uitest::ReadShownMenu(
            [&] {
                answer = handler->ShowContextMenu(0, &at, static_cast<StubIOleCommandTarget*>(target_.get()),
                                                  nullptr);
            },
            [&keys](HMENU) {
                HWND menu = nullptr;
                EnumWindows(uitest::FindShownMenu, reinterpret_cast<LPARAM>(&menu));
                for (WPARAM key : keys) {
                    PostMessageA(menu, WM_KEYDOWN, key, 0);
                    Sleep(50);
                }
            });
        FakeProgram::Pumped();
        return answer;
    }

    HWND pane_ = nullptr;
    ComPtr<PageTarget> target_ = Make<PageTarget>();
};

// Into the helper's popup, then to its first item.
const std::vector<WPARAM> kIntoPopup{VK_DOWN, VK_RIGHT};

TEST_F(HelperMenuTest, TheMenuCarriesTheProgramsCommandsAndTheRecordsItListsForTheSite) {
    FakeProgram program;
    FakeProgram::siteRecords = {{0, 1, "Web mail"}, {2, 0, "Mail (work)"}};
    const MenuSeen seen = ShowMenu();
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.answer, S_OK);
    // The helper's popup comes first, then the browser's own menu.
    ASSERT_GE(seen.top.texts.size(), 2u);
    EXPECT_EQ(seen.top.texts[0], "Kelvandor");
    EXPECT_EQ(seen.top.texts[1], "");
    EXPECT_EQ(seen.helper.texts,
              (Texts{"&Open Kelvandor", "&Lock database", "", "&Add Web form", "Auto&Fill form"}));
    for (std::size_t item : {0u, 1u, 3u, 4u}) EXPECT_FALSE(seen.helper.grayed.at(item)) << seen.helper.texts[item];
    EXPECT_EQ(seen.autoFill.texts, (Texts{"Open AutoFill &pop-up", "", "Web mail", "Mail (work)"}));

    ASSERT_EQ(FakeProgram::reports.size(), 1u);
    EXPECT_EQ(FakeProgram::reports[0].kind, protocol::CopyDataKind::ContextMenu);
    EXPECT_EQ(FakeProgram::reports[0].address, "https://mail.example.com/login");
    EXPECT_EQ(FakeProgram::reports[0].browserWindow,
              static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(pane_)));
    EXPECT_TRUE(FakeProgram::posted.empty()) << "a dismissed menu sends nothing";
}

TEST_F(HelperMenuTest, AChosenCommandRunsInTheProgramAndAChosenRecordIsFilledThere) {
    FakeProgram program;
    FakeProgram::siteRecords = {{0, 1, "Web mail"}, {2, 0, "Mail (work)"}};
    static const UINT fill = RegisterWindowMessageA(protocol::kBhoFillMessage);
    static const UINT command = RegisterWindowMessageA(protocol::kBhoCommandMessage);
    const auto browser = reinterpret_cast<WPARAM>(browser_->frame);

    std::vector<WPARAM> keys = kIntoPopup;
    keys.push_back(VK_RETURN);
    EXPECT_EQ(Choose(keys), S_OK);
    ASSERT_EQ(FakeProgram::posted.size(), 1u);
    EXPECT_EQ(FakeProgram::posted[0].message, command);
    EXPECT_EQ(FakeProgram::posted[0].wParam, protocol::kCommandOpenProgram);
    EXPECT_EQ(FakeProgram::posted[0].lParam, static_cast<LPARAM>(browser));

    // Down to "Auto&Fill form", into it, past its pop-up item and the separator to the second record.
    keys = kIntoPopup;
    keys.insert(keys.end(), {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN});
    Choose(keys);
    ASSERT_EQ(FakeProgram::posted.size(), 2u);
    EXPECT_EQ(FakeProgram::posted[1].message, fill);
    EXPECT_EQ(FakeProgram::posted[1].wParam, browser);
    EXPECT_EQ(FakeProgram::posted[1].lParam, static_cast<LPARAM>(protocol::PackFillTarget(2, 0)));
}

TEST_F(HelperMenuTest, WithoutRecordsAutoFillIsGreyAndALockedProgramGreysAddAndChecksLock) {
    FakeProgram program;
    FakeProgram::state = 8 << 16;
    const MenuSeen seen = ShowMenu();
    ASSERT_TRUE(seen.shown);
    ASSERT_EQ(seen.helper.texts.size(), 5u);
    EXPECT_TRUE(seen.helper.grayed[4]) << "Auto&Fill form";
    EXPECT_TRUE(seen.helper.grayed[3]) << "&Add Web form";
    EXPECT_TRUE(seen.helper.checked[1]) << "&Lock database";
    EXPECT_FALSE(seen.helper.grayed[1]);
}

TEST_F(HelperMenuTest, WithoutTheProgramNothingIsAskedAndACommandTargetWithoutAWindowGetsTheBrowsersMenu) {
    const MenuSeen seen = ShowMenu(1000);
    // Where the browser's own menu exists, it shows alone.
    if (seen.shown && !seen.top.texts.empty()) {
        EXPECT_NE(seen.top.texts[0], "Kelvandor");
    }
    EXPECT_TRUE(FakeProgram::reports.empty());

    target_->pane = nullptr;
    helper_ = MakeHelper();
    POINT at{0, 0};
    EXPECT_EQ(helper_.As<IDocHostUIHandler>()->ShowContextMenu(
                  0, &at, static_cast<StubIOleCommandTarget*>(target_.get()), nullptr),
              S_FALSE);
}

}  // namespace
}  // namespace kv
