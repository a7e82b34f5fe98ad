#include "uikit/RichEdit.h"

#include <richedit.h>

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
