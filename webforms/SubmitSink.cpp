#include "webforms/SubmitSink.h"

#include <mshtml.h>

#include <utility>

#include "protocol/MessageNames.h"

namespace kv {

ComPtr<SubmitSink> SubmitSink::Create(HWND notifyWindow, int position) {
    return ComPtr<SubmitSink>::Adopt(new SubmitSink(notifyWindow, position));
}

bool SubmitSink::Connect(IUnknown* source, REFIID events) {
    if (source == nullptr) return false;
    ComPtr<IConnectionPointContainer> container;
    if (FAILED(source->QueryInterface(__uuidof(IConnectionPointContainer), container.ReceiveVoid())) || !container) {
        return false;
    }
    ComPtr<IConnectionPoint> point;
    if (FAILED(container->FindConnectionPoint(events, point.Receive())) || !point) return false;
    DWORD cookie = 0;
    if (FAILED(point->Advise(this, &cookie))) return false;
    connections_.push_back({std::move(point), cookie});
    return true;
}

void SubmitSink::Disconnect() {
    // Unadvise may drop the browser's last reference to this sink: the list
    // is emptied before, and this object is kept alive until the end.
    const ComPtr<SubmitSink> keep(this);
    std::vector<Connection> connections = std::exchange(connections_, {});
    for (Connection& connection : connections) connection.point->Unadvise(connection.cookie);
}

HRESULT STDMETHODCALLTYPE SubmitSink::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    // A connection point may ask for the events' own interface while connecting.
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, __uuidof(HTMLFormElementEvents)) || IsEqualIID(iid, __uuidof(HTMLWindowEvents))) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE SubmitSink::AddRef() { return ++references_; }

ULONG STDMETHODCALLTYPE SubmitSink::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT STDMETHODCALLTYPE SubmitSink::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SubmitSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE SubmitSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE SubmitSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                             UINT*) {
    if (id != kOnSubmit && id != kOnLoad) return S_OK;
    Disconnect();
    static const UINT onSubmit = RegisterWindowMessageA(protocol::kOnSubmitMessage);
    SendMessageA(notifyWindow_, onSubmit, static_cast<WPARAM>(position_), 0);
    return S_OK;
}

}  // namespace kv
