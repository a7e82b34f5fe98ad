// A web page held in memory, for tests of what is read from and written
// into pages: its forms are shared with the handles the walker gets, so what
// the walker writes can be looked at afterwards.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "webforms/WebPage.h"

namespace kv::test {

struct MemoryForm {
    std::vector<WebInputState> inputs;
    std::vector<WebSelectState> selects;
    std::vector<std::size_t> clicked;
    int submitted = 0;
    int watched = 0;  // times watched for its submission
};

class FormHandle : public WebForm {
public:
    explicit FormHandle(std::shared_ptr<MemoryForm> form) : form_(std::move(form)) {}
    std::size_t InputCount() override { return form_->inputs.size(); }
    WebInputState Input(std::size_t i) override { return form_->inputs.at(i); }
    bool SetValue(std::size_t i, const std::string& value) override {
        form_->inputs.at(i).value = value;
        return true;
    }
    bool SetChecked(std::size_t i, bool checked) override {
        form_->inputs.at(i).checked = checked;
        return true;
    }
    bool Click(std::size_t i) override {
        form_->clicked.push_back(i);
        return true;
    }
    std::size_t SelectCount() override { return form_->selects.size(); }
    WebSelectState Select(std::size_t s) override { return form_->selects.at(s); }
    bool SetSelected(std::size_t s, std::size_t o, bool selected) override {
        form_->selects.at(s).options.at(o).selected = selected;
        return true;
    }
    bool Submit() override { return ++form_->submitted; }
    void Watch() override { ++form_->watched; }

private:
    std::shared_ptr<MemoryForm> form_;
};

struct MemoryPage : WebDocument {
    std::string address = "https://site.example/login";
    std::vector<std::shared_ptr<MemoryForm>> forms;
    std::vector<std::shared_ptr<MemoryPage>> frames;
    std::size_t unavailable = static_cast<std::size_t>(-1);  // a form the browser will not give

    MemoryForm& AddForm(std::vector<WebInputState> inputs, std::vector<WebSelectState> selects = {}) {
        forms.push_back(std::make_shared<MemoryForm>(MemoryForm{std::move(inputs), std::move(selects), {}, 0, 0}));
        return *forms.back();
    }
    std::string Address() override { return address; }
    std::size_t FormCount() override { return forms.size(); }
    std::unique_ptr<WebForm> Form(std::size_t i) override {
        if (i == unavailable) return nullptr;
        return std::make_unique<FormHandle>(forms.at(i));
    }
    std::vector<std::unique_ptr<WebDocument>> Frames() override {
        std::vector<std::unique_ptr<WebDocument>> documents;
        for (const auto& frame : frames) documents.push_back(std::make_unique<SharedPage>(frame));
        return documents;
    }

    // A frame handed out by the page, which stays its owner.
    struct SharedPage : WebDocument {
        explicit SharedPage(std::shared_ptr<MemoryPage> page) : page_(std::move(page)) {}
        std::string Address() override { return page_->Address(); }
        std::size_t FormCount() override { return page_->FormCount(); }
        std::unique_ptr<WebForm> Form(std::size_t i) override { return page_->Form(i); }
        std::vector<std::unique_ptr<WebDocument>> Frames() override { return page_->Frames(); }
        std::shared_ptr<MemoryPage> page_;
    };
};

}  // namespace kv::test
