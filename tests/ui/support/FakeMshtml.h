// Browser objects of our own behind the real automation and MSHTML
// interfaces: a document with forms, inputs, select lists and options,
// frames that are browsers, the shell's window list, and connection points
// that record who listens and can fire an event. No HTML engine is needed.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ComStubs.h"
#include "platform/ComPtr.h"

namespace kv::fake {

// COM objects end through Release, never through a pointer to an interface.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// Reference counting and QueryInterface for a fake built on stubs.
template <class... Stubs>
class Object : public Stubs... {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown)) {
            *out = static_cast<IUnknown*>(static_cast<First*>(this));
        } else {
            ((*out == nullptr && Stubs::Answers(iid) ? (*out = static_cast<Stubs*>(this), true) : false), ...);
        }
        if (*out == nullptr) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    ULONG References() const { return references_; }

protected:
    virtual ~Object() = default;

private:
    template <class T, class...>
    struct Head {
        using Type = T;
    };
    using First = typename Head<Stubs...>::Type;
    ULONG references_ = 1;
};

// A new fake, held by one reference.
template <class T, class... Args>
ComPtr<T> Make(Args&&... args) {
    return ComPtr<T>::Adopt(new T(std::forward<Args>(args)...));
}

inline HRESULT Out(const std::wstring& text, BSTR* p) {
    *p = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return S_OK;
}

inline std::wstring Text(const VARIANT& v) { return v.vt == VT_BSTR && v.bstrVal ? v.bstrVal : L""; }

// A connection point that lists its listeners and can call them.
class ConnectionPoint : public Object<StubIConnectionPoint> {
public:
    explicit ConnectionPoint(IID events) : events_(events) {}
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
        ComPtr<IDispatch> listener;
        if (FAILED(sink->QueryInterface(events_, listener.ReceiveVoid()))) return CONNECT_E_CANNOTCONNECT;
        *cookie = ++lastCookie_;
        listeners_[*cookie] = std::move(listener);
        ++advised;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
        ++unadvised;
        return listeners_.erase(cookie) == 1 ? S_OK : CONNECT_E_NOCONNECTION;
    }
    // Calls every listener with the event `id`.
    void Fire(DISPID id) {
        std::map<DWORD, ComPtr<IDispatch>> listeners = listeners_;
        DISPPARAMS none{};
        for (auto& [cookie, listener] : listeners) {
            listener->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr);
        }
    }
    std::size_t Listeners() const { return listeners_.size(); }
    int advised = 0;
    int unadvised = 0;
    IID events_;

private:
    DWORD lastCookie_ = 0;
    std::map<DWORD, ComPtr<IDispatch>> listeners_;
};

// The events of one interface, found through a connection point container;
// the fake sets `point`.
class EventSource : public StubIConnectionPointContainer {
public:
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override {
        *out = nullptr;
        if (!IsEqualIID(iid, point->events_)) return CONNECT_E_NOCONNECTION;
        *out = point.get();
        point->AddRef();
        return S_OK;
    }
    ComPtr<ConnectionPoint> point;
};

class Collection : public Object<StubIHTMLElementCollection> {
public:
    HRESULT STDMETHODCALLTYPE get_length(LONG* p) override {
        *p = static_cast<LONG>(items.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE item(VARIANT name, VARIANT, IDispatch** out) override {
        *out = nullptr;
        if (name.vt != VT_I4 || name.lVal < 0 || static_cast<std::size_t>(name.lVal) >= items.size()) return E_INVALIDARG;
        return items[static_cast<std::size_t>(name.lVal)]->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(out));
    }
    template <class T>
    void Add(const ComPtr<T>& item) {
        items.push_back(item.template As<IUnknown>());
    }
    std::vector<ComPtr<IUnknown>> items;
};

class Input : public Object<StubIHTMLInputElement, StubIHTMLElement> {
public:
    Input(std::wstring type_, std::wstring name_, std::wstring value_ = L"", bool checked_ = false)
        : type(std::move(type_)), name(std::move(name_)), value(std::move(value_)), checked(checked_) {}
    HRESULT STDMETHODCALLTYPE get_type(BSTR* p) override { return Out(type, p); }
    HRESULT STDMETHODCALLTYPE get_name(BSTR* p) override { return Out(name, p); }
    HRESULT STDMETHODCALLTYPE get_value(BSTR* p) override { return Out(value, p); }
    HRESULT STDMETHODCALLTYPE put_value(BSTR v) override {
        value = v ? v : L"";
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_checked(VARIANT_BOOL* p) override {
        *p = checked ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_checked(VARIANT_BOOL v) override {
        checked = v != VARIANT_FALSE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE click() override {
        ++clicks;
        return S_OK;
    }
    std::wstring type, name, value;
    bool checked;
    int clicks = 0;
};

class Option : public Object<StubIHTMLOptionElement> {
public:
    Option(std::wstring value_, std::wstring text_, bool selected_ = false)
        : value(std::move(value_)), text(std::move(text_)), selected(selected_) {}
    HRESULT STDMETHODCALLTYPE get_value(BSTR* p) override { return Out(value, p); }
    HRESULT STDMETHODCALLTYPE get_text(BSTR* p) override { return Out(text, p); }
    HRESULT STDMETHODCALLTYPE get_selected(VARIANT_BOOL* p) override {
        *p = selected ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_selected(VARIANT_BOOL v) override {
        selected = v != VARIANT_FALSE;
        return S_OK;
    }
    std::wstring value, text;
    bool selected;
};

// Answers tags() with the collection kept under the tag's name.
inline HRESULT Tags(std::map<std::wstring, ComPtr<Collection>>& tags, const VARIANT& tag, IDispatch** out) {
    *out = nullptr;
    const auto found = tags.find(Text(tag));
    if (found == tags.end()) return E_INVALIDARG;
    return found->second->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(out));
}

class Select : public Object<StubIHTMLSelectElement> {
public:
    explicit Select(std::wstring name_) : name(std::move(name_)) { tags_[L"OPTION"] = Make<Collection>(); }
    HRESULT STDMETHODCALLTYPE get_name(BSTR* p) override { return Out(name, p); }
    HRESULT STDMETHODCALLTYPE tags(VARIANT tag, IDispatch** out) override { return Tags(tags_, tag, out); }
    ComPtr<Option> AddOption(std::wstring value, std::wstring text, bool selected = false) {
        ComPtr<Option> option = Make<Option>(std::move(value), std::move(text), selected);
        tags_[L"OPTION"]->Add(option);
        return option;
    }
    std::wstring name;

private:
    std::map<std::wstring, ComPtr<Collection>> tags_;
};

class Form : public Object<StubIHTMLFormElement, EventSource> {
public:
    Form() { EventSource::point = Make<ConnectionPoint>(__uuidof(HTMLFormElementEvents)); }
    HRESULT STDMETHODCALLTYPE tags(VARIANT tag, IDispatch** out) override { return Tags(tags_, tag, out); }
    HRESULT STDMETHODCALLTYPE submit() override {
        ++submits;
        return S_OK;
    }
    ComPtr<Input> AddInput(std::wstring type, std::wstring name, std::wstring value = L"", bool checked = false) {
        ComPtr<Input> input = Make<Input>(std::move(type), std::move(name), std::move(value), checked);
        Of(L"INPUT")->Add(input);
        return input;
    }
    ComPtr<Select> AddSelect(std::wstring name) {
        ComPtr<Select> select = Make<Select>(std::move(name));
        Of(L"SELECT")->Add(select);
        return select;
    }
    ConnectionPoint& Events() { return *EventSource::point; }
    int submits = 0;

private:
    ComPtr<Collection>& Of(const std::wstring& tag) {
        ComPtr<Collection>& collection = tags_[tag];
        if (!collection) collection = Make<Collection>();
        return collection;
    }
    std::map<std::wstring, ComPtr<Collection>> tags_{{L"INPUT", Make<Collection>()}, {L"SELECT", Make<Collection>()}};
};

class Window : public Object<StubIHTMLWindow2, EventSource> {
public:
    Window() { EventSource::point = Make<ConnectionPoint>(__uuidof(HTMLWindowEvents)); }
    ConnectionPoint& Events() { return *EventSource::point; }
};

class ObjectList : public Object<StubIEnumUnknown> {
public:
    explicit ObjectList(std::vector<ComPtr<IUnknown>> objects) : objects_(std::move(objects)) {}
    HRESULT STDMETHODCALLTYPE Next(ULONG count, IUnknown** out, ULONG* fetched) override {
        ULONG given = 0;
        for (; given < count && next_ < objects_.size(); ++given, ++next_) {
            out[given] = objects_[next_].get();
            out[given]->AddRef();
        }
        if (fetched != nullptr) *fetched = given;
        return given == count ? S_OK : S_FALSE;
    }

private:
    std::vector<ComPtr<IUnknown>> objects_;
    std::size_t next_ = 0;
};

class Document : public Object<StubIHTMLDocument2, StubIOleContainer, StubIOleObject, StubICustomDoc> {
public:
    explicit Document(std::wstring url_) : url(std::move(url_)), window(Make<Window>()), forms(Make<Collection>()) {}
    HRESULT STDMETHODCALLTYPE get_URL(BSTR* p) override { return Out(url, p); }
    HRESULT STDMETHODCALLTYPE get_forms(IHTMLElementCollection** p) override {
        *p = forms.get();
        forms->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_parentWindow(IHTMLWindow2** p) override {
        *p = window.get();
        window->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumObjects(DWORD flags, IEnumUnknown** out) override {
        *out = nullptr;
        if (flags != OLECONTF_EMBEDDINGS) return E_INVALIDARG;
        const ComPtr<ObjectList> list = Make<ObjectList>(embedded);
        *out = list.get();
        list->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override {
        *site = clientSite.get();
        if (!clientSite) return E_FAIL;
        clientSite->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetUIHandler(IDocHostUIHandler* handler) override {
        uiHandler = ComPtr<IDocHostUIHandler>(handler);
        return S_OK;
    }
    ComPtr<Form> AddForm() {
        ComPtr<Form> form = Make<Form>();
        forms->Add(form);
        return form;
    }
    std::wstring url;
    ComPtr<Window> window;
    ComPtr<Collection> forms;
    std::vector<ComPtr<IUnknown>> embedded;  // frames, and other objects that are no browsers
    ComPtr<IOleClientSite> clientSite;       // the page's host
    ComPtr<IDocHostUIHandler> uiHandler;     // set by whoever takes the page's UI
};

class Browser : public Object<StubIWebBrowser2, StubIOleWindow> {
public:
    HRESULT STDMETHODCALLTYPE get_Document(IDispatch** p) override {
        *p = nullptr;
        if (!document) return E_FAIL;
        return document->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(p));
    }
    HRESULT STDMETHODCALLTYPE get_HWND(SHANDLE_PTR* p) override {
        *p = reinterpret_cast<SHANDLE_PTR>(frame);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* p) override {
        *p = pane;
        return pane ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_LocationURL(BSTR* p) override { return Out(location, p); }
    HRESULT STDMETHODCALLTYPE get_ReadyState(READYSTATE* p) override {
        *p = readyState;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Navigate(BSTR url, VARIANT*, VARIANT*, VARIANT*, VARIANT*) override {
        navigated.push_back(url);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL v) override {
        visible = v != VARIANT_FALSE;
        return S_OK;
    }
    ComPtr<Document> document;
    bool visible = false;
    HWND frame = nullptr;
    HWND pane = nullptr;
    std::wstring location;
    READYSTATE readyState = READYSTATE_COMPLETE;
    std::vector<std::wstring> navigated;
};

class ShellWindows : public Object<StubIShellWindows> {
public:
    HRESULT STDMETHODCALLTYPE get_Count(LONG* p) override {
        *p = static_cast<LONG>(items.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Item(VARIANT index, IDispatch** out) override {
        *out = nullptr;
        if (index.vt != VT_I4 || index.lVal < 0 || static_cast<std::size_t>(index.lVal) >= items.size()) return E_INVALIDARG;
        return items[static_cast<std::size_t>(index.lVal)]->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(out));
    }
    std::vector<ComPtr<Browser>> items;
};

#pragma GCC diagnostic pop

}  // namespace kv::fake
