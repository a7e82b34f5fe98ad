// SidloweNT.dll as the system and the browser use it: registered and
// unregistered through its exports, its class made through its factory, its
// type library loaded, and its refusal of the Windows shell.
#include <gtest/gtest.h>
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bho/Sidlowe.h"
#include "platform/ComPtr.h"
#include "tests/support/ServerExports.h"

namespace kv {

extern std::string helperPath;
extern std::string testProgramPath;

namespace {

constexpr char kClassKey[] = "Software\\Classes\\CLSID\\{EC732582-7C24-4301-87F4-724E0DB3FDD4}";
constexpr char kHelperKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\"
    "{EC732582-7C24-4301-87F4-724E0DB3FDD4}";
constexpr char kApprovedKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";

bool KeyExists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// The text of a value, or "(none)".
std::string Text(HKEY root, const std::string& path, const char* name) {
    char text[1024] = {};
    DWORD size = sizeof text - 1;
    if (RegGetValueA(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
        return "(none)";
    }
    return text;
}

class HelperServerTest : public testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryA(helperPath.c_str());
        ASSERT_NE(module_, nullptr) << helperPath;
        CoInitialize(nullptr);
    }
    void TearDown() override {
        CoUninitialize();
        FreeLibrary(module_);
    }

    HRESULT Call(const char* name) {
        const auto entry = reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
        return entry != nullptr ? entry() : E_NOTIMPL;
    }

    HRESULT ClassObject(REFCLSID classId, REFIID iid, void** object) {
        const auto entry = reinterpret_cast<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(
            reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
        return entry(classId, iid, object);
    }

    std::string ModulePath() const {
        char path[MAX_PATH + 1] = {};
        GetModuleFileNameA(module_, path, MAX_PATH);
        return path;
    }

    HMODULE module_ = nullptr;
};

TEST(HelperFilesTest, BothBuildsExportTheEntryPointsOfAServerByTheirPlainNames) {
    const std::string folder = std::filesystem::path(helperPath).parent_path().string();
    for (const char* name : {"SidloweNT.dll", "Sidlowe.dll"}) {
        pe::PeImage image;
        std::string error;
        ASSERT_TRUE(pe::ReadPeFile((std::filesystem::path(folder) / name).string(), image, error)) << error;
        EXPECT_EQ(pe::ServerExportProblems(image), std::vector<std::string>{}) << name;
    }
}

TEST_F(HelperServerTest, RegistrationWritesTheClassTheTypeLibraryAndTheBrowsersKeysAndUndoesThem) {
    ASSERT_EQ(Call("DllRegisterServer"), S_OK);
    EXPECT_EQ(Text(HKEY_CURRENT_USER, kClassKey, nullptr), "SidloweObj Class");
    EXPECT_EQ(Text(HKEY_CURRENT_USER, std::string(kClassKey) + "\\InprocServer32", nullptr), ModulePath());
    EXPECT_EQ(Text(HKEY_CURRENT_USER, std::string(kClassKey) + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, std::string(kClassKey) + "\\Programmable"));
    EXPECT_EQ(Text(HKEY_CURRENT_USER, std::string(kClassKey) + "\\ProgID", nullptr), "SidloweObj.SidloweObj.1");
    EXPECT_EQ(Text(HKEY_CURRENT_USER, "Software\\Classes\\SidloweObj.SidloweObj\\CurVer", nullptr),
              "SidloweObj.SidloweObj.1");
    EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kHelperKey, nullptr), "Kelvandor Helper Object");
    EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kApprovedKey, "{EC732582-7C24-4301-87F4-724E0DB3FDD4}"), "KelvandorHlprObj");

    ComPtr<ITypeLib> library;
    ASSERT_EQ(LoadRegTypeLib(LIBID_SIDLOWELib, 1, 0, LOCALE_NEUTRAL, library.Receive()), S_OK);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(library->GetTypeInfoOfGuid(IID_ISidloweObj, info.Receive()), S_OK);
    Bstr name;
    ASSERT_EQ(info->GetDocumentation(MEMBERID_NIL, name.Receive(), nullptr, nullptr, nullptr), S_OK);
    EXPECT_STREQ(name.get(), L"ISidloweObj");
    info.Reset();
    library.Reset();

    ASSERT_EQ(Call("DllUnregisterServer"), S_OK);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kClassKey));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Classes\\SidloweObj.SidloweObj"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kHelperKey));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kApprovedKey));
    EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kApprovedKey, "{EC732582-7C24-4301-87F4-724E0DB3FDD4}"), "(none)");
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Classes\\CLSID"));
    EXPECT_NE(LoadRegTypeLib(LIBID_SIDLOWELib, 1, 0, LOCALE_NEUTRAL, library.Receive()), S_OK);
    // Undoing twice finds nothing to take out, and that is no failure.
    EXPECT_EQ(Call("DllUnregisterServer"), S_OK);
}

TEST_F(HelperServerTest, TheFactoryMakesTheHelperObjectAndTheModuleStaysWhileItLives) {
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(ClassObject(CLSID_SidloweObj, IID_IClassFactory, factory.ReceiveVoid()), S_OK);
    ComPtr<IUnknown> unused;
    EXPECT_EQ(ClassObject(IID_ISidloweObj, IID_IClassFactory, unused.ReceiveVoid()), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(factory->CreateInstance(factory.get(), IID_IUnknown, unused.ReceiveVoid()), CLASS_E_NOAGGREGATION);

    ComPtr<IObjectWithSite> helper;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IObjectWithSite, helper.ReceiveVoid()), S_OK);
    EXPECT_EQ(Call("DllCanUnloadNow"), S_FALSE);

    ComPtr<IDispatch> dispatch = helper.As<IDispatch>();
    ASSERT_TRUE(dispatch);
    UINT count = 0;
    EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(dispatch->GetTypeInfo(0, LOCALE_NEUTRAL, info.Receive()), S_OK);
    Bstr name;
    info->GetDocumentation(MEMBERID_NIL, name.Receive(), nullptr, nullptr, nullptr);
    EXPECT_STREQ(name.get(), L"ISidloweObj");

    // The site it is given is the one it gives back.
    ComPtr<IUnknown> site;
    EXPECT_EQ(helper->GetSite(IID_IUnknown, site.ReceiveVoid()), E_FAIL);
    EXPECT_EQ(helper->SetSite(factory.get()), S_OK);
    ASSERT_EQ(helper->GetSite(IID_IClassFactory, site.ReceiveVoid()), S_OK);
    EXPECT_EQ(site.get(), static_cast<IUnknown*>(factory.get()));
    site.Reset();
    helper->SetSite(nullptr);

    info.Reset();
    dispatch.Reset();
    helper.Reset();
    EXPECT_EQ(Call("DllCanUnloadNow"), S_OK);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(Call("DllCanUnloadNow"), S_FALSE);
    factory->LockServer(FALSE);
    EXPECT_EQ(Call("DllCanUnloadNow"), S_OK);
}

TEST(HelperHostTest, TheWindowsShellCannotLoadTheHelper) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kelvandor-shell-host";
    std::filesystem::create_directories(folder);
    const std::filesystem::path shell = folder / "explorer.exe";
    std::filesystem::copy_file(testProgramPath, shell, std::filesystem::copy_options::overwrite_existing);
    const auto exitCode = [&](const std::filesystem::path& program) {
        std::string command = "\"" + program.string() + "\" --load \"" + helperPath + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process)) {
            return DWORD{1000};
        }
        WaitForSingleObject(process.hProcess, 30000);
        DWORD code = 1001;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return code;
    };
    EXPECT_EQ(exitCode(shell), 1u) << "the shell loaded the helper";
    EXPECT_EQ(exitCode(testProgramPath), 0u) << "another program could not load the helper";
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace kv
