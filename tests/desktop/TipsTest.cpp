#include <gtest/gtest.h>

#include "db/RichText.h"
#include "desktop/Tips.h"

namespace kv {
namespace {

TEST(TipsTest, OrderAndStart) {
    EXPECT_EQ(TipStringId(0), 9u);
    EXPECT_EQ(TipStringId(6), 15u);
    EXPECT_EQ(TipStringId(7), 57673u);
    EXPECT_EQ(TipStringId(8), 57674u);
    EXPECT_EQ(FirstTipIndex(-1), 0);
    EXPECT_EQ(FirstTipIndex(9), 0);
    EXPECT_EQ(FirstTipIndex(8), 8);
}

TEST(TipsTest, FrameKeepsTheFragmentsText) {
    const std::string document = TipDocument("Press {\\b Ctrl+Z} to undo.");
    EXPECT_EQ(PlainTextOf(document).view(), "Press Ctrl+Z to undo.");
    EXPECT_NE(document.find("\\tx360\\tx720"), std::string::npos);
    EXPECT_NE(document.find("\\tx6480\\plain"), std::string::npos);
    EXPECT_EQ(document.find("\\tx6840"), std::string::npos);
    EXPECT_NE(document.find("\\deflang1033"), std::string::npos);
}

}  // namespace
}  // namespace kv
