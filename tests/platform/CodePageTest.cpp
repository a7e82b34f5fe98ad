#include <gtest/gtest.h>

#include "platform/Windows1252.h"

namespace kv {
namespace {

TEST(Windows1252Test, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
    const SecretString utf8 = windows1252::ToUtf8(all);
    const std::optional<SecretString> back = windows1252::FromUtf8(utf8);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->view(), all);
}

TEST(Windows1252Test, KnownCharacters) {
    EXPECT_EQ(windows1252::ToUtf8("\x80").view(), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(windows1252::ToUtf8("\xE9").view(), "\xC3\xA9");
    EXPECT_EQ(windows1252::FromUtf8("\xE2\x80\x9C" "q" "\xE2\x80\x9D")->view(), "\x93q\x94");
}

TEST(Windows1252Test, RejectsWhatTheCodePageCannotHold) {
    EXPECT_FALSE(windows1252::FromUtf8("\xE4\xB8\xAD").has_value());  // a CJK character
    EXPECT_FALSE(windows1252::FromUtf8("\xF0\x9F\x94\x91").has_value());
    EXPECT_FALSE(windows1252::FromUtf8("\xC3").has_value());          // cut short
    EXPECT_FALSE(windows1252::FromUtf8("\xC0\xAF").has_value());      // overlong
    EXPECT_FALSE(windows1252::FromUtf8("\xED\xA0\x80").has_value());  // surrogate
}

TEST(Windows1252Test, UpperCaseOfAccentedLetters) {
    EXPECT_EQ(windows1252::ToUpper('a'), 'A');
    EXPECT_EQ(windows1252::ToUpper(0xE9), 0xC9);
    EXPECT_EQ(windows1252::ToUpper(0xF7), 0xF7);  // division sign
    EXPECT_EQ(windows1252::ToUpper(0xFF), 0x9F);
    EXPECT_EQ(windows1252::ToUpper(0xDF), 0xDF);
}

}  // namespace
}  // namespace kv
