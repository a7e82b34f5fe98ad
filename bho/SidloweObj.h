// The browser helper object that the browser creates for each of its
// windows: it keeps the site the browser gives it and answers for its
// interface through the type library.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <atomic>

#include "bho/Sidlowe.h"
#include "platform/ComPtr.h"

namespace kv::bho {

class SidloweObj : public IObjectWithSite, public ISidloweObj {
public:
    SidloweObj();
    virtual ~SidloweObj();
    SidloweObj(const SidloweObj&) = delete;
    SidloweObj& operator=(const SidloweObj&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IObjectWithSite
    HRESULT STDMETHODCALLTYPE SetSite(IUnknown* site) override;
    HRESULT STDMETHODCALLTYPE GetSite(REFIID iid, void** site) override;

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

private:
    HRESULT LoadTypeInfo();

    std::atomic<ULONG> references_{1};
    ComPtr<IUnknown> site_;
    ComPtr<ITypeInfo> typeInfo_;
};

}  // namespace kv::bho
