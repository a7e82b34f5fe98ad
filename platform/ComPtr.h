// Owners of COM objects and OLE automation values: a reference-counted
// interface pointer, a BSTR and a VARIANT, each released exactly once. The
// texts they hold may be secrets (a form's password), so a BSTR is wiped
// before it is freed.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <unknwn.h>

#include <string>
#include <utility>

#include "platform/SecureWipe.h"

namespace kv {

// One counted reference to an interface.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes a reference of its own to `object`.
    explicit ComPtr(T* object) : object_(object) {
        if (object_ != nullptr) object_->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.object_) {}
    ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~ComPtr() { Reset(); }

    // Takes over a reference that the caller already owns.
    static ComPtr Adopt(T* object) {
        ComPtr held;
        held.object_ = object;
        return held;
    }

    T* get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }
    void Reset() {
        if (object_ != nullptr) std::exchange(object_, nullptr)->Release();
    }
    // For functions that hand out a reference through a pointer: lets go of the one held first.
    T** Receive() {
        Reset();
        return &object_;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

    // The same object as another interface; empty when it has none.
    template <class U>
    ComPtr<U> As() const {
        ComPtr<U> other;
        if (object_ != nullptr) object_->QueryInterface(__uuidof(U), other.ReceiveVoid());
        return other;
    }

private:
    T* object_ = nullptr;
};

// A BSTR, wiped and freed when let go.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const wchar_t* text) : text_(SysAllocString(text)) {}
    Bstr(const wchar_t* text, UINT length) : text_(SysAllocStringLen(text, length)) {}
    Bstr(Bstr&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept {
        if (this != &other) {
            Reset();
            text_ = std::exchange(other.text_, nullptr);
        }
        return *this;
    }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { Reset(); }

    BSTR get() const { return text_; }
    UINT size() const { return SysStringLen(text_); }
    void Reset() {
        if (text_ == nullptr) return;
        SecureWipe(text_, SysStringByteLen(text_));
        SysFreeString(std::exchange(text_, nullptr));
    }
    BSTR* Receive() {
        Reset();
        return &text_;
    }
    // Gives the text up without freeing it.
    BSTR Release() { return std::exchange(text_, nullptr); }

private:
    BSTR text_ = nullptr;
};

// A VARIANT, cleared when let go (a text it holds is wiped first).
class Variant {
public:
    Variant() { VariantInit(&value_); }
    explicit Variant(long number) : Variant() {
        value_.vt = VT_I4;
        value_.lVal = number;
    }
    // Takes the text over.
    explicit Variant(Bstr&& text) : Variant() {
        value_.vt = VT_BSTR;
        value_.bstrVal = text.Release();
    }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { Reset(); }

    VARIANT& get() { return value_; }
    const VARIANT& get() const { return value_; }
    void Reset() {
        if (value_.vt == VT_BSTR && value_.bstrVal != nullptr) {
            SecureWipe(value_.bstrVal, SysStringByteLen(value_.bstrVal));
        }
        VariantClear(&value_);
    }
    VARIANT* Receive() {
        Reset();
        return &value_;
    }

private:
    VARIANT value_;
};

}  // namespace kv
