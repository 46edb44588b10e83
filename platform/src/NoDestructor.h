// An object in static storage that is built once and never destroyed, so
// that it stays usable at exit and while other statics are destroyed, and
// that costs no heap allocation: a library that is unloaded leaves nothing
// allocated behind it (a singleton made with `new` is lost on every unload).
//
// Thread-safety: as the wrapped object; construction is that of the static
// that holds it.
#pragma once

#include <new>
#include <utility>

namespace vtx::platform::detail {

template <typename T>
class NoDestructor {
public:
    template <typename... Args>
    explicit NoDestructor(Args&&... args) {
        new (storage_) T(std::forward<Args>(args)...);
    }
    NoDestructor(const NoDestructor&) = delete;
    NoDestructor& operator=(const NoDestructor&) = delete;
    ~NoDestructor() = default;  // T's destructor is deliberately not run

    T& operator*() { return *get(); }
    const T& operator*() const { return *get(); }
    T* operator->() { return get(); }

private:
    T* get() { return std::launder(reinterpret_cast<T*>(storage_)); }
    const T* get() const { return std::launder(reinterpret_cast<const T*>(storage_)); }

    alignas(T) unsigned char storage_[sizeof(T)];
};

}  // namespace vtx::platform::detail
