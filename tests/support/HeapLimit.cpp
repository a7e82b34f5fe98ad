#include "tests/support/HeapLimit.h"

#include <atomic>

namespace kv::test {
namespace {

std::atomic<HeapLimit*> limiting{nullptr};

}  // namespace

HeapLimit::HeapLimit(std::size_t bytes) : left_(static_cast<long long>(bytes)) { limiting = this; }

HeapLimit::~HeapLimit() { limiting = nullptr; }

bool HeapLimit::Take(std::size_t size) {
    HeapLimit* limit = limiting;
    if (limit == nullptr) return true;
    if (static_cast<long long>(size) > limit->left_) {
        ++limit->refused_;
        return false;
    }
    limit->left_ -= static_cast<long long>(size);
    return true;
}

void HeapLimit::Give(std::size_t size) {
    if (HeapLimit* limit = limiting) limit->left_ += static_cast<long long>(size);
}

}  // namespace kv::test
