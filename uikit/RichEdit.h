// Rich edit controls (Riched20.dll): loading the library, and rich text in
// and out.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace ui {

// Loads Riched20.dll once for the process, so that its window classes exist.
bool LoadRichEdit();

// Replaces the control's content by an RTF document.
void SetRichText(HWND control, const std::string& rtf);

// The control's content as an RTF document.
std::string GetRichText(HWND control);

// The editing commands of a rich edit control's context menu.
enum class RichEditCommand {
    Undo, Redo, Cut, Copy, Paste, Delete, SelectAll,
    Bold, Underline, Italic, Bullets, Font, Color,
    AlignLeft, AlignCenter, AlignRight, Justify,
};

// Carries out a command on the selection; copied text goes to `copy` (the
// program's clipboard routine), and pasting takes plain text only.
void ApplyRichEditCommand(HWND control, RichEditCommand command, const std::function<void(const std::string&)>& copy);

}  // namespace ui
