// Tests with one application object in this process: its settings in a key
// of the tests' own, its messages answered from a script.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/PasswordApp.h"

namespace kv::uitest {

class AppFixture : public ::testing::Test {
protected:
    static constexpr char kTestRoot[] = "Software\\Corvale Software\\Kelvandor Tests";

    struct Shown {
        std::string text;
        UINT flags;
    };

    void SetUp() override;
    void TearDown() override;

    // A new application object on the tests' settings (the old one goes first).
    void NewApp();
    // The settings of a user who opened `path` last.
    void RememberFile(const std::string& path) {
        if (std::unique_ptr<SettingsStore> store = app_->Storage().OpenOrCreate()) store->WriteText("LastFile", path);
    }
    // The shortcut folders in the temporary folder, the helper's and browser's
    // keys below the tests' key, and no helper library.
    static IntegrationPlaces TestIntegrationPlaces();
    // Forgets a quit request that a shutdown left in this thread's queue.
    static void DropQuit();
    static bool QuitPosted();

    std::unique_ptr<CPasswordApp> app_;
    std::vector<int> answers_;  // the buttons pressed, in turn; OK when none is left
    std::vector<Shown> shown_;
};

}  // namespace kv::uitest
