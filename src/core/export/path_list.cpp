#include "core/export/path_list.h"

#include <algorithm>
#include <numeric>

namespace koravel {

void PathList::Add(std::string_view path) {
  text_.append(path);
  ends_.push_back(text_.size());
}

std::string_view PathList::View(std::size_t index) const {
  const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
  return std::string_view(text_).substr(begin, ends_[index] - begin);
}

void PathList::SortFrom(std::size_t first) {
  std::vector<std::size_t> order(Size() - first);
  std::iota(order.begin(), order.end(), first);
  std::sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) { return View(a) < View(b); });
  PathList sorted;
  for (const std::size_t index : order) sorted.Add(View(index));
  const std::size_t kept = first == 0 ? 0 : ends_[first - 1];
  text_.resize(kept);
  ends_.resize(first);
  text_.append(sorted.text_);
  for (const std::size_t end : sorted.ends_) ends_.push_back(kept + end);
}

}  // namespace koravel
