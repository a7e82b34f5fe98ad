#include "db/SecureWipe.h"

#include <algorithm>

namespace kv {

void SecureWipe(void* data, std::size_t size) {
    volatile unsigned char* bytes = static_cast<volatile unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = 0;
}

void SecureWipe(std::string& text) {
    text.resize(text.capacity());
    SecureWipe(text.data(), text.size());
    text.clear();
}

void SecureWipe(std::vector<unsigned char>& bytes) {
    SecureWipe(bytes.data(), bytes.size());
    bytes.clear();
}

SecretString SecretString::WithCapacity(std::size_t capacity) {
    SecretString text;
    text.text_.reserve(capacity);
    return text;
}

SecretString& SecretString::Append(std::string_view piece) {
    const std::size_t needed = text_.size() + piece.size();
    if (needed > text_.capacity()) {
        // Grow by hand: the string would let its old buffer go unwiped.
        std::string larger;
        larger.reserve(std::max(needed, 2 * text_.capacity()));
        larger.assign(text_);
        SecureWipe(text_);
        text_.swap(larger);
    }
    text_.append(piece);
    return *this;
}

void SecretString::Truncate(std::size_t size) {
    if (size >= text_.size()) return;
    SecureWipe(text_.data() + size, text_.size() - size);
    text_.resize(size);
}

}  // namespace kv
