#include "core/export/parallel_for_each.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace koravel {

void ForEachInParallel(std::size_t count, const std::function<void(std::size_t)>& work,
                       const ProgressReport& progress, std::size_t threads) {
  std::atomic<std::size_t> next = 0;
  std::size_t done = 0;
  std::mutex progress_mutex;
  const auto run = [&] {
    for (std::size_t item = next++; item < count; item = next++) {
      work(item);
      if (!progress) continue;
      const std::lock_guard lock(progress_mutex);
      progress(++done, count);
    }
  };
  // Asking the system costs a file read, and mosaics ask once a row.
  static const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
  if (threads == 0) threads = cores;
  std::vector<std::jthread> helpers;
  for (std::size_t i = 1; i < std::min(threads, count); ++i) helpers.emplace_back(run);
  run();
}

}  // namespace koravel
