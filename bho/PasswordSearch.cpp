#include "bho/PasswordSearch.h"

#include <exdisp.h>
#include <oleidl.h>

#include "platform/ComPtr.h"

namespace kv::bho {
namespace {

ComPtr<IDispatch> ItemAt(IHTMLElementCollection* collection, long index) {
    ComPtr<IDispatch> item;
    Variant position(index);
    Variant none;
    collection->item(position.get(), none.get(), item.Receive());
    return item;
}

long CountOf(IHTMLElementCollection* collection) {
    long count = 0;
    return SUCCEEDED(collection->get_length(&count)) && count > 0 ? count : 0;
}

bool FormHasPasswordField(IHTMLFormElement* form) {
    ComPtr<IDispatch> found;
    if (FAILED(form->tags(Variant(Bstr(L"INPUT")).get(), found.Receive())) || !found) return false;
    const ComPtr<IHTMLElementCollection> inputs = found.As<IHTMLElementCollection>();
    if (!inputs) return false;
    const long count = CountOf(inputs.get());
    for (long i = 0; i < count; ++i) {
        const ComPtr<IHTMLInputElement> input = ItemAt(inputs.get(), i).As<IHTMLInputElement>();
        Bstr type;
        if (!input || FAILED(input->get_type(type.Receive())) || type.get() == nullptr) continue;
        if (CompareStringOrdinal(type.get(), -1, L"PASSWORD", -1, TRUE) == CSTR_EQUAL) return true;
    }
    return false;
}

bool FormsHavePasswordField(IHTMLDocument2* page) {
    ComPtr<IHTMLElementCollection> forms;
    if (FAILED(page->get_forms(forms.Receive())) || !forms) return false;
    const long count = CountOf(forms.get());
    for (long i = 0; i < count; ++i) {
        const ComPtr<IHTMLFormElement> form = ItemAt(forms.get(), i).As<IHTMLFormElement>();
        if (form && FormHasPasswordField(form.get())) return true;
    }
    return false;
}

bool FramesHavePasswordField(IHTMLDocument2* page) {
    const ComPtr<IOleContainer> container = ComPtr<IHTMLDocument2>(page).As<IOleContainer>();
    ComPtr<IEnumUnknown> objects;
    if (!container || FAILED(container->EnumObjects(OLECONTF_EMBEDDINGS, objects.Receive())) || !objects) {
        return false;
    }
    for (;;) {
        ComPtr<IUnknown> object;
        ULONG fetched = 0;
        if (objects->Next(1, object.Receive(), &fetched) != S_OK || fetched != 1) return false;
        const ComPtr<IWebBrowser2> frame = object.As<IWebBrowser2>();
        ComPtr<IDispatch> document;
        if (!frame || FAILED(frame->get_Document(document.Receive())) || !document) continue;
        const ComPtr<IHTMLDocument2> framePage = document.As<IHTMLDocument2>();
        if (framePage && FormsHavePasswordField(framePage.get())) return true;
    }
}

}  // namespace

bool PageHasPasswordField(IHTMLDocument2* page) {
    return page != nullptr && (FormsHavePasswordField(page) || FramesHavePasswordField(page));
}

}  // namespace kv::bho
