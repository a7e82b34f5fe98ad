#include <gtest/gtest.h>

#include "app/StartRequest.h"
#include "desktop/WindowRect.h"

namespace kv {
namespace {

TEST(StartRequestTest, PasswordFileIsRecognisedByItsLastExtension) {
    EXPECT_TRUE(NamesPasswordFile("C:\\Data\\Secrets.kv"));
    EXPECT_TRUE(NamesPasswordFile("\"C:\\My Data\\Secrets.KV\""));
    EXPECT_TRUE(NamesPasswordFile("x.Kv"));
    EXPECT_FALSE(NamesPasswordFile("C:\\a.kv\\notes.txt"));
    EXPECT_FALSE(NamesPasswordFile("Systray"));
    EXPECT_FALSE(NamesPasswordFile(""));
}

TEST(StartRequestTest, SecondStartDecisions) {
    EXPECT_EQ(DecideSecondStart(true, "a.kv"), SecondStart::BrowserMenu);
    EXPECT_EQ(DecideSecondStart(false, ""), SecondStart::ShowEditor);
    EXPECT_EQ(DecideSecondStart(false, "C:\\notes.txt"), SecondStart::ShowEditor);
    EXPECT_EQ(DecideSecondStart(false, "C:\\b.KV"), SecondStart::TakeOver);
}

TEST(StartRequestTest, CommandLines) {
    EXPECT_TRUE(ParseCommandLine("", true).trayOnly);
    EXPECT_FALSE(ParseCommandLine("", false).trayOnly);
    EXPECT_TRUE(ParseCommandLine("systray", false).trayOnly);
    EXPECT_TRUE(ParseCommandLine("SYSTRAY", true).trayOnly);
    const StartRequest quoted = ParseCommandLine("\"C:\\My Files\\Secrets.kv\"", true);
    EXPECT_FALSE(quoted.trayOnly);
    EXPECT_TRUE(quoted.namesFile);
    EXPECT_EQ(quoted.file, "C:\\My Files\\Secrets.kv");
}

TEST(StartRequestTest, WhatTheFirstInstanceShows) {
    EXPECT_EQ(DecideStartView("", true, true), StartView::Editor);
    EXPECT_EQ(DecideStartView("a.kv", false, false), StartView::Editor);
    EXPECT_EQ(DecideStartView("a.kv", true, false), StartView::IconOnly);
    EXPECT_EQ(DecideStartView("a.kv", false, true), StartView::IconAndBrowserMenu);
    EXPECT_TRUE(IsBrowserWindowClass("IEFrame"));
    EXPECT_TRUE(IsBrowserWindowClass("tfrmmain"));
    EXPECT_FALSE(IsBrowserWindowClass("Notepad"));
}

TEST(WindowRectTest, StoredFormIsTopLeftBottomRight) {
    EXPECT_EQ(FormatStoredRect(ScreenRect{10, 20, 300, 400}), "20,10,400,300");
    EXPECT_EQ(FormatStoredRect(ScreenRect{-5, -1, 300, 400}), "0,0,400,300");
    const std::optional<ScreenRect> rect = ParseStoredRect("20,10,400,300");
    ASSERT_TRUE(rect.has_value());
    EXPECT_EQ(rect->left, 10);
    EXPECT_EQ(rect->top, 20);
    EXPECT_EQ(rect->right, 300);
    EXPECT_EQ(rect->bottom, 400);
}

TEST(WindowRectTest, UnusableRectanglesCountAsAbsent) {
    EXPECT_FALSE(ParseStoredRect("0,50,100,50").has_value());   // left equals right
    EXPECT_FALSE(ParseStoredRect("").has_value());
    EXPECT_FALSE(ParseStoredRect("10,20").has_value());         // right missing, so 0
    EXPECT_FALSE(ParseStoredRect("0,300,100,200").has_value()); // inside out
    EXPECT_FALSE(ParseStoredRect("500,0,100,200").has_value());
}

TEST(WindowRectTest, FittingIntoTheWorkArea) {
    const ScreenRect work{0, 0, 1024, 738};
    const std::optional<ScreenRect> fitted = FitToWorkArea(ScreenRect{-50, -20, 900, 900}, work);
    ASSERT_TRUE(fitted.has_value());
    EXPECT_EQ(fitted->left, 0);
    EXPECT_EQ(fitted->top, 0);
    EXPECT_EQ(fitted->right, 900);
    EXPECT_EQ(fitted->bottom, 738);
    EXPECT_FALSE(FitToWorkArea(ScreenRect{2000, 10, 2400, 300}, work).has_value());
}

}  // namespace
}  // namespace kv
