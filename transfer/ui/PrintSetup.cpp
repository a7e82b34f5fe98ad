#include "transfer/ui/PrintSetup.h"

#include <commdlg.h>
#include <cderr.h>
#include <winspool.h>

namespace kv {
namespace {

constexpr char kNoPrinter[] = "No printer is installed.";

std::string DialogFailure(DWORD error) {
    if (error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES) return kNoPrinter;
    return "The print dialog could not be shown (error " + std::to_string(error) + ").";
}

}  // namespace

bool AnyPrinterInstalled() {
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
    return needed > 0;
}

CPrintSetup::~CPrintSetup() {
    if (devMode_ != nullptr) GlobalFree(devMode_);
    if (devNames_ != nullptr) GlobalFree(devNames_);
}

HDC CPrintSetup::Choose(HWND owner, std::string& failure) {
    failure.clear();
    // Some print dialogs give up without a printer and say nothing of it.
    if (!AnyPrinterInstalled()) {
        failure = kNoPrinter;
        return nullptr;
    }
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.hDevMode = devMode_;
    dialog.hDevNames = devNames_;
    dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_NOWARNING;
    const BOOL chosen = PrintDlgA(&dialog);
    // The dialog may have replaced the handles, whatever its answer.
    devMode_ = dialog.hDevMode;
    devNames_ = dialog.hDevNames;
    if (!chosen) {
        const DWORD error = CommDlgExtendedError();
        if (error != 0) failure = DialogFailure(error);
        return nullptr;
    }
    if (dialog.hDC == nullptr) failure = "The printer could not be opened.";
    return dialog.hDC;
}

std::optional<ReportPaper> CPrintSetup::Paper() {
    if (devNames_ == nullptr) {
        PRINTDLGA dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.Flags = PD_RETURNDEFAULT | PD_NOWARNING;
        if (!PrintDlgA(&dialog)) return std::nullopt;
        devMode_ = dialog.hDevMode;
        devNames_ = dialog.hDevNames;
    }
    const auto* names = static_cast<const DEVNAMES*>(GlobalLock(devNames_));
    if (names == nullptr) return std::nullopt;
    const auto* base = reinterpret_cast<const char*>(names);
    const auto* mode = devMode_ != nullptr ? static_cast<const DEVMODEA*>(GlobalLock(devMode_)) : nullptr;
    const HDC info = CreateICA(base + names->wDriverOffset, base + names->wDeviceOffset, base + names->wOutputOffset, mode);
    if (mode != nullptr) GlobalUnlock(devMode_);
    GlobalUnlock(devNames_);
    if (info == nullptr) return std::nullopt;
    const ReportPaper paper = PaperOfDevice(info);
    DeleteDC(info);
    return paper;
}

}  // namespace kv
