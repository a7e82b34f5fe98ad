// The browser's HTML document as the form walker's page: its forms, their
// inputs and select lists, and the documents of its frames. Texts cross
// between the browser's UTF-16 and the ANSI code page.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/ComPtr.h"
#include "webforms/SubmitSink.h"
#include "webforms/WebPage.h"

namespace kv {

// The forms watched for their submission while a page is recorded.
class FormWatches {
public:
    FormWatches() = default;
    ~FormWatches() { DropAll(); }
    FormWatches(const FormWatches&) = delete;
    FormWatches& operator=(const FormWatches&) = delete;

    // The window told of a submission by the forms watched from now on.
    void SetNotifyWindow(HWND window) { notifyWindow_ = window; }
    // Listens to the form's events and to those of the document's window.
    void Watch(IHTMLFormElement* form, IHTMLDocument2* document, int position);
    // Disconnects and frees every sink.
    void DropAll();
    std::size_t Count() const { return sinks_.size(); }

private:
    HWND notifyWindow_ = nullptr;
    std::vector<ComPtr<SubmitSink>> sinks_;
};

// The page of `document`; its forms are watched through `watches`, which
// must outlive it.
std::unique_ptr<WebDocument> MakeMshtmlPage(ComPtr<IHTMLDocument2> document, FormWatches& watches);

}  // namespace kv
