#include "bho/SidloweObj.h"

#include "bho/Module.h"

namespace kv::bho {

SidloweObj::SidloweObj() { AddModuleReference(); }

SidloweObj::~SidloweObj() { ReleaseModuleReference(); }

HRESULT STDMETHODCALLTYPE SidloweObj::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IObjectWithSite)) {
        *object = static_cast<IObjectWithSite*>(this);
    } else if (IsEqualIID(iid, IID_IDocHostUIHandler)) {
        *object = static_cast<IDocHostUIHandler*>(this);
    } else if (IsEqualIID(iid, IID_IOleCommandTarget)) {
        *object = static_cast<IOleCommandTarget*>(this);
    } else if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_ISidloweObj) ||
               IsEqualIID(iid, DIID_DWebBrowserEvents2)) {
        // The browser asks its listeners for its event interface, which is a dispatch interface.
        *object = static_cast<ISidloweObj*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE SidloweObj::AddRef() { return ++references_; }

ULONG STDMETHODCALLTYPE SidloweObj::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT STDMETHODCALLTYPE SidloweObj::SetSite(IUnknown* site) {
    // The browser lets go of the object by taking its site away: the object
    // stops listening then, or the browser and the object would keep each other.
    StopListening();
    site_ = ComPtr<IUnknown>(site);
    if (!site_) return S_OK;
    browser_ = site_.As<IWebBrowser2>();
    if (browser_ && !ListenToBrowser()) MessageBoxA(nullptr, "Failure sinking events from IWebBrowser2", "", MB_OK);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SidloweObj::GetSite(REFIID iid, void** site) {
    if (site == nullptr) return E_POINTER;
    *site = nullptr;
    if (!site_) return E_FAIL;
    return site_->QueryInterface(iid, site);
}

HRESULT SidloweObj::LoadTypeInfo() {
    if (typeInfo_) return S_OK;
    ComPtr<ITypeLib> library;
    const HRESULT result = LoadTypeLibEx(ModuleFileName().c_str(), REGKIND_NONE, library.Receive());
    if (FAILED(result)) return result;
    return library->GetTypeInfoOfGuid(IID_ISidloweObj, typeInfo_.Receive());
}

HRESULT STDMETHODCALLTYPE SidloweObj::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SidloweObj::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    const HRESULT loaded = LoadTypeInfo();
    if (FAILED(loaded)) return loaded;
    typeInfo_->AddRef();
    *info = typeInfo_.get();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SidloweObj::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    const HRESULT loaded = LoadTypeInfo();
    if (FAILED(loaded)) return loaded;
    return DispGetIDsOfNames(typeInfo_.get(), names, count, ids);
}

// The interface has no members of its own: what comes here are the browser's events.
HRESULT STDMETHODCALLTYPE SidloweObj::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*,
                                             EXCEPINFO*, UINT*) {
    const DISPPARAMS none{};
    OnEvent(id, parameters != nullptr ? *parameters : none);
    return S_OK;
}

}  // namespace kv::bho
