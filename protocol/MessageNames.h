// What the program's instances and the browser helper agree on to find and
// address each other: the main window's class, the names of the registered
// window messages and the command identifiers of the web-form menus.
#pragma once

#include <cstdint>

namespace kv::protocol {

// The hidden main window that receives every request.
inline constexpr char kMainWindowClass[] = "Kelvandor";

// Between instances of the program, and within one.
inline constexpr char kShowDlgMessage[] = "PASSWORDShowDlgMsg";    // a second start asks to show the editor
inline constexpr char kShutdownMessage[] = "PASSWORDShutdownMsg";  // a second start with a file asks to quit
inline constexpr char kTaskbarMessage[] = "PASSWORDTaskbarMsg";    // the notification icon's callback
inline constexpr char kOnInitMessage[] = "PASSWORDOnInitMsg";      // the editor's first paint is done
inline constexpr char kIePopupMessage[] = "PASSWORDIePopupMsg";    // show the web-form menu for a browser
inline constexpr char kFillFormMessage[] = "KelvandorFillForm";    // fill a record by opening its site
inline constexpr char kOnSubmitMessage[] = "PASSWORDOnSubmit";     // a watched form or dialog was submitted

// From the browser helper.
inline constexpr char kBhoFormMessage[] = "KelvandorBHOForm";          // a page with a password form loaded
inline constexpr char kBhoFillMessage[] = "KelvandorBHOFill";          // fill the chosen record into the browser
inline constexpr char kBhoCommandMessage[] = "KelvandorBHOECommand";   // a menu command or the state query

// wParam of the program's own "KelvandorBHOForm": a fill it started has ended.
constexpr std::uint32_t kFillEnded = 32770;
// wParam of the state query sent with "KelvandorBHOECommand".
constexpr std::uint32_t kStateQuery = 114;

// The commands of the helper's context menu and the program's web-form menu.
constexpr std::uint32_t kCommandOpenProgram = 32787;
constexpr std::uint32_t kCommandLock = 32824;
constexpr std::uint32_t kCommandAddWebForm = 32842;
constexpr std::uint32_t kCommandAutoFillPopup = 32861;

// "KelvandorBHOFill"'s lParam: record index in the high 16 bits, folder index in the low.
constexpr std::uint32_t PackFillTarget(std::uint32_t folder, std::uint32_t record) {
    return (record << 16) | (folder & 0xFFFFu);
}
constexpr std::uint32_t FillFolder(std::uint32_t packed) { return packed & 0xFFFFu; }
constexpr std::uint32_t FillRecord(std::uint32_t packed) { return packed >> 16; }

// The state query's answer: the lock item's enable flags in the low 16 bits
// (0 enabled, 3 disabled and grey) and its check flags in the high (8 checked).
constexpr std::uint32_t LockItemState(bool canLock, bool locked) {
    return (canLock ? 0u : 3u) | ((locked ? 8u : 0u) << 16);
}

}  // namespace kv::protocol
