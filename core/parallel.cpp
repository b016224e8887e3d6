#include "parallel.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace korvel {

std::size_t RangesFor(std::size_t n, std::size_t minPerRange)
{
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t wanted = minPerRange == 0 ? cores : n / minPerRange;
    return std::clamp<std::size_t>(wanted, 1, std::min<std::size_t>(cores, 8));
}

void ForEachRange(std::size_t n, std::size_t ranges, std::size_t align,
                  const std::function<void(std::size_t, std::size_t, std::size_t)>& work)
{
    ranges = std::max<std::size_t>(ranges, 1);
    align = std::max<std::size_t>(align, 1);
    // Each range holds a whole number of `align` units; the last takes what is left.
    const std::size_t units = (n + align - 1) / align;
    const std::size_t perRange = (units + ranges - 1) / ranges * align;
    std::vector<std::thread> helpers;
    for (std::size_t r = 1; r < ranges; ++r) {
        const std::size_t from = std::min(n, r * perRange);
        const std::size_t to = std::min(n, from + perRange);
        if (from < to)
            helpers.emplace_back([&work, r, from, to] { work(r, from, to); });
    }
    if (const std::size_t to = std::min(n, perRange); to > 0)
        work(0, 0, to);
    for (std::thread& h : helpers)
        h.join();
}

} // namespace korvel
