// Rich edit controls (Riched20.dll): loading the library, and rich text in
// and out.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

// Loads Riched20.dll once for the process, so that its window classes exist.
bool LoadRichEdit();

// Replaces the control's content by an RTF document.
void SetRichText(HWND control, const std::string& rtf);

// The control's content as an RTF document.
std::string GetRichText(HWND control);

}  // namespace ui
