#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/Records.h"
#include "webforms/FormWalker.h"

namespace kv {
namespace {

// A page held in memory; its forms are shared with the handles the walker
// gets, so what the walker writes can be looked at afterwards.
struct MemoryForm {
    std::vector<WebInputState> inputs;
    std::vector<WebSelectState> selects;
    std::vector<std::size_t> clicked;
    int submitted = 0;
    bool watched = false;
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
    void Watch() override { form_->watched = true; }

private:
    std::shared_ptr<MemoryForm> form_;
};

struct MemoryPage : WebDocument {
    std::string address = "https://site.example/login";
    std::vector<std::shared_ptr<MemoryForm>> forms;
    std::vector<std::shared_ptr<MemoryPage>> frames;
    std::size_t unavailable = static_cast<std::size_t>(-1);  // a form the browser will not give

    MemoryForm& AddForm(std::vector<WebInputState> inputs, std::vector<WebSelectState> selects = {}) {
        forms.push_back(std::make_shared<MemoryForm>(MemoryForm{std::move(inputs), std::move(selects), {}, 0, false}));
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

WebInputState Text(const std::string& name, const std::string& value = "") { return {"text", name, value, false}; }
WebInputState Password(const std::string& name, const std::string& value = "") { return {"Password", name, value, false}; }
WebInputState Box(const std::string& name, const std::string& value, bool checked) {
    return {"checkbox", name, value, checked};
}

using test::FormEntry;

TEST(FormWalkerTest, ALoginFormIsCapturedWithoutItsUncheckedBoxOrEmptyFields) {
    MemoryPage page;
    page.AddForm({Text("user", "ann"), Password("pw", "secret"), Box("remember", "1", false), Text("empty"),
                  {"hidden", "token", "x", false}, {"radio", "plan", "b", true}});
    const std::vector<FormField> fields = CaptureForms(page, true);
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[0], FormEntry(1, "user", "ann", 0));
    EXPECT_EQ(fields[1], FormEntry(2, "pw", "secret", 0));
    EXPECT_EQ(fields[2].type, 3);
    EXPECT_EQ(fields[2].checkState, 1);
    EXPECT_TRUE(page.forms[0]->watched);
}

TEST(FormWalkerTest, SelectedOptionsOfNamedListsAreCapturedByValue) {
    MemoryPage page;
    page.AddForm({}, {{"country", {{"de", "Germany", false}, {"fr", "France", true}}}, {"", {{"x", "X", true}}}});
    const std::vector<FormField> fields = CaptureForms(page, false);
    ASSERT_EQ(fields.size(), 1u);
    EXPECT_EQ(fields[0], FormEntry(5, "country", "fr", 0));
    EXPECT_FALSE(page.forms[0]->watched);
}

TEST(FormWalkerTest, AnEntryOfFormMinusOneFillsEveryFormAndOfFormZeroOnlyTheFirst) {
    MemoryPage page;
    page.AddForm({Text("user"), Text("q")});
    page.AddForm({Text("USER"), Text("q")});
    std::vector<FormField> entries = {FormEntry(1, "user", "ann", -1), FormEntry(1, "q", "first only", 0)};
    EXPECT_TRUE(FillForms(page, entries, page.address));
    EXPECT_EQ(page.forms[0]->inputs[0].value, "ann");
    EXPECT_EQ(page.forms[1]->inputs[0].value, "ann");
    EXPECT_EQ(page.forms[0]->inputs[1].value, "first only");
    EXPECT_EQ(page.forms[1]->inputs[1].value, "");
}

TEST(FormWalkerTest, FillChecksBoxesByValueAndSelectsOptionsByValueNotText) {
    MemoryPage page;
    page.AddForm({Box("opt", "a", false), Box("opt", "b", false)},
                 {{"country", {{"de", "fr", false}, {"fr", "France", false}}}});
    std::vector<FormField> entries = {FormEntry(4, "opt", "b", 0), FormEntry(5, "Country", "fr", 0)};
    FillForms(page, entries, page.address);
    EXPECT_FALSE(page.forms[0]->inputs[0].checked);
    EXPECT_TRUE(page.forms[0]->inputs[1].checked);
    EXPECT_FALSE(page.forms[0]->selects[0].options[0].selected);
    EXPECT_TRUE(page.forms[0]->selects[0].options[1].selected);
    // A select entry must name its form exactly.
    std::vector<FormField> anyForm = {FormEntry(5, "country", "de", -1)};
    FillForms(page, anyForm, page.address);
    EXPECT_FALSE(page.forms[0]->selects[0].options[0].selected);
    std::vector<FormField> none;
    EXPECT_FALSE(FillForms(page, none, page.address));
}

TEST(FormWalkerTest, ImportedEntriesAreBoundToTheInputsTheyFit) {
    MemoryPage page;
    page.AddForm({Text("LoginName"), Password("pass_word"), Text("search")});
    std::vector<FormField> entries = {FormEntry(7, "User ID$", "ann", -1), FormEntry(7, "Password$", "pw", -1)};
    FillForms(page, entries, page.address);
    EXPECT_EQ(page.forms[0]->inputs[0].value, "ann");
    EXPECT_EQ(page.forms[0]->inputs[1].value, "pw");
    EXPECT_EQ(page.forms[0]->inputs[2].value, "");
    EXPECT_EQ(entries[0].name, "loginname");
    EXPECT_EQ(entries[1].name, "pass_word");

    FormField same = FormEntry(7, "Em$", "x", -1);
    RebindImportedName(same, "EmailAddress", false);
    EXPECT_EQ(same.name, "EmailAddress");
    FormField plain = FormEntry(7, "User ID", "x", -1);
    RebindImportedName(plain, "userid", false);
    EXPECT_EQ(plain.name, "User ID");
    FormField password = FormEntry(7, "Password$", "x", -1);
    RebindImportedName(password, "secret", false);
    EXPECT_EQ(password.name, "Password$");
}

TEST(FormWalkerTest, FramesAreWalkedOnlyWhenTheTopDocumentHasNoForm) {
    MemoryPage page;
    auto frame = std::make_shared<MemoryPage>();
    frame->AddForm({Text("user", "in frame")});
    page.frames.push_back(frame);
    ASSERT_EQ(CaptureForms(page, false).size(), 1u);

    page.AddForm({Text("user", "top")});
    const std::vector<FormField> top = CaptureForms(page, false);
    ASSERT_EQ(top.size(), 1u);
    EXPECT_EQ(top[0].value, "top");
}

TEST(FormWalkerTest, AFrameOfAnotherSiteIsNotFilled) {
    MemoryPage page;
    auto own = std::make_shared<MemoryPage>();
    own->AddForm({Text("user")});
    auto other = std::make_shared<MemoryPage>();
    other->address = "https://ads.example/frame";
    other->AddForm({Text("user")});
    page.frames = {other, own};
    std::vector<FormField> entries = {FormEntry(1, "user", "ann", -1)};
    FillForms(page, entries, "https://site.example/login");
    EXPECT_EQ(other->forms[0]->inputs[0].value, "");
    EXPECT_EQ(own->forms[0]->inputs[0].value, "ann");
}

TEST(FormWalkerTest, EachFormIsSubmittedByItsButtonOrItselfAndAFrameOnlyOnce) {
    MemoryPage page;
    page.AddForm({Text("q"), {"SUBMIT", "go", "Go", false}, {"submit", "again", "", false}});
    page.AddForm({Text("q")});
    page.unavailable = 5;
    SubmitForms(page);
    EXPECT_EQ(page.forms[0]->clicked, std::vector<std::size_t>{1});
    EXPECT_EQ(page.forms[0]->submitted, 0);
    EXPECT_EQ(page.forms[1]->submitted, 1);

    MemoryPage framed;
    auto frame = std::make_shared<MemoryPage>();
    frame->AddForm({});
    frame->AddForm({});
    framed.frames.push_back(frame);
    SubmitForms(framed);
    EXPECT_EQ(frame->forms[0]->submitted, 1);
    EXPECT_EQ(frame->forms[1]->submitted, 0);
}

TEST(FormWalkerTest, AFormTheBrowserWillNotGiveIsPassedOver) {
    MemoryPage page;
    page.AddForm({Text("a", "1")});
    page.AddForm({Text("b", "2")});
    page.unavailable = 0;
    const std::vector<FormField> fields = CaptureForms(page, false);
    ASSERT_EQ(fields.size(), 1u);
    EXPECT_EQ(fields[0], FormEntry(1, "b", "2", 1));
}

TEST(FormWalkerTest, TheCensusCountsTheFormsWalkedAndWhetherAnyHasAField) {
    MemoryPage page;
    EXPECT_EQ(TakeFormCensus(page).forms, 0u);
    auto frame = std::make_shared<MemoryPage>();
    frame->AddForm({});
    frame->AddForm({});
    page.frames.push_back(frame);
    FormCensus census = TakeFormCensus(page);
    EXPECT_EQ(census.forms, 2u);
    EXPECT_FALSE(census.withFields);

    frame->AddForm({}, {{"country", {}}});
    EXPECT_TRUE(TakeFormCensus(page).withFields);

    page.AddForm({Text("q")});
    census = TakeFormCensus(page);
    EXPECT_EQ(census.forms, 1u);
    EXPECT_TRUE(census.withFields);
}

}  // namespace
}  // namespace kv
