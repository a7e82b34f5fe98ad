#include "uikit/CompletionEdit.h"

#include <algorithm>

#include "uikit/Module.h"

namespace ui {
namespace {

constexpr int kVisibleWords = 8;

}  // namespace

CompletionEdit::~CompletionEdit() {
    if (hwnd() != nullptr) RemoveWindowSubclass(hwnd(), EditProcedure, 1);
    if (list_ != nullptr) DestroyWindow(list_);
}

void CompletionEdit::Attach(HWND edit, Matcher matches) {
    Control::Attach(edit);
    matches_ = std::move(matches);
    SetWindowSubclass(edit, EditProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
}

bool CompletionEdit::ListOpen() const { return list_ != nullptr && IsWindowVisible(list_); }

void CompletionEdit::CloseList() {
    if (list_ != nullptr) ShowWindow(list_, SW_HIDE);
}

std::vector<std::string> CompletionEdit::Offered() const {
    std::vector<std::string> words;
    if (!ListOpen()) return words;
    const int count = static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int length = static_cast<int>(SendMessageA(list_, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0));
        std::string word(static_cast<std::size_t>(length) + 1, '\0');
        SendMessageA(list_, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(word.data()));
        word.resize(static_cast<std::size_t>(length));
        words.push_back(word);
    }
    return words;
}

void CompletionEdit::OfferCompletions() {
    if (updating_ || !matches_) return;
    const std::string typed = Text();
    const std::vector<std::string> words = typed.empty() ? std::vector<std::string>() : matches_(typed);
    if (words.empty()) {
        CloseList();
        return;
    }
    if (list_ == nullptr) {
        list_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "LISTBOX", "", WS_POPUP | WS_BORDER | WS_VSCROLL,
                                0, 0, 0, 0, GetAncestor(hwnd(), GA_ROOT), nullptr, Instance(), nullptr);
        SendMessageA(list_, WM_SETFONT, SendMessageA(hwnd(), WM_GETFONT, 0, 0), FALSE);
        SetWindowSubclass(list_, ListProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    for (const std::string& word : words) SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(word.c_str()));
    RECT edit{};
    GetWindowRect(hwnd(), &edit);
    const int itemHeight = static_cast<int>(SendMessageA(list_, LB_GETITEMHEIGHT, 0, 0));
    const int shown = std::min(static_cast<int>(words.size()), kVisibleWords);
    SetWindowPos(list_, HWND_TOPMOST, edit.left, edit.bottom, std::max(160L, edit.right - edit.left),
                 shown * itemHeight + 4, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CompletionEdit::TakeSelected() {
    const int index = static_cast<int>(SendMessageA(list_, LB_GETCURSEL, 0, 0));
    if (index < 0) return;
    const std::vector<std::string> words = Offered();
    if (static_cast<std::size_t>(index) >= words.size()) return;
    updating_ = true;  // the program's own change offers nothing
    SetText(words[static_cast<std::size_t>(index)]);
    Select(static_cast<int>(words[static_cast<std::size_t>(index)].size()), -1);
    updating_ = false;
}

bool CompletionEdit::HandleListKey(WPARAM key) {
    if (!ListOpen()) return false;
    const int count = static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0));
    int index = static_cast<int>(SendMessageA(list_, LB_GETCURSEL, 0, 0));
    switch (key) {
        case VK_UP: index = std::max(0, index - 1); break;
        case VK_DOWN: index = std::min(count - 1, index + 1); break;
        case VK_PRIOR: index = std::max(0, index - kVisibleWords); break;
        case VK_NEXT: index = std::min(count - 1, index + kVisibleWords); break;
        case VK_HOME: index = 0; break;
        case VK_END: index = count - 1; break;
        case VK_RETURN:
        case VK_ESCAPE: CloseList(); return true;
        default: return false;
    }
    SendMessageA(list_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    TakeSelected();
    return true;
}

LRESULT CALLBACK CompletionEdit::EditProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR data) {
    auto& self = *reinterpret_cast<CompletionEdit*>(data);
    switch (message) {
        case WM_KEYDOWN:
            if (self.HandleListKey(wParam)) return 0;
            break;
        case WM_CHAR:
            // Enter and Escape only closed the list.
            if ((wParam == '\r' || wParam == 27) && self.ListOpen()) return 0;
            break;
        case WM_KILLFOCUS:
            self.CloseList();
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK CompletionEdit::ListProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR data) {
    auto& self = *reinterpret_cast<CompletionEdit*>(data);
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    if (message == WM_LBUTTONUP) {
        const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        self.TakeSelected();
        self.CloseList();
        return result;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace ui
