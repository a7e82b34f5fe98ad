#include <gtest/gtest.h>

#include "tests/ui/support/ChildProcess.h"
#include "tests/ui/support/ProgramUnderTest.h"

namespace kv::uitest {
namespace {

std::string program;

}  // namespace

const std::string& ProgramUnderTest() { return program; }

}  // namespace kv::uitest

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 1) kv::uitest::program = kv::uitest::WindowsPath(argv[1]);
    return RUN_ALL_TESTS();
}
