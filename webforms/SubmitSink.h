// The object told by the browser when a watched form is submitted (or its
// window loads the next page): it stops listening and sends
// "PASSWORDOnSubmit" with the form's position to the window that records it.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <vector>

#include "platform/ComPtr.h"

namespace kv {

// COM objects end through Release, never through a pointer to their interface.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class SubmitSink final : public IDispatch {
public:
    // The form's submission and the page's load, as the browser numbers these events.
    static constexpr DISPID kOnSubmit = 1007;
    static constexpr DISPID kOnLoad = 1008;

    static ComPtr<SubmitSink> Create(HWND notifyWindow, int position);

    // Listens to the events `events` of `source` through its connection
    // point; false when the source has none or refuses.
    bool Connect(IUnknown* source, REFIID events);
    // Stops listening everywhere it listens.
    void Disconnect();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

private:
    SubmitSink(HWND notifyWindow, int position) : notifyWindow_(notifyWindow), position_(position) {}
    ~SubmitSink() = default;

    struct Connection {
        ComPtr<IConnectionPoint> point;
        DWORD cookie;
    };

    ULONG references_ = 1;
    HWND notifyWindow_;
    int position_;
    std::vector<Connection> connections_;
};
#pragma GCC diagnostic pop

}  // namespace kv
