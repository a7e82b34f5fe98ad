// An edit control with a drop-down list of words that begin with what was
// typed: Up, Down, Page Up, Page Down, Home and End move in the open list
// and copy the chosen word into the edit; Enter and Escape close it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "uikit/Controls.h"

namespace ui {

class CompletionEdit : public Edit {
public:
    using Matcher = std::function<std::vector<std::string>(const std::string& typed)>;

    CompletionEdit() = default;
    CompletionEdit(const CompletionEdit&) = delete;
    CompletionEdit& operator=(const CompletionEdit&) = delete;
    ~CompletionEdit();

    // Takes over the edit; `matches` gives the words for a typed text.
    void Attach(HWND edit, Matcher matches);
    // Offers the words for the current text (after a change the user made).
    void OfferCompletions();
    bool ListOpen() const;
    void CloseList();
    // The words offered now (for tests).
    std::vector<std::string> Offered() const;

private:
    static LRESULT CALLBACK EditProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    static LRESULT CALLBACK ListProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    bool HandleListKey(WPARAM key);
    void TakeSelected();

    Matcher matches_;
    HWND list_ = nullptr;
    bool updating_ = false;
};

}  // namespace ui
