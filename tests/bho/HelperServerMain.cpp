// bho_tests HELPER_DLL: the helper's tests. With "--load DLL" the program only
// tries to load the library and exits with 0 when it loaded, 1 when not.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace kv {
std::string helperPath;
std::string testProgramPath;
}  // namespace kv

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--load") == 0) return LoadLibraryA(argv[2]) != nullptr ? 0 : 1;
    testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bho_tests SidloweNT.dll\n");
        return 2;
    }
    kv::helperPath = argv[1];
    char self[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    kv::testProgramPath = self;
    return RUN_ALL_TESTS();
}
