// Storage for long runs of numbers that are filled in full right after they are sized.
//
// A std::vector clears every element it grows by; for the hundred megabytes of a large data
// set that clearing is a pass over memory on one thread, before the real writes spread over
// every core. A Column leaves new elements as the allocation left them, so the first write is
// the only one. It is for numbers and plain records only, and every element must be written
// before it is read.
#pragma once

#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace korvel {

template <class T>
class UninitialisedAllocator : public std::allocator<T> {
public:
    using value_type = T;
    template <class U>
    struct rebind {
        using other = UninitialisedAllocator<U>;
    };

    UninitialisedAllocator() = default;
    template <class U>
    UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept
    {
    }

    template <class U>
    void construct(U*) noexcept
    {
        static_assert(std::is_trivially_copyable_v<U> && std::is_trivially_destructible_v<U>,
                      "a Column holds numbers and plain records only");
    }
    template <class U, class... A>
    void construct(U* p, A&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<A>(args)...);
    }
};

template <class T, class U>
bool operator==(const UninitialisedAllocator<T>&, const UninitialisedAllocator<U>&) noexcept
{
    return true;
}

template <class T>
using Column = std::vector<T, UninitialisedAllocator<T>>;

} // namespace korvel
