#include "webforms/MshtmlPage.h"

#include <exdisp.h>
#include <oleidl.h>

#include <optional>
#include <string>
#include <utility>

#include "platform/WideText.h"

namespace kv {
namespace {

// The text of a BSTR in the ANSI code page (characters it lacks become its default character).
std::string Ansi(const Bstr& text) {
    const std::optional<SecretString> ansi = Narrow(CP_ACP, std::wstring_view(text.get(), text.size()), false);
    return ansi ? std::string(ansi->view()) : std::string();
}

Bstr Wide(const std::string& text) {
    const std::optional<WipedWide> wide = Widen(CP_ACP, 0, text);
    if (!wide) return Bstr(L"");
    return Bstr(wide->data(), static_cast<UINT>(wide->size()));
}

// Reads a text property through `get`, empty when the browser fails.
template <class T, class Get>
std::string TextOf(T* object, Get get) {
    Bstr text;
    if (object == nullptr || FAILED((object->*get)(text.Receive()))) return {};
    return Ansi(text);
}

template <class T, class Get>
bool FlagOf(T* object, Get get) {
    VARIANT_BOOL flag = VARIANT_FALSE;
    return object != nullptr && SUCCEEDED((object->*get)(&flag)) && flag != VARIANT_FALSE;
}

VARIANT_BOOL Flag(bool on) { return on ? VARIANT_TRUE : VARIANT_FALSE; }

std::size_t LengthOf(IHTMLElementCollection* collection) {
    long length = 0;
    if (collection == nullptr || FAILED(collection->get_length(&length)) || length < 0) return 0;
    return static_cast<std::size_t>(length);
}

template <class T>
ComPtr<T> ItemOf(IHTMLElementCollection* collection, std::size_t index) {
    ComPtr<IDispatch> item;
    if (collection == nullptr) return {};
    Variant position(static_cast<long>(index));
    Variant none(0L);
    if (FAILED(collection->item(position.get(), none.get(), item.Receive()))) return {};
    return item.As<T>();
}

// The elements of one tag inside `parent` (a form or a select list).
template <class T>
ComPtr<IHTMLElementCollection> TagsOf(T* parent, const wchar_t* tag) {
    ComPtr<IDispatch> collection;
    if (parent == nullptr) return {};
    Variant name{Bstr(tag)};
    if (FAILED(parent->tags(name.get(), collection.Receive()))) return {};
    return collection.As<IHTMLElementCollection>();
}

// A collection fetched from the browser once, when first needed.
class LazyCollection {
public:
    template <class Fetch>
    IHTMLElementCollection* Get(const Fetch& fetch) {
        if (!fetched_) {
            collection_ = fetch();
            fetched_ = true;
        }
        return collection_.get();
    }

private:
    bool fetched_ = false;
    ComPtr<IHTMLElementCollection> collection_;
};

class MshtmlForm : public WebForm {
public:
    MshtmlForm(ComPtr<IHTMLFormElement> form, ComPtr<IHTMLDocument2> document, FormWatches& watches, int position)
        : form_(std::move(form)), document_(std::move(document)), watches_(watches), position_(position) {}

    std::size_t InputCount() override { return LengthOf(Inputs()); }

    WebInputState Input(std::size_t input) override {
        const ComPtr<IHTMLInputElement> element = InputAt(input);
        IHTMLInputElement* e = element.get();
        WebInputState state;
        state.type = TextOf(e, &IHTMLInputElement::get_type);
        state.name = TextOf(e, &IHTMLInputElement::get_name);
        state.value = TextOf(e, &IHTMLInputElement::get_value);
        state.checked = FlagOf(e, &IHTMLInputElement::get_checked);
        return state;
    }

    bool SetValue(std::size_t input, const std::string& value) override {
        const ComPtr<IHTMLInputElement> element = InputAt(input);
        const Bstr text = Wide(value);
        return element && SUCCEEDED(element->put_value(text.get()));
    }

    bool SetChecked(std::size_t input, bool checked) override {
        const ComPtr<IHTMLInputElement> element = InputAt(input);
        return element && SUCCEEDED(element->put_checked(Flag(checked)));
    }

    bool Click(std::size_t input) override {
        const ComPtr<IHTMLElement> element = ItemOf<IHTMLElement>(Inputs(), input);
        return element && SUCCEEDED(element->click());
    }

    std::size_t SelectCount() override { return LengthOf(Selects()); }

    WebSelectState Select(std::size_t select) override {
        const ComPtr<IHTMLSelectElement> element = ItemOf<IHTMLSelectElement>(Selects(), select);
        WebSelectState state;
        state.name = TextOf(element.get(), &IHTMLSelectElement::get_name);
        if (state.name.empty()) return state;
        const ComPtr<IHTMLElementCollection> options = TagsOf(element.get(), L"OPTION");
        const std::size_t count = LengthOf(options.get());
        for (std::size_t o = 0; o < count; ++o) {
            const ComPtr<IHTMLOptionElement> option = ItemOf<IHTMLOptionElement>(options.get(), o);
            IHTMLOptionElement* p = option.get();
            state.options.push_back({TextOf(p, &IHTMLOptionElement::get_value), TextOf(p, &IHTMLOptionElement::get_text),
                                     FlagOf(p, &IHTMLOptionElement::get_selected)});
        }
        return state;
    }

    bool SetSelected(std::size_t select, std::size_t option, bool selected) override {
        const ComPtr<IHTMLSelectElement> element = ItemOf<IHTMLSelectElement>(Selects(), select);
        const ComPtr<IHTMLElementCollection> options = TagsOf(element.get(), L"OPTION");
        const ComPtr<IHTMLOptionElement> chosen = ItemOf<IHTMLOptionElement>(options.get(), option);
        return chosen && SUCCEEDED(chosen->put_selected(Flag(selected)));
    }

    bool Submit() override { return SUCCEEDED(form_->submit()); }

    void Watch() override { watches_.Watch(form_.get(), document_.get(), position_); }

private:
    IHTMLElementCollection* Inputs() {
        return inputs_.Get([&] { return TagsOf(form_.get(), L"INPUT"); });
    }
    IHTMLElementCollection* Selects() {
        return selects_.Get([&] { return TagsOf(form_.get(), L"SELECT"); });
    }
    ComPtr<IHTMLInputElement> InputAt(std::size_t input) { return ItemOf<IHTMLInputElement>(Inputs(), input); }

    ComPtr<IHTMLFormElement> form_;
    ComPtr<IHTMLDocument2> document_;
    FormWatches& watches_;
    int position_;
    LazyCollection inputs_;
    LazyCollection selects_;
};

class MshtmlDocument : public WebDocument {
public:
    MshtmlDocument(ComPtr<IHTMLDocument2> document, FormWatches& watches)
        : document_(std::move(document)), watches_(watches) {}

    std::string Address() override { return TextOf(document_.get(), &IHTMLDocument2::get_URL); }

    std::size_t FormCount() override { return LengthOf(Forms()); }

    std::unique_ptr<WebForm> Form(std::size_t form) override {
        ComPtr<IHTMLFormElement> element = ItemOf<IHTMLFormElement>(Forms(), form);
        if (!element) return nullptr;
        return std::make_unique<MshtmlForm>(std::move(element), document_, watches_, static_cast<int>(form));
    }

    // The embedded objects that are browsers, each with a document of its own.
    std::vector<std::unique_ptr<WebDocument>> Frames() override {
        std::vector<std::unique_ptr<WebDocument>> frames;
        const ComPtr<IOleContainer> container = document_.As<IOleContainer>();
        ComPtr<IEnumUnknown> objects;
        if (!container || FAILED(container->EnumObjects(OLECONTF_EMBEDDINGS, objects.Receive())) || !objects) {
            return frames;
        }
        ComPtr<IUnknown> object;
        ULONG fetched = 0;
        while (objects->Next(1, object.Receive(), &fetched) == S_OK && fetched == 1) {
            const ComPtr<IWebBrowser2> browser = object.As<IWebBrowser2>();
            ComPtr<IDispatch> frameDocument;
            if (!browser || FAILED(browser->get_Document(frameDocument.Receive()))) continue;
            if (ComPtr<IHTMLDocument2> page = frameDocument.As<IHTMLDocument2>()) {
                frames.push_back(MakeMshtmlPage(std::move(page), watches_));
            }
        }
        return frames;
    }

private:
    IHTMLElementCollection* Forms() {
        return forms_.Get([&] {
            ComPtr<IHTMLElementCollection> forms;
            document_->get_forms(forms.Receive());
            return forms;
        });
    }

    ComPtr<IHTMLDocument2> document_;
    FormWatches& watches_;
    LazyCollection forms_;
};

}  // namespace

void FormWatches::Watch(IHTMLFormElement* form, IHTMLDocument2* document, int position) {
    ComPtr<SubmitSink> sink = SubmitSink::Create(notifyWindow_, position);
    bool connected = sink->Connect(form, __uuidof(HTMLFormElementEvents));
    ComPtr<IHTMLWindow2> window;
    if (document != nullptr && SUCCEEDED(document->get_parentWindow(window.Receive())) && window) {
        connected = sink->Connect(window.get(), __uuidof(HTMLWindowEvents)) || connected;
    }
    if (connected) sinks_.push_back(std::move(sink));
}

void FormWatches::DropAll() {
    std::vector<ComPtr<SubmitSink>> sinks = std::exchange(sinks_, {});
    for (const ComPtr<SubmitSink>& sink : sinks) sink->Disconnect();
}

std::unique_ptr<WebDocument> MakeMshtmlPage(ComPtr<IHTMLDocument2> document, FormWatches& watches) {
    if (!document) return nullptr;
    return std::make_unique<MshtmlDocument>(std::move(document), watches);
}

}  // namespace kv
