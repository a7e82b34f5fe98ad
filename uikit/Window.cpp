#include "uikit/Window.h"

#include <vector>

#include "uikit/Module.h"

namespace ui {
namespace {

// The object of a window is kept in a window property, which works alike for
// windows and dialogs and leaves the user data slots to the application.
const char kObjectProperty[] = "ui.Window";

}  // namespace

Window::~Window() {
    if (hwnd_ != nullptr) {
        HWND hwnd = hwnd_;
        Unbind();
        DestroyWindow(hwnd);
    }
}

bool Window::RegisterClass(const char* className, HICON icon) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = Instance();
    wc.hIcon = icon;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className;
    return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool Window::Create(const char* className, const char* title, DWORD style, DWORD exStyle,
                    const RECT& rect, HWND parent, HMENU menu) {
    HWND hwnd = CreateWindowExA(exStyle, className, title, style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent, menu,
                                Instance(), this);
    return hwnd != nullptr;
}

void Window::Destroy() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

std::string Window::Text() const {
    const int length = GetWindowTextLengthA(hwnd_);
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(hwnd_, buffer.data(), length + 1);
    return buffer.data();
}

Window* Window::FromHandle(HWND hwnd) {
    return static_cast<Window*>(GetPropA(hwnd, kObjectProperty));
}

bool Window::HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool Window::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (HandleMessage(message, wParam, lParam, result)) return true;
    return message == WM_COMMAND && panel_ != nullptr && panel_->hwnd_ != nullptr &&
           panel_->Route(message, wParam, lParam, result);
}

void Window::Bind(HWND hwnd) {
    hwnd_ = hwnd;
    SetPropA(hwnd, kObjectProperty, this);
}

void Window::Unbind() {
    if (hwnd_ != nullptr) RemovePropA(hwnd_, kObjectProperty);
    hwnd_ = nullptr;
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = FromHandle(hwnd);
    if (window == nullptr && message == WM_NCCREATE) {
        window = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (window != nullptr) window->Bind(hwnd);
    }
    if (window == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    const bool handled = window->Route(message, wParam, lParam, result);
    if (!handled) result = DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        window->Unbind();
        window->OnDestroyed();
    }
    return result;
}

}  // namespace ui
