// Overwrites secrets in memory so that they do not outlive their use.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kv {

// Zeroes the bytes in a way the compiler may not remove.
void SecureWipe(void* data, std::size_t size);

// Zeroes the whole capacity of a string, then empties it.
void SecureWipe(std::string& text);

void SecureWipe(std::vector<unsigned char>& bytes);

// A string that wipes itself when it goes away.
class SecretString {
public:
    SecretString() = default;
    explicit SecretString(std::string text) : text_(std::move(text)) {}
    SecretString(const SecretString&) = delete;
    SecretString& operator=(const SecretString&) = delete;
    ~SecretString() { SecureWipe(text_); }

    std::string& get() { return text_; }
    const std::string& get() const { return text_; }

private:
    std::string text_;
};

}  // namespace kv
