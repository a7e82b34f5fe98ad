#include "uikit/RichEdit.h"

#include <commdlg.h>
#include <richedit.h>

#include <vector>

namespace ui {
namespace {

struct Reader {
    const std::string* text;
    std::size_t pos;
};

DWORD CALLBACK ReadChunk(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto& reader = *reinterpret_cast<Reader*>(cookie);
    const std::size_t left = reader.text->size() - reader.pos;
    const std::size_t count = left < static_cast<std::size_t>(size) ? left : static_cast<std::size_t>(size);
    reader.text->copy(reinterpret_cast<char*>(buffer), count, reader.pos);
    reader.pos += count;
    *done = static_cast<LONG>(count);
    return 0;
}

DWORD CALLBACK WriteChunk(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(size));
    *done = size;
    return 0;
}

}  // namespace

bool LoadRichEdit() {
    static HMODULE library = LoadLibraryA("Riched20.dll");
    return library != nullptr;
}

void SetRichText(HWND control, const std::string& rtf) {
    Reader reader{&rtf, 0};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&reader);
    stream.pfnCallback = ReadChunk;
    SendMessageA(control, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
}

}  // namespace ui

namespace ui {

std::string GetRichText(HWND control) {
    std::string rtf;
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&rtf);
    stream.pfnCallback = WriteChunk;
    SendMessageA(control, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    return rtf;
}

}  // namespace ui

namespace ui {
namespace {

std::string SelectedText(HWND control) {
    CHARRANGE range{};
    SendMessageA(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    std::vector<char> text(static_cast<std::size_t>(range.cpMax - range.cpMin) * 2 + 1, '\0');
    SendMessageA(control, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

// Turns a character effect on or off for the selection, after its state at the selection's start.
void ToggleEffect(HWND control, DWORD mask, DWORD effect) {
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    SendMessageA(control, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    format.dwMask = mask;
    format.dwEffects ^= effect;
    SendMessageA(control, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

void SetParagraph(HWND control, DWORD mask, WORD alignment, WORD numbering) {
    PARAFORMAT2 format{};
    format.cbSize = sizeof format;
    SendMessageA(control, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    format.dwMask = mask;
    if (mask & PFM_ALIGNMENT) format.wAlignment = alignment;
    if (mask & PFM_NUMBERING) format.wNumbering = format.wNumbering == numbering ? 0 : numbering;
    SendMessageA(control, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
}

void ChooseFontFor(HWND control) {
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    SendMessageA(control, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    LOGFONTA font{};
    lstrcpynA(font.lfFaceName, format.szFaceName, LF_FACESIZE);
    font.lfWeight = (format.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (format.dwEffects & CFE_ITALIC) ? TRUE : FALSE;
    CHOOSEFONTA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = control;
    choose.lpLogFont = &font;
    choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontA(&choose)) return;
    format.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC;
    lstrcpynA(format.szFaceName, font.lfFaceName, LF_FACESIZE);
    format.yHeight = choose.iPointSize * 2;  // tenths of points to twips
    format.dwEffects = (font.lfWeight >= FW_BOLD ? CFE_BOLD : 0) | (font.lfItalic ? CFE_ITALIC : 0);
    SendMessageA(control, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

void ChooseColorFor(HWND control) {
    static COLORREF custom[16] = {};
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = control;
    choose.lpCustColors = custom;
    if (!ChooseColorA(&choose)) return;
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.crTextColor = choose.rgbResult;
    SendMessageA(control, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

}  // namespace

void ApplyRichEditCommand(HWND control, RichEditCommand command, const std::function<void(const std::string&)>& copy) {
    switch (command) {
        case RichEditCommand::Undo: SendMessageA(control, EM_UNDO, 0, 0); break;
        case RichEditCommand::Redo: SendMessageA(control, EM_REDO, 0, 0); break;
        case RichEditCommand::Cut:
            copy(SelectedText(control));
            SendMessageA(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
            break;
        case RichEditCommand::Copy: copy(SelectedText(control)); break;
        case RichEditCommand::Paste: SendMessageA(control, EM_PASTESPECIAL, CF_TEXT, 0); break;
        case RichEditCommand::Delete: SendMessageA(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("")); break;
        case RichEditCommand::SelectAll: SendMessageA(control, EM_SETSEL, 0, -1); break;
        case RichEditCommand::Bold: ToggleEffect(control, CFM_BOLD, CFE_BOLD); break;
        case RichEditCommand::Underline: ToggleEffect(control, CFM_UNDERLINE, CFE_UNDERLINE); break;
        case RichEditCommand::Italic: ToggleEffect(control, CFM_ITALIC, CFE_ITALIC); break;
        case RichEditCommand::Bullets: SetParagraph(control, PFM_NUMBERING, 0, PFN_BULLET); break;
        case RichEditCommand::Font: ChooseFontFor(control); break;
        case RichEditCommand::Color: ChooseColorFor(control); break;
        case RichEditCommand::AlignLeft: SetParagraph(control, PFM_ALIGNMENT, PFA_LEFT, 0); break;
        case RichEditCommand::AlignCenter: SetParagraph(control, PFM_ALIGNMENT, PFA_CENTER, 0); break;
        case RichEditCommand::AlignRight: SetParagraph(control, PFM_ALIGNMENT, PFA_RIGHT, 0); break;
        case RichEditCommand::Justify: SetParagraph(control, PFM_ALIGNMENT, PFA_JUSTIFY, 0); break;
    }
}

}  // namespace ui
