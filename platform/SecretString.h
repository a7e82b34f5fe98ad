// A text that holds a secret. Every buffer it lets go of, when it grows and
// when it ends, is wiped first, and so is the string's own inline buffer, so
// no copy of the secret is left in memory given back.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/SecureWipe.h"

namespace kv {

template <class T>
struct WipingAllocator {
    using value_type = T;

    WipingAllocator() = default;
    template <class U>
    WipingAllocator(const WipingAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) { return std::allocator<T>().allocate(count); }
    void deallocate(T* block, std::size_t count) noexcept {
        SecureWipe(block, count * sizeof(T));
        std::allocator<T>().deallocate(block, count);
    }

    template <class U>
    bool operator==(const WipingAllocator<U>&) const noexcept { return true; }
    template <class U>
    bool operator!=(const WipingAllocator<U>&) const noexcept { return false; }
};

using WipedString = std::basic_string<char, std::char_traits<char>, WipingAllocator<char>>;

class SecretString {
public:
    SecretString() = default;
    explicit SecretString(std::string_view text) : text_(text) {}
    explicit SecretString(const char* text) : text_(text) {}
    // Takes the text over and wipes the plain string it came in.
    explicit SecretString(std::string&& text) : text_(text) { SecureWipe(text); }
    SecretString(SecretString&& other) noexcept : text_(std::move(other.text_)) { other.WipeAll(); }
    SecretString& operator=(SecretString&& other) noexcept {
        if (this != &other) {
            WipeAll();
            text_ = std::move(other.text_);
            other.WipeAll();
        }
        return *this;
    }
    // A copy is a secret text of its own, wiped in its turn.
    SecretString(const SecretString& other) : text_(other.text_) {}
    SecretString& operator=(const SecretString& other) {
        if (this != &other) Assign(other.view());
        return *this;
    }
    // Replaces the text, wiping the old one first.
    SecretString& operator=(std::string_view text) {
        Assign(text);
        return *this;
    }
    SecretString& operator=(const char* text) { return *this = std::string_view(text); }
    // Takes a plain string over, wiping it: a temporary holds no copy.
    SecretString& operator=(std::string&& text) { return *this = SecretString(std::move(text)); }
    ~SecretString() { WipeAll(); }

    // An empty text with room for `capacity` characters, for a text whose
    // greatest length is known before it is filled.
    static SecretString WithCapacity(std::size_t capacity) {
        SecretString text;
        text.text_.reserve(capacity);
        return text;
    }

    SecretString& Append(std::string_view piece) {
        text_.append(piece);
        return *this;
    }
    SecretString& Append(char c) {
        text_.push_back(c);
        return *this;
    }
    void Assign(std::string_view text) {
        // A piece of this text itself is copied out before the buffer is wiped.
        if (Holds(text)) {
            SecretString piece(text);
            *this = std::move(piece);
            return;
        }
        WipeAll();
        text_.clear();
        text_.append(text.data(), text.size());
    }
    void Clear() { Assign({}); }
    // Cuts the text to at most `size` characters, wiping what is cut off.
    void Truncate(std::size_t size) {
        if (size >= text_.size()) return;
        SecureWipe(text_.data() + size, text_.size() - size);
        text_.resize(size);
    }

    // The text to change in place: every buffer it lets go is wiped, and the
    // one it keeps is wiped with this object.
    WipedString& buffer() { return text_; }

    std::string_view view() const { return text_; }
    operator std::string_view() const { return text_; }
    friend bool operator==(const SecretString& a, std::string_view b) { return a.view() == b; }
    friend bool operator!=(const SecretString& a, std::string_view b) { return a.view() != b; }
    const char* c_str() const { return text_.c_str(); }
    std::size_t size() const { return text_.size(); }
    bool empty() const { return text_.empty(); }

private:
    bool Holds(std::string_view text) const noexcept {
        const std::less_equal<const char*> before;
        return !text.empty() && before(text_.data(), text.data()) &&
               before(text.data(), text_.data() + text_.capacity());
    }
    // The whole buffer, inline or not, up to and including its terminator.
    void WipeAll() noexcept { SecureWipe(text_.data(), text_.capacity() + 1); }

    WipedString text_;
};

}  // namespace kv
