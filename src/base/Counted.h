// Objects shared between a window and the threads that work for it, freed
// by whoever lets go last, so that a thread still inside a driver when the
// window goes keeps what it uses.
//
//   Counted<T>     the count, as a base of T (T's destructor may stay private
//                  when T befriends Counted<T>)
//   CountedRef<T>  one counted reference, released by its owner
#pragma once

#include "base/UniqueHandle.h"

namespace ostrivan {

template <typename T>
struct CountedTraits {
    using Type = T*;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type object) noexcept { object->Release(); }
};
template <typename T>
using CountedRef = UniqueOwner<CountedTraits<T>>;

template <typename T>
class Counted {
public:
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;

    // One more reference, for another thread.
    CountedRef<T> Share() {
        ::InterlockedIncrement(&references_);
        return CountedRef<T>(static_cast<T*>(this));
    }

protected:
    // The creator holds the first reference.
    Counted() = default;
    ~Counted() = default;

private:
    friend struct CountedTraits<T>;
    void Release() {
        if (::InterlockedDecrement(&references_) == 0) delete static_cast<T*>(this);
    }

    LONG references_ = 1;
};

}  // namespace ostrivan
