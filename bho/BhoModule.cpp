// The entry points of SidloweNT.dll: loading into a host, the class factory,
// and registration of the class, its type library and the browser's keys.
#include <windows.h>
#include <olectl.h>

#include <atomic>
#include <string>

#include "bho/ClassFactory.h"
#include "bho/HostCheck.h"
#include "bho/Module.h"
#include "bho/Registrar.h"
#include "bho/Sidlowe.h"

namespace kv::bho {
namespace {

HMODULE module = nullptr;
std::atomic<long> references{0};

constexpr int kRegistrationScript = 101;

std::string HostPath() {
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// The registration script from the resources, with this module's path in it.
registration::ParsedScript Script() {
    registration::ParsedScript script;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(kRegistrationScript), "REGISTRY");
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        script.error = "the registration script is missing";
        return script;
    }
    const std::string_view text(static_cast<const char*>(bytes), SizeofResource(module, found));
    return registration::ParseScript(text, ModulePath());
}

// This user's registration of type libraries, where the system has it.
using TypeLibForUser = HRESULT(WINAPI*)(ITypeLib*, OLECHAR*, OLECHAR*);
using UnTypeLibForUser = HRESULT(WINAPI*)(REFGUID, WORD, WORD, LCID, SYSKIND);

template <class Function>
Function OleAutomation(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("oleaut32"), name)));
}

HRESULT RegisterTypeLibrary() {
    ITypeLib* library = nullptr;
    std::wstring path = ModuleFileName();
    HRESULT result = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library);
    if (FAILED(result)) return result;
    const auto forUser = OleAutomation<TypeLibForUser>("RegisterTypeLibForUser");
    result = forUser != nullptr ? forUser(library, path.data(), nullptr) : RegisterTypeLib(library, path.data(), nullptr);
    library->Release();
    return result;
}

HRESULT UnregisterTypeLibrary() {
    // A library that is not registered is no failure of undoing it.
    BSTR registered = nullptr;
    if (FAILED(QueryPathOfRegTypeLib(LIBID_SIDLOWELib, 1, 0, LOCALE_NEUTRAL, &registered))) return S_OK;
    SysFreeString(registered);
    const SYSKIND kind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
    const auto forUser = OleAutomation<UnTypeLibForUser>("UnRegisterTypeLibForUser");
    return forUser != nullptr ? forUser(LIBID_SIDLOWELib, 1, 0, LOCALE_NEUTRAL, kind)
                              : UnRegisterTypeLib(LIBID_SIDLOWELib, 1, 0, LOCALE_NEUTRAL, kind);
}

}  // namespace

HMODULE ModuleHandle() { return module; }

std::string ModulePath() {
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(module, path, MAX_PATH);
    return path;
}

std::wstring ModuleFileName() {
    wchar_t path[MAX_PATH + 1] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    return path;
}

void AddModuleReference() { ++references; }
void ReleaseModuleReference() { --references; }
bool ModuleInUse() { return references.load() > 0; }

}  // namespace kv::bho

using namespace kv::bho;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        if (!AcceptsHost(HostPath())) return FALSE;
        kv::bho::module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllCanUnloadNow() { return ModuleInUse() ? S_FALSE : S_OK; }

STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, LPVOID* object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(classId, CLSID_SidloweObj)) return CLASS_E_CLASSNOTAVAILABLE;
    return TheClassFactory().QueryInterface(iid, object);
}

STDAPI DllRegisterServer() {
    const kv::registration::ParsedScript script = Script();
    if (!script.error.empty()) return SELFREG_E_CLASS;
    const HRESULT keys = kv::registration::ApplyScript(script);
    const HRESULT library = RegisterTypeLibrary();
    if (FAILED(keys)) return keys;
    return FAILED(library) ? SELFREG_E_TYPELIB : S_OK;
}

STDAPI DllUnregisterServer() {
    const kv::registration::ParsedScript script = Script();
    if (!script.error.empty()) return SELFREG_E_CLASS;
    const HRESULT keys = kv::registration::UndoScript(script);
    const HRESULT library = UnregisterTypeLibrary();
    if (FAILED(keys)) return keys;
    return FAILED(library) ? SELFREG_E_TYPELIB : S_OK;
}
