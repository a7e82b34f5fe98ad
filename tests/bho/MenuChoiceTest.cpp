// Where the helper sends a choice of its context menu.
#include <gtest/gtest.h>

#include "bho/MenuChoice.h"
#include "protocol/MessageNames.h"

namespace kv::bho {
namespace {

MenuChoiceKind KindOf(unsigned choice, bool running = true) {
    return RouteMenuChoice(choice, running, {0x00010002u, 0x00000003u}).kind;
}

TEST(MenuChoiceTest, TheProgramsCommandsAndRecordsGoToTheProgram) {
    for (unsigned command : {protocol::kCommandOpenProgram, protocol::kCommandLock, protocol::kCommandAddWebForm,
                             protocol::kCommandAutoFillPopup}) {
        const MenuChoiceAction action = RouteMenuChoice(command, true, {});
        EXPECT_EQ(action.kind, MenuChoiceKind::ProgramCommand) << command;
        EXPECT_EQ(action.command, command);
    }
    const MenuChoiceAction second = RouteMenuChoice(kFirstRecordItem + 1, true, {0x00010002u, 0x00000003u});
    EXPECT_EQ(second.kind, MenuChoiceKind::Fill);
    EXPECT_EQ(second.itemData, 0x00000003u);
    EXPECT_EQ(KindOf(kFirstRecordItem), MenuChoiceKind::Fill);
}

TEST(MenuChoiceTest, EverythingElseIsTheBrowsersAndADismissedMenuIsNothing) {
    EXPECT_EQ(KindOf(999), MenuChoiceKind::Browser);
    EXPECT_EQ(KindOf(kFirstRecordItem + 2), MenuChoiceKind::Browser) << "past the last record";
    EXPECT_EQ(KindOf(0xFFFFFFFFu), MenuChoiceKind::Browser);
    EXPECT_EQ(RouteMenuChoice(2292, true, {}).command, 2292u);
    // Without the program the helper's items were not there: any choice is the browser's.
    EXPECT_EQ(KindOf(protocol::kCommandLock, false), MenuChoiceKind::Browser);
    EXPECT_EQ(KindOf(kFirstRecordItem, false), MenuChoiceKind::Browser);
    EXPECT_EQ(KindOf(0), MenuChoiceKind::Nothing);
}

}  // namespace
}  // namespace kv::bho
