// Splitting a long loop over the processor's cores.
//
// A million-point data set is read, interpolated and derived in contiguous ranges at once;
// each range is handled by the same code a short set runs on one thread, so the results do
// not depend on how the work was split.
#pragma once

#include <cstddef>
#include <functional>

namespace korvel {

// How many ranges a loop of n items is worth: one per `minPerRange` items, at most one per
// core (and at most eight), at least one.
std::size_t RangesFor(std::size_t n, std::size_t minPerRange);

// Calls work(range, from, to) for `ranges` contiguous ranges covering [0, n), all at once,
// the first on the calling thread; returns when all are done. Every range but the first
// starts on a multiple of `align`. An empty range is not called.
void ForEachRange(std::size_t n, std::size_t ranges, std::size_t align,
                  const std::function<void(std::size_t range, std::size_t from, std::size_t to)>& work);

} // namespace korvel
