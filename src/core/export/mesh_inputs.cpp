#include "core/export/mesh_inputs.h"

#include <algorithm>
#include <cctype>
#include <cerrno>

namespace koravel {
namespace {

class FolderScan {
 public:
  FolderScan(const std::vector<std::string>& extensions, InputFiles& found) : extensions_(extensions), found_(found) {}

  // Each folder is listed on its own, so that one that cannot be read is
  // named and the others are still scanned.
  void Scan(const std::filesystem::path& root) {
    const std::size_t first = found_.Files.Size();
    std::vector<std::filesystem::path> pending = {root};
    while (!pending.empty()) {
      const std::filesystem::path folder = std::move(pending.back());
      pending.pop_back();
      std::error_code error;
      for (std::filesystem::directory_iterator it(folder, error); !error && it != std::filesystem::directory_iterator();
           it.increment(error)) {
        Take(*it, pending);
      }
      if (error) found_.Unreadable.push_back({folder, ErrorCode::FolderUnreadable});
    }
    found_.Files.SortFrom(first);
  }

 private:
  void Take(const std::filesystem::directory_entry& entry, std::vector<std::filesystem::path>& pending) {
    std::error_code error;
    if (entry.is_directory(error) && !entry.is_symlink(error)) {
      pending.push_back(entry.path());
      return;
    }
    if (std::find(extensions_.begin(), extensions_.end(), LowerCaseExtension(entry.path())) == extensions_.end()) {
      return;
    }
    error.clear();
    if (entry.is_regular_file(error)) {
      found_.Files.Add(entry.path().native());
    } else if (error) {
      found_.Unreadable.push_back(
          {entry.path(), error.value() == ENOENT ? ErrorCode::FileNotFound : ErrorCode::FileError});
    }
  }

  const std::vector<std::string>& extensions_;
  InputFiles& found_;
};

}  // namespace

std::string LowerCaseExtension(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return extension;
}

InputFiles MeshFilesIn(const std::vector<std::filesystem::path>& inputs) { return FilesIn(inputs, {".mem"}); }

InputFiles FilesIn(const std::vector<std::filesystem::path>& inputs, const std::vector<std::string>& extensions) {
  InputFiles found;
  FolderScan scan(extensions, found);
  for (const std::filesystem::path& input : inputs) {
    std::error_code error;
    if (std::filesystem::is_directory(input, error)) {
      scan.Scan(input);
    } else {
      found.Files.Add(input.native());
    }
  }
  return found;
}

}  // namespace koravel
