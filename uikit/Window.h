// A window of our own over the raw Win32 API: one C++ object per window,
// messages routed to a virtual handler, commands it does not handle passed on
// to its child panel.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr; }

    // Registers a window class whose windows are routed to Window objects.
    static bool RegisterClass(const char* className, HICON icon = nullptr);

    // Creates the window; `className` must have been registered with RegisterClass.
    bool Create(const char* className, const char* title, DWORD style, DWORD exStyle,
                const RECT& rect, HWND parent, HMENU menu = nullptr);
    void Destroy();

    // Commands that this window does not handle go to `panel` (may be null).
    void SetCommandPanel(Window* panel) { panel_ = panel; }

    void Show(int command) const { ShowWindow(hwnd_, command); }
    bool IsVisible() const { return IsWindowVisible(hwnd_) != FALSE; }
    void SetText(const std::string& text) const { SetText(text.c_str()); }
    void SetText(const char* text) const { SetWindowTextA(hwnd_, text); }
    std::string Text() const;
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(hwnd_, message, wParam, lParam);
    }
    bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return PostMessageA(hwnd_, message, wParam, lParam) != FALSE;
    }

    // The Window object of a handle created through this framework, or null.
    static Window* FromHandle(HWND hwnd);

protected:
    // Handles a message; false lets the default processing run.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Called after the window is gone (WM_NCDESTROY); the handle is already cleared.
    virtual void OnDestroyed() {}

    // The message handling of this window and its panel, as the window
    // procedures call it.
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Bind(HWND hwnd);
    void Unbind();

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    Window* panel_ = nullptr;
};

}  // namespace ui
