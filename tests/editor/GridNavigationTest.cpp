#include <gtest/gtest.h>

#include <string>

#include "editor/GridNavigation.h"

namespace kv {
namespace {

// A target as short text, so that a failure shows where a move led.
std::string Where(const MoveTarget& target) {
    const std::string cell = std::to_string(target.cell.row) + "," + std::to_string(target.cell.column);
    switch (target.kind) {
        case MoveTarget::Kind::Cell: return "cell " + cell;
        case MoveTarget::Kind::WebAddress: return "web address from " + cell;
        case MoveTarget::Kind::Tree: return "tree";
        case MoveTarget::Kind::AddRecord: return "add record " + cell;
        case MoveTarget::Kind::None: return "none";
    }
    return "?";
}

// A grid of 5 rows and 3 columns with a non-empty last record, 20 rows to a page.
std::string Move(Cell from, GridMove move, bool lastRecordEmpty = false) {
    return Where(Navigate(from, move, 5, 3, lastRecordEmpty, 20));
}

TEST(GridNavigationTest, TabGoesAlongTheRowAndFromTheLastColumnToTheWebAddress) {
    EXPECT_EQ(Move({1, 0}, GridMove::Next), "cell 1,1");
    EXPECT_EQ(Move({1, 2}, GridMove::Next), "web address from 1,2");
    EXPECT_EQ(Move({4, 2}, GridMove::Next), "web address from 4,2");
}

TEST(GridNavigationTest, RightFromTheLastColumnGoesToTheNextRow) {
    EXPECT_EQ(Move({1, 1}, GridMove::Right), "cell 1,2");
    EXPECT_EQ(Move({1, 2}, GridMove::Right), "cell 2,0");
    EXPECT_EQ(Move({4, 2}, GridMove::Right), "none");
}

TEST(GridNavigationTest, PreviousWrapsToThePreviousRowAndLeavesForTheTreeAtTheFirstCell) {
    EXPECT_EQ(Move({2, 1}, GridMove::Previous), "cell 2,0");
    EXPECT_EQ(Move({2, 0}, GridMove::Previous), "cell 1,2");
    EXPECT_EQ(Move({0, 0}, GridMove::Previous), "tree");
}

TEST(GridNavigationTest, LeftWrapsLikePreviousButStaysAtTheFirstCell) {
    EXPECT_EQ(Move({2, 1}, GridMove::Left), "cell 2,0");
    EXPECT_EQ(Move({2, 0}, GridMove::Left), "cell 1,2");
    EXPECT_EQ(Move({0, 0}, GridMove::Left), "none");
}

TEST(GridNavigationTest, UpAndDownKeepTheColumn) {
    EXPECT_EQ(Move({2, 1}, GridMove::Up), "cell 1,1");
    EXPECT_EQ(Move({2, 1}, GridMove::Down), "cell 3,1");
    EXPECT_EQ(Move({0, 1}, GridMove::Up), "none");
}

TEST(GridNavigationTest, DownOnTheLastRowAddsARecordUnlessTheLastRecordIsEmpty) {
    EXPECT_EQ(Move({4, 1}, GridMove::Down, false), "add record 5,0");
    EXPECT_EQ(Move({4, 1}, GridMove::Down, true), "none");
    EXPECT_EQ(Move({3, 1}, GridMove::Down, true), "cell 4,1");
}

TEST(GridNavigationTest, TheWheelNeverAddsARecord) {
    EXPECT_EQ(Move({3, 1}, GridMove::WheelDown), "cell 4,1");
    EXPECT_EQ(Move({4, 1}, GridMove::WheelDown, false), "none");
    EXPECT_EQ(Move({4, 1}, GridMove::WheelDown, true), "none");
}

TEST(GridNavigationTest, HomeEndAndTheirControlForms) {
    EXPECT_EQ(Move({3, 1}, GridMove::Home), "cell 3,0");
    EXPECT_EQ(Move({3, 1}, GridMove::End), "cell 3,2");
    EXPECT_EQ(Move({3, 1}, GridMove::First), "cell 0,0");
    EXPECT_EQ(Move({1, 2}, GridMove::Last), "cell 4,0");
}

TEST(GridNavigationTest, PageKeysMoveHalfAPageWithinTheRows) {
    const int rows = 100;
    EXPECT_EQ(Where(Navigate({50, 2}, GridMove::PageDown, rows, 3, false, 20)), "cell 60,2");
    EXPECT_EQ(Where(Navigate({50, 2}, GridMove::PageUp, rows, 3, false, 21)), "cell 40,2");
    EXPECT_EQ(Where(Navigate({95, 1}, GridMove::PageDown, rows, 3, false, 20)), "cell 99,1");
    EXPECT_EQ(Where(Navigate({4, 1}, GridMove::PageUp, rows, 3, false, 20)), "cell 0,1");
}

TEST(GridNavigationTest, AnEmptyGridOrNoCurrentCellGoesNowhere) {
    EXPECT_EQ(Where(Navigate({0, 0}, GridMove::First, 0, 3, false, 20)), "none");
    EXPECT_EQ(Where(Navigate({0, 0}, GridMove::Down, 0, 3, false, 20)), "none");
    EXPECT_EQ(Move({-1, -1}, GridMove::Next), "none");
    EXPECT_EQ(Move({-1, -1}, GridMove::Down), "none");
    EXPECT_EQ(Move({-1, -1}, GridMove::First), "cell 0,0");
}

TEST(GridNavigationTest, TabFromTheTreeGoesToTheRowAfterTheRememberedOne) {
    EXPECT_EQ(Where(AfterTree(1, 5)), "cell 2,0");
    EXPECT_EQ(Where(AfterTree(4, 5)), "cell 0,0");
    EXPECT_EQ(Where(AfterTree(-1, 5)), "cell 0,0");
    EXPECT_EQ(Where(AfterTree(-1, 0)), "none");
}

}  // namespace
}  // namespace kv
