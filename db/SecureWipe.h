// Overwrites secrets in memory so that they do not outlive their use.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// Zeroes the bytes in a way the compiler may not remove.
void SecureWipe(void* data, std::size_t size);

// Zeroes the whole capacity of a string, then empties it.
void SecureWipe(std::string& text);

void SecureWipe(std::vector<unsigned char>& bytes);

// A string that wipes itself when it goes away. Text added with Append never
// leaves a copy in memory given back to the heap: a buffer too small for it
// is wiped before it is let go.
class SecretString {
public:
    SecretString() = default;
    explicit SecretString(std::string text) : text_(std::move(text)) {}
    SecretString(SecretString&& other) noexcept : text_(std::move(other.text_)) {}
    SecretString(const SecretString&) = delete;
    SecretString& operator=(const SecretString&) = delete;
    SecretString& operator=(SecretString&& other) noexcept {
        SecureWipe(text_);
        text_ = std::move(other.text_);
        return *this;
    }
    ~SecretString() { SecureWipe(text_); }

    // An empty text with room for `capacity` characters, for a text whose
    // greatest length is known before it is filled.
    static SecretString WithCapacity(std::size_t capacity);

    SecretString& Append(std::string_view piece);
    SecretString& Append(char c) { return Append(std::string_view(&c, 1)); }
    // Cuts the text to at most `size` characters, wiping what is cut off.
    void Truncate(std::size_t size);

    std::string& get() { return text_; }
    const std::string& get() const { return text_; }

private:
    std::string text_;
};

}  // namespace kv
