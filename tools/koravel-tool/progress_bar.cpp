#include "progress_bar.h"

#include <unistd.h>

#include <cstdio>

namespace koravel {
namespace {

constexpr auto kQuietTime = std::chrono::seconds(1);
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr std::size_t kBarWidth = 30;

}  // namespace

ProgressBar::ProgressBar(std::string label) : label_(std::move(label)), terminal_(isatty(STDERR_FILENO) == 1) {}

ProgressBar::~ProgressBar() {
  if (shown_) std::fputs("\n", stderr);
}

void ProgressBar::Report(std::size_t done, std::size_t total) {
  if (!terminal_ || total == 0) return;
  const Clock::time_point now = Clock::now();
  if (now - start_ < kQuietTime || (now - last_drawn_ < kRedrawInterval && done < total)) return;
  last_drawn_ = now;
  shown_ = true;
  const std::size_t filled = kBarWidth * done / total;
  std::fprintf(stderr, "\r%s [%s%s] %zu/%zu", label_.c_str(), std::string(filled, '#').c_str(),
               std::string(kBarWidth - filled, ' ').c_str(), done, total);
  std::fflush(stderr);
}

}  // namespace koravel
