#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace koravel {

/// A bar with a count on standard error for work that runs longer than about
/// a second, shown only when standard error is a terminal.
class ProgressBar {
 public:
  explicit ProgressBar(std::string label);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  void Report(std::size_t done, std::size_t total);

 private:
  using Clock = std::chrono::steady_clock;

  std::string label_;
  bool terminal_;
  Clock::time_point start_ = Clock::now();
  Clock::time_point last_drawn_{};
  bool shown_ = false;
};

}  // namespace koravel
