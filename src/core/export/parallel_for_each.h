#pragma once

#include <cstddef>
#include <functional>

namespace koravel {

/// Told how many items of how many are done; called from one thread at a time.
using ProgressReport = std::function<void(std::size_t done, std::size_t total)>;

/// Runs `work(i)` for every i below `count` on `threads` threads (0: one per
/// core of the processor) and returns when all are done. `work` must be safe
/// to run for different i at once. `progress`, if set, hears of every item
/// finished.
void ForEachInParallel(std::size_t count, const std::function<void(std::size_t)>& work,
                       const ProgressReport& progress = {}, std::size_t threads = 0);

}  // namespace koravel
