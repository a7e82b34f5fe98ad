// A web page as the form walker sees it: its forms with their inputs and
// select lists, and its frames. The browser's document is adapted to this;
// tests give an in-memory page. Texts are in the ANSI code page. A call that
// fails in the browser answers as if the element were not there (an empty
// state, false), so the walk goes on with the next one.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace kv {

struct WebInputState {
    std::string type;  // as the page names it: "text", "password", "submit", ...
    std::string name;
    std::string value;
    bool checked = false;
};

struct WebOptionState {
    std::string value;
    std::string text;
    bool selected = false;
};

struct WebSelectState {
    std::string name;
    std::vector<WebOptionState> options;
};

class WebForm {
public:
    virtual ~WebForm() = default;

    virtual std::size_t InputCount() = 0;
    virtual WebInputState Input(std::size_t input) = 0;
    virtual bool SetValue(std::size_t input, const std::string& value) = 0;
    virtual bool SetChecked(std::size_t input, bool checked) = 0;
    virtual bool Click(std::size_t input) = 0;

    virtual std::size_t SelectCount() = 0;
    virtual WebSelectState Select(std::size_t select) = 0;
    virtual bool SetSelected(std::size_t select, std::size_t option, bool selected) = 0;

    virtual bool Submit() = 0;
    // Starts watching the form for its submission (while a form is recorded).
    virtual void Watch() = 0;
};

class WebDocument {
public:
    virtual ~WebDocument() = default;

    virtual std::string Address() = 0;
    virtual std::size_t FormCount() = 0;
    // Null when the form cannot be had.
    virtual std::unique_ptr<WebForm> Form(std::size_t form) = 0;
    // The documents of the frames that are browsers of their own.
    virtual std::vector<std::unique_ptr<WebDocument>> Frames() = 0;
};

}  // namespace kv
