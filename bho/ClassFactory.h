// The class factory of the helper object.
#pragma once

#include <windows.h>
#include <unknwn.h>

namespace kv::bho {

class ClassFactory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;
};

// The one factory, which lives as long as the module.
ClassFactory& TheClassFactory();

}  // namespace kv::bho
