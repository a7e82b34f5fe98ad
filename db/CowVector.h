// A vector whose copies share one storage until one of them is changed, so that
// copying a whole folder array for undo costs a pointer per folder.
#pragma once

#include <memory>
#include <vector>

namespace kv {

// Value semantics with copy-on-write storage. Reads never copy; every change
// goes through write(), which first gives this container storage of its own.
// A reference obtained from write() may be used for changes only until the
// container is next copied: after a copy, call write() again.
// The share count is not synchronised beyond std::shared_ptr, so a container
// and its copies belong to one thread.
template <typename T>
class CowVector {
public:
    using value_type = T;
    using size_type = typename std::vector<T>::size_type;
    using const_iterator = typename std::vector<T>::const_iterator;

    const std::vector<T>& read() const { return items_ ? *items_ : Empty(); }

    size_type size() const { return read().size(); }
    bool empty() const { return read().empty(); }
    const T& operator[](size_type index) const { return read()[index]; }
    const_iterator begin() const { return read().begin(); }
    const_iterator end() const { return read().end(); }
    const T& front() const { return read().front(); }
    const T& back() const { return read().back(); }

    // The storage for changing, copied first when another container shares it.
    std::vector<T>& write() {
        if (!items_) {
            items_ = std::make_shared<std::vector<T>>();
        } else if (items_.use_count() > 1) {
            items_ = std::make_shared<std::vector<T>>(*items_);
        }
        return *items_;
    }

    friend bool operator==(const CowVector& a, const CowVector& b) {
        return a.items_ == b.items_ || a.read() == b.read();
    }
    friend bool operator!=(const CowVector& a, const CowVector& b) { return !(a == b); }

private:
    // What an empty container reads before it is first written (or after being moved from).
    static const std::vector<T>& Empty() {
        static const std::vector<T> empty;
        return empty;
    }

    std::shared_ptr<std::vector<T>> items_;
};

}  // namespace kv
