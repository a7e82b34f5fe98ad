// Owners of Win32 handles: each owner closes its handle exactly once, when it
// is reset or goes out of scope, and can be moved but not copied.
#pragma once

#include <windows.h>

#include <utility>

namespace kv {

template <class Traits>
class Owned {
public:
    using Handle = typename Traits::Handle;

    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() { Reset(); }
    Owned(Owned&& other) noexcept : handle_(other.Release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Invalid(); }
    // Gives the handle up without closing it.
    Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
    void Reset(Handle handle = Traits::Invalid()) {
        if (handle_ != Traits::Invalid()) Traits::Close(handle_);
        handle_ = handle;
    }
    // For functions that return a handle through a pointer: closes the one held first.
    Handle* Receive() {
        Reset();
        return &handle_;
    }

private:
    Handle handle_ = Traits::Invalid();
};

// Traits of a handle type whose empty value is null.
template <class H, auto close>
struct NullTraits {
    using Handle = H;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { close(handle); }
};

// The closing functions, as our own functions: the system's are imported
// from DLLs, and their addresses are no constants for a template.
namespace closers {
inline void Kernel(HANDLE handle) { CloseHandle(handle); }
inline void Registry(HKEY key) { RegCloseKey(key); }
inline void Library(HMODULE module) { FreeLibrary(module); }
inline void View(void* view) { UnmapViewOfFile(view); }
inline void Gdi(HGDIOBJ object) { DeleteObject(object); }
inline void Dc(HDC dc) { DeleteDC(dc); }
inline void Menu(HMENU menu) { DestroyMenu(menu); }
inline void Icon(HICON icon) { DestroyIcon(icon); }
}  // namespace closers

struct FileTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { closers::Kernel(handle); }
};

// A mutex, event, mapping or other kernel object.
using KernelHandle = Owned<NullTraits<HANDLE, closers::Kernel>>;
// A file from CreateFile, which fails with INVALID_HANDLE_VALUE rather than null.
using FileHandle = Owned<FileTraits>;
using RegistryKey = Owned<NullTraits<HKEY, closers::Registry>>;
using LoadedLibrary = Owned<NullTraits<HMODULE, closers::Library>>;
using MappedView = Owned<NullTraits<void*, closers::View>>;
template <class T>
using GdiObject = Owned<NullTraits<T, closers::Gdi>>;
// A device context from CreateCompatibleDC.
using MemoryDc = Owned<NullTraits<HDC, closers::Dc>>;
using MenuHandle = Owned<NullTraits<HMENU, closers::Menu>>;
using IconHandle = Owned<NullTraits<HICON, closers::Icon>>;

// An object selected into a device context until the end of the scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The device context of a window (or of the screen, for null), released at the end of the scope.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

}  // namespace kv
