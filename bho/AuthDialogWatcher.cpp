#include "bho/AuthDialogWatcher.h"

#include <cstdint>

#include "bho/Module.h"
#include "protocol/CopyDataRecord.h"
#include "protocol/MessageNames.h"

namespace kv::bho {
namespace {

constexpr char kWatchEvent[] = "KelvandorBHO";
constexpr DISPID kDownloadBegin = 106;
constexpr DWORD kWatchMs = 1000;
constexpr DWORD kStopWaitMs = 100;
constexpr int kStopWaits = 10;

// What a watch needs, owned by its thread.
struct Watch {
    std::shared_ptr<std::atomic<DISPID>> lastEvent;
    KernelHandle event;
    HWND browser;
    std::string address;
};

bool HasAncestor(HWND window, HWND ancestor) {
    for (HWND parent = GetParent(window); parent != nullptr; parent = GetParent(parent)) {
        if (parent == ancestor) return true;
    }
    return false;
}

struct DialogSearch {
    HWND browser;
    HWND found;
};

BOOL CALLBACK TakeBrowsersDialog(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<DialogSearch*>(data);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") != 0 || !HasAncestor(window, search.browser)) return TRUE;
    search.found = window;
    return FALSE;
}

BOOL CALLBACK FindPasswordEdit(HWND child, LPARAM found) {
    if ((GetWindowLongPtrA(child, GWL_STYLE) & ES_PASSWORD) == 0) return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

void Report(const Watch& watch) {
    HWND main = FindWindowA(protocol::kMainWindowClass, nullptr);
    if (main == nullptr || watch.address.empty()) return;
    DialogSearch search{watch.browser, nullptr};
    EnumWindows(TakeBrowsersDialog, reinterpret_cast<LPARAM>(&search));
    bool password = false;
    if (search.found != nullptr) EnumChildWindows(search.found, FindPasswordEdit, reinterpret_cast<LPARAM>(&password));
    if (!password) return;
    protocol::CopyDataRecord record;
    record.kind = protocol::CopyDataKind::AuthenticationDialog;
    record.address = watch.address;
    record.browserWindow = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(watch.browser));
    record.dialogWindow = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(search.found));
    unsigned char bytes[protocol::kCopyDataSize] = {};
    protocol::EncodeCopyData(record, bytes);
    COPYDATASTRUCT data{0, protocol::kCopyDataSize, bytes};
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000, &answer);
}

DWORD WINAPI RunWatch(void* context) {
    const std::unique_ptr<Watch> watch(static_cast<Watch*>(context));
    ResetEvent(watch->event.get());
    // Another event of any browser within the second sets the event.
    if (WaitForSingleObject(watch->event.get(), kWatchMs) == WAIT_TIMEOUT && *watch->lastEvent == kDownloadBegin) {
        Report(*watch);
    }
    *watch->lastEvent = 0;
    ReleaseModuleReference();
    return 0;
}

}  // namespace

AuthDialogWatcher::AuthDialogWatcher() : event_(CreateEventA(nullptr, TRUE, TRUE, kWatchEvent)) {}

AuthDialogWatcher::~AuthDialogWatcher() {
    Stop();
    if (event_) SetEvent(event_.get());
}

bool AuthDialogWatcher::Stop() {
    if (!thread_) return true;
    if (event_) SetEvent(event_.get());
    for (int i = 0; i < kStopWaits; ++i) {
        if (WaitForSingleObject(thread_.get(), kStopWaitMs) != WAIT_TIMEOUT) {
            thread_.Reset();
            return true;
        }
    }
    return false;
}

void AuthDialogWatcher::OnOtherEvent(DISPID event) {
    *lastEvent_ = event;
    Stop();
}

void AuthDialogWatcher::OnDownloadBegin(HWND browser, const std::string& address) {
    if (!event_ || FindWindowA(protocol::kMainWindowClass, nullptr) == nullptr || !Stop()) return;
    *lastEvent_ = kDownloadBegin;
    ResetEvent(event_.get());
    HANDLE event = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), event_.get(), GetCurrentProcess(), &event, 0, FALSE,
                         DUPLICATE_SAME_ACCESS)) {
        return;
    }
    auto watch = std::make_unique<Watch>(Watch{lastEvent_, KernelHandle(event), browser, address});
    // The thread runs this module's code: the module stays loaded until it ends.
    AddModuleReference();
    thread_.Reset(CreateThread(nullptr, 0, RunWatch, watch.get(), 0, nullptr));
    if (thread_) {
        watch.release();
    } else {
        ReleaseModuleReference();
    }
}

}  // namespace kv::bho
