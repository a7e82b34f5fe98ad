// A table from messages and commands to the member functions that handle
// them, and the window base that consults it. The typed entries unpack the
// message's parameters, so that no handler reads them by hand.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "uikit/MessageParams.h"

namespace ui {

template <class T>
class MessageMap {
public:
    using MessageHandler = LRESULT (T::*)(WPARAM, LPARAM);
    using CommandHandler = void (T::*)();
    using RangeHandler = void (T::*)(UINT id);
    using NotifyHandler = LRESULT (T::*)(NMHDR& header);

    // A window message with a fixed number.
    MessageMap& Message(UINT message, MessageHandler handler) {
        return Add(Kind::Message, message, [handler](T& t, WPARAM w, LPARAM l) { return (t.*handler)(w, l); });
    }
    // A window message whose parameters mean nothing to the handler; answers 0.
    MessageMap& Message(UINT message, CommandHandler handler) {
        return Add(Kind::Message, message, [handler](T& t, WPARAM, LPARAM) { return Done(t, handler); });
    }
    // A registered window message: its number is read when a message arrives.
    MessageMap& Registered(const UINT* message, MessageHandler handler) {
        entries_.push_back({Kind::Registered, 0, message, 0, 0,
                            [handler](T& t, WPARAM w, LPARAM l) { return (t.*handler)(w, l); }});
        return *this;
    }
    // A menu item, accelerator or button click.
    MessageMap& Command(UINT id, CommandHandler handler) {
        return AddRange(Kind::Command, 0, id, id, [handler](T& t, WPARAM, LPARAM) { return Done(t, handler); });
    }
    MessageMap& CommandRange(UINT first, UINT last, RangeHandler handler) {
        return AddRange(Kind::Command, 0, first, last, [handler](T& t, WPARAM w, LPARAM) {
            (t.*handler)(LOWORD(w));
            return LRESULT{0};
        });
    }
    // A notification of a control sent as WM_COMMAND (EN_CHANGE, CBN_SELCHANGE, ...).
    MessageMap& Control(UINT id, UINT code, CommandHandler handler) {
        return AddRange(Kind::Control, code, id, id, [handler](T& t, WPARAM, LPARAM) { return Done(t, handler); });
    }
    MessageMap& ControlRange(UINT first, UINT last, UINT code, RangeHandler handler) {
        return AddRange(Kind::Control, code, first, last, [handler](T& t, WPARAM w, LPARAM) {
            (t.*handler)(LOWORD(w));
            return LRESULT{0};
        });
    }
    // A WM_NOTIFY notification of a control.
    MessageMap& Notify(UINT id, UINT code, NotifyHandler handler) {
        return AddRange(Kind::Notify, code, id, id, [handler](T& t, WPARAM, LPARAM l) {
            return (t.*handler)(*reinterpret_cast<NMHDR*>(l));
        });
    }
    // Every WM_NOTIFY whose header can be trusted.
    MessageMap& AnyNotify(NotifyHandler handler) {
        return Add(Kind::AnyNotify, WM_NOTIFY, [handler](T& t, WPARAM, LPARAM l) {
            return (t.*handler)(*reinterpret_cast<NMHDR*>(l));
        });
    }

    // WM_SIZE with the new client size.
    MessageMap& Size(void (T::*handler)(int width, int height)) {
        return Add(Kind::Message, WM_SIZE, [handler](T& t, WPARAM, LPARAM l) {
            (t.*handler)(LOWORD(l), HIWORD(l));
            return LRESULT{0};
        });
    }
    // WM_DRAWITEM of the control `id` (0 for menus); the handler tells whether it drew.
    MessageMap& DrawItem(bool (T::*handler)(UINT id, const DRAWITEMSTRUCT& item)) {
        return AddPointer(WM_DRAWITEM, [handler](T& t, WPARAM w, LPARAM l) {
            return Truth((t.*handler)(static_cast<UINT>(w), *reinterpret_cast<const DRAWITEMSTRUCT*>(l)));
        });
    }
    MessageMap& MeasureItem(bool (T::*handler)(MEASUREITEMSTRUCT& item)) {
        return AddPointer(WM_MEASUREITEM, [handler](T& t, WPARAM, LPARAM l) {
            return Truth((t.*handler)(*reinterpret_cast<MEASUREITEMSTRUCT*>(l)));
        });
    }
    MessageMap& MinMaxInfo(void (T::*handler)(MINMAXINFO& info)) {
        return AddPointer(WM_GETMINMAXINFO, [handler](T& t, WPARAM, LPARAM l) {
            (t.*handler)(*reinterpret_cast<MINMAXINFO*>(l));
            return LRESULT{0};
        });
    }
    MessageMap& Timer(void (T::*handler)(UINT_PTR id)) {
        return Add(Kind::Message, WM_TIMER, [handler](T& t, WPARAM w, LPARAM) {
            (t.*handler)(static_cast<UINT_PTR>(w));
            return LRESULT{0};
        });
    }
    MessageMap& HotKey(void (T::*handler)(int id)) {
        return Add(Kind::Message, WM_HOTKEY, [handler](T& t, WPARAM w, LPARAM) {
            (t.*handler)(static_cast<int>(w));
            return LRESULT{0};
        });
    }
    // WM_CONTEXTMENU: the window clicked and the point on the screen.
    MessageMap& ContextMenu(void (T::*handler)(HWND window, POINT screen)) {
        return Add(Kind::Message, WM_CONTEXTMENU, [handler](T& t, WPARAM w, LPARAM l) {
            (t.*handler)(reinterpret_cast<HWND>(w), PointOf(l));
            return LRESULT{0};
        });
    }
    // A mouse message (WM_MOUSEMOVE, WM_LBUTTONUP, ...) at a point of the client area.
    MessageMap& Mouse(UINT message, void (T::*handler)(POINT client)) {
        return Add(Kind::Message, message, [handler](T& t, WPARAM, LPARAM l) {
            (t.*handler)(PointOf(l));
            return LRESULT{0};
        });
    }
    // WM_ACTIVATE: whether the window becomes active, and the window on the other side.
    MessageMap& Activate(void (T::*handler)(bool active, HWND other)) {
        return Add(Kind::Message, WM_ACTIVATE, [handler](T& t, WPARAM w, LPARAM l) {
            (t.*handler)(LOWORD(w) != WA_INACTIVE, reinterpret_cast<HWND>(l));
            return LRESULT{0};
        });
    }
    MessageMap& InitMenu(void (T::*handler)(HMENU menu)) {
        return Add(Kind::Message, WM_INITMENU, [handler](T& t, WPARAM w, LPARAM) {
            (t.*handler)(reinterpret_cast<HMENU>(w));
            return LRESULT{0};
        });
    }
    // WM_CTLCOLORSTATIC: the brush to paint the control with, or null for the default.
    MessageMap& ColorStatic(HBRUSH (T::*handler)(HDC dc, HWND control)) {
        return Add(Kind::Message, WM_CTLCOLORSTATIC, [handler](T& t, WPARAM w, LPARAM l) {
            return reinterpret_cast<LRESULT>((t.*handler)(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l)));
        });
    }
    // WM_ERASEBKGND and WM_PRINTCLIENT: paint into the device context given.
    MessageMap& PaintInto(UINT message, void (T::*handler)(HDC dc)) {
        return Add(Kind::Message, message, [handler, message](T& t, WPARAM w, LPARAM) {
            (t.*handler)(reinterpret_cast<HDC>(w));
            return LRESULT{message == WM_ERASEBKGND};
        });
    }

    // Calls the handler of the message, if the table has one.
    bool Dispatch(T& target, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) const {
        const NMHDR* header = nullptr;
        if (message == WM_NOTIFY && (header = TrustedNotifyHeader(lParam)) == nullptr) return false;
        for (const Entry& e : entries_) {
            if (!Matches(e, message, wParam, lParam, header)) continue;
            result = e.call(target, wParam, lParam);
            return true;
        }
        return false;
    }

private:
    enum class Kind { Message, Pointer, Registered, Command, Control, Notify, AnyNotify };
    using Call = std::function<LRESULT(T&, WPARAM, LPARAM)>;
    struct Entry {
        Kind kind;
        UINT message;  // the message, or the notification code
        const UINT* registered;
        UINT first;
        UINT last;
        Call call;
    };

    static LRESULT Done(T& target, CommandHandler handler) {
        (target.*handler)();
        return 0;
    }
    static LRESULT Truth(bool value) { return value ? TRUE : FALSE; }

    MessageMap& Add(Kind kind, UINT message, Call call) { return AddRange(kind, message, 0, 0, std::move(call)); }
    // A message whose lParam points at a structure: never called without one.
    MessageMap& AddPointer(UINT message, Call call) { return Add(Kind::Pointer, message, std::move(call)); }
    MessageMap& AddRange(Kind kind, UINT message, UINT first, UINT last, Call call) {
        entries_.push_back({kind, message, nullptr, first, last, std::move(call)});
        return *this;
    }

    static bool Matches(const Entry& e, UINT message, WPARAM wParam, LPARAM lParam, const NMHDR* header) {
        switch (e.kind) {
            case Kind::Message:
            case Kind::AnyNotify:
                return message == e.message;
            case Kind::Pointer:
                return message == e.message && lParam != 0;
            case Kind::Registered:
                return *e.registered != 0 && message == *e.registered;
            case Kind::Command:
            case Kind::Control: {
                if (message != WM_COMMAND) return false;
                const UINT id = LOWORD(wParam);
                const UINT code = HIWORD(wParam);
                if (id < e.first || id > e.last) return false;
                return e.kind == Kind::Control ? code == e.message : code <= 1;
            }
            case Kind::Notify:
                return header != nullptr && header->idFrom == e.first && header->code == e.message;
        }
        return false;
    }

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
