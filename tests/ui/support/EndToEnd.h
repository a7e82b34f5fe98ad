// Tests of the real Kelvandor.exe, started as a user would, with settings
// of their own in the registry.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/ui/support/ChildProcess.h"
#include "tests/ui/support/ProgramUnderTest.h"
#include "tests/ui/support/UiHarness.h"

namespace kv::uitest {

class EndToEndTest : public ::testing::Test {
protected:
    static constexpr char kSettingsKey[] = "Software\\Corvale Software\\Kelvandor";

    void SetUp() override;
    void TearDown() override;

    // Settings of a user who opened `lastFile` before (none when empty).
    void RememberFile(const std::string& lastFile);
    void SetNumber(const char* name, DWORD value);

    // Starts the first instance and waits until its tray window exists.
    void StartFirst(const std::string& arguments);
    HWND TrayWindowOfFirst() const;

    ChildProcess first;
    ChildProcess second;
};

}  // namespace kv::uitest
