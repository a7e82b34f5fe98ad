// The helper object as the page's UI handler and command target: it keeps
// the page's previous ones, which answer for everything but the context
// menu, and shows the context menu itself.
#include "bho/PageMenu.h"
#include "bho/SidloweObj.h"

namespace kv::bho {

void SidloweObj::HandlePageUi(IDispatch* document) {
    const ComPtr<IOleObject> object = ComPtr<IDispatch>(document).As<IOleObject>();
    ComPtr<IOleClientSite> site;
    if (!object || FAILED(object->GetClientSite(site.Receive())) || !site) return;
    previousHandler_ = site.As<IDocHostUIHandler>();
    previousTarget_ = site.As<IOleCommandTarget>();
    const ComPtr<ICustomDoc> custom = ComPtr<IDispatch>(document).As<ICustomDoc>();
    if (custom) custom->SetUIHandler(static_cast<IDocHostUIHandler*>(this));
}

HRESULT STDMETHODCALLTYPE SidloweObj::ShowContextMenu(DWORD context, POINT* at, IUnknown* commandTarget,
                                                      IDispatch*) {
    if (at == nullptr) return S_FALSE;
    return ShowPageMenu(context, *at, commandTarget, browser_.get());
}

HRESULT STDMETHODCALLTYPE SidloweObj::GetHostInfo(DOCHOSTUIINFO* info) {
    return previousHandler_ ? previousHandler_->GetHostInfo(info) : S_OK;
}

HRESULT STDMETHODCALLTYPE SidloweObj::ShowUI(DWORD id, IOleInPlaceActiveObject* active, IOleCommandTarget* target,
                                             IOleInPlaceFrame* frame, IOleInPlaceUIWindow* document) {
    return previousHandler_ ? previousHandler_->ShowUI(id, active, target, frame, document) : S_FALSE;
}

HRESULT STDMETHODCALLTYPE SidloweObj::GetExternal(IDispatch** external) {
    if (external == nullptr) return E_POINTER;
    *external = static_cast<ISidloweObj*>(this);
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SidloweObj::QueryStatus(const GUID* group, ULONG count, OLECMD* commands,
                                                  OLECMDTEXT* text) {
    return previousTarget_ ? previousTarget_->QueryStatus(group, count, commands, text) : S_OK;
}

HRESULT STDMETHODCALLTYPE SidloweObj::Exec(const GUID* group, DWORD id, DWORD options, VARIANT* in, VARIANT* out) {
    return previousTarget_ ? previousTarget_->Exec(group, id, options, in, out) : S_OK;
}

}  // namespace kv::bho
