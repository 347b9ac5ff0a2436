#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace koravel {

/// File paths kept one after another in one block of text, so that a
/// million of them cost their characters and eight bytes each rather than
/// an object and a heap block each.
class PathList {
 public:
  void Add(std::string_view path);
  /// Puts the paths from index `first` on in the order of their bytes.
  void SortFrom(std::size_t first);

  std::size_t Size() const { return ends_.size(); }
  bool Empty() const { return ends_.empty(); }
  std::string_view View(std::size_t index) const;
  std::filesystem::path operator[](std::size_t index) const { return std::filesystem::path(View(index)); }

 private:
  std::string text_;
  std::vector<std::size_t> ends_;  // where each path's text ends
};

}  // namespace koravel
