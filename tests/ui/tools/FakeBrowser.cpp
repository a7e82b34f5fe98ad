// Built as "iexplore.exe": plays the browser helper from a process of its
// own, as Internet Explorer would run it, and writes what the program
// answered to a file.
//   iexplore OUT list SIZE ADDRESS   sends the context menu's WM_COPYDATA request
//                                    of SIZE bytes for ADDRESS from a window of its
//                                    own, then reads the shared block: "answer N"
//                                    and one "folder record description" line each
//   iexplore OUT query               sends the state query: "answer N"
//   iexplore OUT auth ADDRESS MS     shows an authentication dialog of its own
//                                    for MS milliseconds and reports it with the
//                                    WM_COPYDATA record of kind 0: "answer N"
// The exit status is 0 when the program's window was found, 2 otherwise.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "protocol/CopyDataRecord.h"
#include "protocol/MessageNames.h"
#include "protocol/SharedBlock.h"

namespace {

using namespace kv::protocol;

void ListBlock(std::FILE* out) {
    HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, kSharedBlockName);
    if (mapping == nullptr) return;
    if (const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, kSharedBlockSize)) {
        unsigned char block[kSharedBlockSize];
        std::memcpy(block, view, kSharedBlockSize);
        for (const SiteEntry& entry : ReadSiteEntries(block)) {
            std::fprintf(out, "%d %d %s\n", entry.folder, entry.record, entry.description.c_str());
        }
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
}

LRESULT SendList(HWND program, HWND pane, DWORD size, const std::string& address) {
    CopyDataRecord record;
    record.kind = CopyDataKind::ContextMenu;
    record.address = address;
    record.browserWindow = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(pane));
    unsigned char bytes[kCopyDataSize + 16] = {};
    EncodeCopyData(record, *reinterpret_cast<unsigned char(*)[kCopyDataSize]>(bytes));
    COPYDATASTRUCT data{0, size, bytes};
    return SendMessageA(program, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

// A browser's authentication dialog: a "#32770" window with a user name and
// a password field.
HWND ShowAuthDialog(const std::string& address) {
    HWND dialog = CreateWindowExA(0, "#32770", ("Connect to " + address).c_str(), WS_OVERLAPPED | WS_CAPTION, 300,
                                  220, 360, 150, nullptr, nullptr, nullptr, nullptr);
    const char* labels[] = {"User name:", "Password:"};
    for (int i = 0; i < 2; ++i) {
        CreateWindowExA(0, "STATIC", labels[i], WS_CHILD | WS_VISIBLE, 12, 22 + 34 * i, 90, 20, dialog, nullptr,
                        nullptr, nullptr);
        CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == 1 ? ES_PASSWORD : 0),
                        106, 18 + 34 * i, 220, 24, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(101 + i)),
                        nullptr, nullptr);
    }
    ShowWindow(dialog, SW_SHOWNORMAL);
    return dialog;
}

LRESULT ReportAuthDialog(HWND program, HWND dialog, const std::string& address) {
    CopyDataRecord record;
    record.kind = CopyDataKind::AuthenticationDialog;
    record.address = address;
    record.dialogWindow = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(dialog));
    unsigned char bytes[kCopyDataSize] = {};
    EncodeCopyData(record, bytes);
    COPYDATASTRUCT data{0, kCopyDataSize, bytes};
    return SendMessageA(program, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

void PumpFor(DWORD milliseconds) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < milliseconds;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 1;
    HWND program = FindWindowA(kMainWindowClass, nullptr);
    if (program == nullptr) return 2;
    std::FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr) return 1;
    const std::string command = argv[2];
    if (command == "list" && argc == 5) {
        HWND pane = CreateWindowExA(0, "STATIC", "Page", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
        std::fprintf(out, "answer %lld\n",
                     static_cast<long long>(SendList(program, pane, static_cast<DWORD>(std::atoi(argv[3])), argv[4])));
        ListBlock(out);
        DestroyWindow(pane);
    } else if (command == "auth" && argc == 5) {
        HWND dialog = ShowAuthDialog(argv[3]);
        std::fprintf(out, "answer %lld\n", static_cast<long long>(ReportAuthDialog(program, dialog, argv[3])));
        std::fflush(out);
        PumpFor(static_cast<DWORD>(std::atoi(argv[4])));
        DestroyWindow(dialog);
    } else if (command == "query") {
        const UINT message = RegisterWindowMessageA(kBhoCommandMessage);
        std::fprintf(out, "answer %lld\n", static_cast<long long>(SendMessageA(program, message, kStateQuery, 0)));
    }
    std::fclose(out);
    return 0;
}
