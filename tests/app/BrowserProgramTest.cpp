#include <gtest/gtest.h>

#include "app/BrowserProgram.h"

namespace kv {
namespace {

TEST(BrowserProgramTest, TheSettingNamesItsProgramFileWithOrWithoutQuotesAndArguments) {
    EXPECT_EQ(BrowserProgramName("C:\\Program Files\\MyIE2\\myie.exe"), "myie.exe");
    EXPECT_EQ(BrowserProgramName("\"C:\\Program Files\\MyIE2\\MyIE.EXE\" -new"), "MyIE.EXE");
    EXPECT_EQ(BrowserProgramName("C:\\Program Files\\Maxthon\\Maxthon.exe %1"), "Maxthon.exe");
    EXPECT_EQ(BrowserProgramName("browser.exe"), "browser.exe");
    EXPECT_EQ(BrowserProgramName(""), "");
    EXPECT_EQ(BrowserProgramName("\"C:\\Tools\\"), "");
}

}  // namespace
}  // namespace kv
