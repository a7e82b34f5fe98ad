// The Options sheet's arithmetic: the days box keeps digits, the slider and
// its label, a category's list from its boxes, and the browser read from a
// shell open command.
#include <gtest/gtest.h>

#include "options/OptionRules.h"

namespace kv {
namespace {

TEST(OptionRulesTest, DaysKeepOnlyTheirDigits) {
    EXPECT_EQ(KeepDigits("3a0"), "30");
    EXPECT_EQ(DigitsValue(KeepDigits("3a0")), 30u);
    EXPECT_EQ(KeepDigits("x"), "");
    EXPECT_EQ(DigitsValue(""), 0u);
    EXPECT_EQ(DigitsValue("0"), 0u);
    // Digits beyond what a setting holds stop short instead of wrapping.
    EXPECT_EQ(DigitsValue("99999999999"), 999999999u);
}

TEST(OptionRulesTest, TransparencySliderAndLabel) {
    EXPECT_EQ(TransparencySliderPosition(255), 0);
    EXPECT_EQ(TransparencySliderPosition(128), kTransparencySliderMax);
    EXPECT_EQ(TransparencyAtSlider(0), 255u);
    EXPECT_EQ(TransparencyAtSlider(kTransparencySliderMax), 128u);
    EXPECT_EQ(TransparencyLabel(255), "0%");
    EXPECT_EQ(TransparencyLabel(128), "50%");
    EXPECT_EQ(TransparencyLabel(192), "25%");
    // A stored value outside the slider's range shows as the nearest end.
    EXPECT_EQ(TransparencySliderPosition(0), kTransparencySliderMax);
    EXPECT_EQ(TransparencyLabel(0), "50%");
    EXPECT_EQ(TransparencyAtSlider(500), 128u);
}

TEST(OptionRulesTest, ColumnListFromBoxes) {
    std::array<bool, kColumnBoxes> ticked{};
    EXPECT_FALSE(ColumnListOfBoxes(ticked).has_value());
    ticked[7] = ticked[0] = ticked[10] = true;
    const std::optional<ColumnList> list = ColumnListOfBoxes(ticked);
    ASSERT_TRUE(list.has_value());
    const ColumnList expected = {0, 7, 10, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    EXPECT_EQ(*list, expected);
    EXPECT_TRUE(ListHoldsColumn(*list, 7));
    EXPECT_FALSE(ListHoldsColumn(*list, 1));
}

TEST(OptionRulesTest, CaptionsShowAmpersands) {
    EXPECT_EQ(LiteralCaption("Tom & Jerry"), "Tom && Jerry");
    EXPECT_EQ(LiteralCaption("&&"), "&&&&");
}

TEST(OptionRulesTest, BrowserOfOpenCommand) {
    EXPECT_EQ(ProgramOfOpenCommand("\"C:\\Program Files\\Browser\\iexplore.exe\" -nohome"),
              "C:\\Program Files\\Browser\\iexplore.exe");
    EXPECT_EQ(ProgramOfOpenCommand("C:\\PROGRA~1\\iexplore.exe %1"), "C:\\PROGRA~1\\iexplore.exe");
    EXPECT_EQ(ProgramOfOpenCommand("\"C:\\unclosed"), "C:\\unclosed");
    EXPECT_EQ(ProgramOfOpenCommand("browser.exe"), "browser.exe");
    EXPECT_EQ(ProgramOfOpenCommand(""), "");
}

}  // namespace
}  // namespace kv
