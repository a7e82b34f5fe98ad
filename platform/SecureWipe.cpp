#include "platform/SecureWipe.h"

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

}  // namespace kv
