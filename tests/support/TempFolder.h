// A folder of its own in the system's temporary folder for each test, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

namespace kv::test {

class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        const ::testing::UnitTest& unit = *::testing::UnitTest::GetInstance();
        std::string name = "kelvandor-test-" + std::to_string(unit.random_seed()) + "-" +
                           unit.current_test_info()->test_suite_name() + "-" + unit.current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-');  // parameterised tests have "/" in their names
        dir_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    std::filesystem::path dir_;
};

}  // namespace kv::test
