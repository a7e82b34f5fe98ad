// The program's main window as the helper finds it (class "Kelvandor"): it
// notes what the helper tells it and answers the helper's requests as the
// program does, from a shared block of its own.
#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/Win32Handles.h"
#include "protocol/CopyDataRecord.h"
#include "protocol/MessageNames.h"
#include "protocol/SharedBlock.h"

namespace kv::test {

class FakeProgram {
public:
    struct Posted {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    FakeProgram() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = protocol::kMainWindowClass;
        RegisterClassA(&wc);
        window_ = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
        mapping_.Reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, protocol::kSharedBlockSize,
                                          protocol::kSharedBlockName));
        view_.Reset(MapViewOfFile(mapping_.get(), FILE_MAP_ALL_ACCESS, 0, 0, protocol::kSharedBlockSize));
        block = static_cast<unsigned char*>(view_.get());
        forms.clear();
        reports.clear();
        posted.clear();
        siteRecords.clear();
        state = 0;
    }
    ~FakeProgram() {
        DestroyWindow(window_);
        block = nullptr;
        forms.clear();
        reports.clear();
        posted.clear();
    }
    FakeProgram(const FakeProgram&) = delete;
    FakeProgram& operator=(const FakeProgram&) = delete;

    // Handles what was sent and posted to this thread; the "KelvandorBHOForm" messages so far.
    static std::vector<std::pair<WPARAM, LPARAM>> Pumped() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        return forms;
    }
    // The same for a while.
    static void PumpFor(DWORD milliseconds) {
        for (const DWORD start = GetTickCount(); GetTickCount() - start < milliseconds;) {
            Pumped();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }

    static inline std::vector<std::pair<WPARAM, LPARAM>> forms;  // "KelvandorBHOForm"
    static inline std::vector<protocol::CopyDataRecord> reports;   // WM_COPYDATA
    static inline std::vector<Posted> posted;                      // commands and fills
    static inline std::vector<protocol::SiteEntry> siteRecords;    // listed for a context menu
    static inline LRESULT state = 0;                               // the answer to the state query

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        static const UINT form = RegisterWindowMessageA(protocol::kBhoFormMessage);
        static const UINT command = RegisterWindowMessageA(protocol::kBhoCommandMessage);
        static const UINT fill = RegisterWindowMessageA(protocol::kBhoFillMessage);
        if (message == form) forms.emplace_back(wParam, lParam);
        if (message == command && wParam == protocol::kStateQuery) return state;
        if (message == command || message == fill) posted.push_back({message, wParam, lParam});
        if (message == WM_COPYDATA) {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            const auto record = protocol::DecodeCopyData(data->lpData, data->cbData);
            if (!record) return FALSE;
            reports.push_back(*record);
            if (record->kind == protocol::CopyDataKind::ContextMenu && block != nullptr) {
                protocol::WriteSiteEntries(*reinterpret_cast<unsigned char(*)[protocol::kSharedBlockSize]>(block),
                                           siteRecords);
            }
            return TRUE;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    static inline unsigned char* block = nullptr;
    HWND window_ = nullptr;
    KernelHandle mapping_;
    MappedView view_;
};

}  // namespace kv::test
