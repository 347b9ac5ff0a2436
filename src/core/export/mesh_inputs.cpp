#include "core/export/mesh_inputs.h"

#include <algorithm>
#include <cctype>

namespace koravel {
namespace {

void AddFolder(const std::filesystem::path& folder, const std::vector<std::string>& extensions,
               std::vector<std::filesystem::path>& files) {
  std::vector<std::filesystem::path> found;
  std::error_code error;
  const auto options = std::filesystem::directory_options::skip_permission_denied;
  for (auto it = std::filesystem::recursive_directory_iterator(folder, options, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    if (it->is_regular_file(error) && std::find(extensions.begin(), extensions.end(),
                                                LowerCaseExtension(it->path())) != extensions.end()) {
      found.push_back(it->path());
    }
  }
  std::sort(found.begin(), found.end());
  files.insert(files.end(), found.begin(), found.end());
}

}  // namespace

std::string LowerCaseExtension(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return extension;
}

std::vector<std::filesystem::path> MeshFilesIn(const std::vector<std::filesystem::path>& inputs) {
  return FilesIn(inputs, {".mem"});
}

std::vector<std::filesystem::path> FilesIn(const std::vector<std::filesystem::path>& inputs,
                                           const std::vector<std::string>& extensions) {
  std::vector<std::filesystem::path> files;
  for (const std::filesystem::path& input : inputs) {
    std::error_code error;
    if (std::filesystem::is_directory(input, error)) {
      AddFolder(input, extensions, files);
    } else {
      files.push_back(input);
    }
  }
  return files;
}

}  // namespace koravel
