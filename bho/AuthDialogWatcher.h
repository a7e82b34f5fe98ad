// Watches, for a second after the browser begins a download, for the
// browser's authentication dialog, and reports one to the program with the
// WM_COPYDATA record of kind 0. Any other browser event in that second ends
// the watch unreported: the named event "KelvandorBHO", shared by every
// helper in every browser, stops it.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <atomic>
#include <memory>
#include <string>

#include "platform/Win32Handles.h"

namespace kv::bho {

class AuthDialogWatcher {
public:
    AuthDialogWatcher();
    ~AuthDialogWatcher();
    AuthDialogWatcher(const AuthDialogWatcher&) = delete;
    AuthDialogWatcher& operator=(const AuthDialogWatcher&) = delete;

    // A browser event arrived (its dispatch identifier): it stops the watch.
    void OnOtherEvent(DISPID event);
    // The browser began a download: a new watch for a dialog of `browser`,
    // reported with `address`. Nothing when a watch still runs after a second.
    void OnDownloadBegin(HWND browser, const std::string& address);

private:
    // Ends a running watch; false when it still runs after ten waits of 100 ms.
    bool Stop();

    std::shared_ptr<std::atomic<DISPID>> lastEvent_ = std::make_shared<std::atomic<DISPID>>(0);
    KernelHandle event_;
    KernelHandle thread_;
};

}  // namespace kv::bho
