#include "core/io/scratch_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace koravel {
std::optional<ScratchFile> ScratchFile::CreateIn(const std::filesystem::path& folder) {
  FileDescriptor opened(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!opened.IsOpen()) return std::nullopt;
  std::optional<UnnamedFile> file = UnnamedFile::Create(opened.Get(), ".koravel-scratch-");
  if (!file) return std::nullopt;
  return ScratchFile(std::move(opened), std::move(*file));
}

std::optional<ScratchFile> ScratchFile::Create(const std::filesystem::path& folder) {
  if (std::optional<ScratchFile> beside = CreateIn(folder.empty() ? "." : folder)) return beside;
  std::error_code unknown;
  return CreateIn(std::filesystem::temp_directory_path(unknown));
}

std::optional<std::uint64_t> ScratchFile::Append(std::string_view bytes) {
  std::uint64_t start;
  {
    const std::lock_guard lock(*end_mutex_);
    start = end_;
    end_ += bytes.size();
  }
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t wrote = pwrite(file_.Descriptor().Get(), bytes.data() + done, bytes.size() - done,
                                 static_cast<off_t>(start + done));
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return std::nullopt;
    done += static_cast<std::size_t>(wrote);
  }
  return start;
}

bool ScratchFile::Read(std::uint64_t offset, std::span<char> into) const {
  for (std::size_t done = 0; done < into.size();) {
    const ssize_t got =
        pread(file_.Descriptor().Get(), into.data() + done, into.size() - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    done += static_cast<std::size_t>(got);
  }
  return true;
}

}  // namespace koravel
