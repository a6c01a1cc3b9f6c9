// One move-only owner for every kind of system handle. A traits type names the
// handle type, its "no handle" value and how to give it back:
//
//   struct FindTraits {
//       using type = HANDLE;
//       static type invalid() { return INVALID_HANDLE_VALUE; }
//       static void close(type h) { FindClose(h); }
//   };
//   using UniqueFind = UniqueHandle<FindTraits>;
//
// A handle freed by one plain function, with a "no handle" value, needs no
// traits of its own: FreedBy<HFONT, deleteFont> serves as one.
#pragma once

#include <utility>

namespace tavlo::platform {

template <class Traits>
class UniqueHandle {
public:
    using type = typename Traits::type;

    UniqueHandle() = default;
    explicit UniqueHandle(type h) : h_(h) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    type get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::invalid(); }

    // Gives up ownership without closing.
    type release() { return std::exchange(h_, Traits::invalid()); }

    // Closes the handle held (if any) and takes h.
    void reset(type h = Traits::invalid()) {
        const type old = std::exchange(h_, h);
        if (old != Traits::invalid()) Traits::close(old);
    }

    // For calls that return a handle through an out-parameter.
    type* put() {
        reset();
        return &h_;
    }

private:
    type h_ = Traits::invalid();
};

template <class H, auto Free, H None = H{}>
struct FreedBy {
    using type = H;
    static type invalid() { return None; }
    static void close(type h) { Free(h); }
};


}  // namespace tavlo::platform
