// A small tool window titled "Notes" that shows a record's notes as plain
// text, read-only, until it is closed.
#pragma once

#include <string>

#include "uikit/MessageMap.h"
#include "uikit/Window.h"

namespace kv {

class CNotesPopup : public ui::Mapped<CNotesPopup, ui::Window> {
public:
    CNotesPopup() = default;
    CNotesPopup(const CNotesPopup&) = delete;
    CNotesPopup& operator=(const CNotesPopup&) = delete;
    ~CNotesPopup() override;

    // Opens the window with its top-left corner at `at` (screen pixels),
    // showing `text` with its line ends as CR LF (NotesPopupText).
    bool Open(HWND owner, const char* text, POINT at);

    static const ui::MessageMap<CNotesPopup>& Messages();

private:
    void FitText();
    HBRUSH OnColor(HDC dc, HWND control);
    static LRESULT CALLBACK TextProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    HWND text_ = nullptr;
};

}  // namespace kv
