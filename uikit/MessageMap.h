// A table from messages and commands to the member functions that handle
// them, and the window base that consults it.
#pragma once

#include <windows.h>

#include <vector>

namespace ui {

template <class T>
class MessageMap {
public:
    using MessageHandler = LRESULT (T::*)(WPARAM, LPARAM);
    using CommandHandler = void (T::*)();
    using RangeHandler = void (T::*)(UINT id);
    using NotifyHandler = LRESULT (T::*)(NMHDR& header);
    using ControlHandler = void (T::*)();

    // A window message with a fixed number.
    MessageMap& Message(UINT message, MessageHandler handler) {
        entries_.push_back({Kind::Message, message, nullptr, 0, 0, handler, nullptr, nullptr, nullptr});
        return *this;
    }
    // A registered window message: its number is read when a message arrives.
    MessageMap& Registered(const UINT* message, MessageHandler handler) {
        entries_.push_back({Kind::Registered, 0, message, 0, 0, handler, nullptr, nullptr, nullptr});
        return *this;
    }
    // A menu item, accelerator or button click.
    MessageMap& Command(UINT id, CommandHandler handler) {
        entries_.push_back({Kind::Command, 0, nullptr, id, id, nullptr, handler, nullptr, nullptr});
        return *this;
    }
    MessageMap& CommandRange(UINT first, UINT last, RangeHandler handler) {
        entries_.push_back({Kind::CommandRange, 0, nullptr, first, last, nullptr, nullptr, handler, nullptr});
        return *this;
    }
    // A notification of a control sent as WM_COMMAND (EN_CHANGE, CBN_SELCHANGE, ...).
    MessageMap& Control(UINT id, UINT code, CommandHandler handler) {
        entries_.push_back({Kind::Control, code, nullptr, id, id, nullptr, handler, nullptr, nullptr});
        return *this;
    }
    // A WM_NOTIFY notification of a control.
    MessageMap& Notify(UINT id, UINT code, NotifyHandler handler) {
        entries_.push_back({Kind::Notify, code, nullptr, id, id, nullptr, nullptr, nullptr, handler});
        return *this;
    }

    // Calls the handler of the message, if the table has one.
    bool Dispatch(T& target, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) const {
        for (const Entry& e : entries_) {
            switch (e.kind) {
                case Kind::Message:
                    if (message != e.message) continue;
                    result = (target.*e.onMessage)(wParam, lParam);
                    return true;
                case Kind::Registered:
                    if (*e.registered == 0 || message != *e.registered) continue;
                    result = (target.*e.onMessage)(wParam, lParam);
                    return true;
                case Kind::Command:
                case Kind::CommandRange:
                case Kind::Control: {
                    if (message != WM_COMMAND) continue;
                    const UINT id = LOWORD(wParam);
                    const UINT code = HIWORD(wParam);
                    if (id < e.first || id > e.last) continue;
                    if (e.kind == Kind::Control ? code != e.message : code > 1) continue;
                    if (e.kind == Kind::CommandRange) {
                        (target.*e.onRange)(id);
                    } else {
                        (target.*e.onCommand)();
                    }
                    result = 0;
                    return true;
                }
                case Kind::Notify: {
                    if (message != WM_NOTIFY) continue;
                    NMHDR& header = *reinterpret_cast<NMHDR*>(lParam);
                    if (header.idFrom != e.first || header.code != e.message) continue;
                    result = (target.*e.onNotify)(header);
                    return true;
                }
            }
        }
        return false;
    }

private:
    enum class Kind { Message, Registered, Command, CommandRange, Control, Notify };
    struct Entry {
        Kind kind;
        UINT message;  // the message, or the notification code
        const UINT* registered;
        UINT first;
        UINT last;
        MessageHandler onMessage;
        CommandHandler onCommand;
        RangeHandler onRange;
        NotifyHandler onNotify;
    };
    std::vector<Entry> entries_;
};

// A window or dialog class `Derived` whose messages are looked up in the
// table that its public static member `Messages()` returns, before those of
// `Base`.
template <class Derived, class Base>
class Mapped : public Base {
public:
    using Base::Base;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        return Derived::Messages().Dispatch(static_cast<Derived&>(*this), message, wParam, lParam, result) ||
               Base::HandleMessage(message, wParam, lParam, result);
    }
};

}  // namespace ui
