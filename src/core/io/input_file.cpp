#include "core/io/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ios>
#include <optional>

#include "core/io/file_probe.h"

namespace koravel {
namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

ErrorCode OpenFailure(const std::filesystem::path& path, int error) {
  if (error == ENOTDIR) return ErrorCode::PathNotFound;
  if (error != ENOENT) return ErrorCode::FileError;
  struct stat folder {};
  const bool folder_exists = stat(FolderOf(path).c_str(), &folder) == 0 && S_ISDIR(folder.st_mode);
  return folder_exists ? ErrorCode::FileNotFound : ErrorCode::PathNotFound;
}

std::optional<ErrorCode> RefusalOf(const struct stat& status) {
  if (S_ISDIR(status.st_mode)) return ErrorCode::FileError;
  if (!S_ISREG(status.st_mode)) return ErrorCode::NotRegularFile;
  return std::nullopt;
}

}  // namespace

// Looked at before it is opened, so that a device is never opened at all;
// opened without waiting and looked at again, in case it was swapped since.
std::variant<FileDescriptor, ErrorCode> OpenForReading(const std::filesystem::path& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return OpenFailure(path, errno);
  if (auto refused = RefusalOf(status)) return *refused;
  FileDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!file.IsOpen()) return OpenFailure(path, errno);
  if (fstat(file.Get(), &status) != 0) return ErrorCode::FileError;
  if (auto refused = RefusalOf(status)) return *refused;
  const int flags = fcntl(file.Get(), F_GETFL);
  if (flags < 0 || fcntl(file.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) return ErrorCode::FileError;
  return file;
}

std::variant<std::unique_ptr<InputFile>, ErrorCode> InputFile::Open(const std::filesystem::path& path) {
  std::variant<FileDescriptor, ErrorCode> file = OpenForReading(path);
  if (const ErrorCode* refused = std::get_if<ErrorCode>(&file)) return *refused;
  return std::unique_ptr<InputFile>(new InputFile(std::move(std::get<FileDescriptor>(file))));
}

InputFile::Buffer::Buffer(FileDescriptor file) : file_(std::move(file)), block_(kBlockSize) {}

// A failed read throws, which the stream turns into badbit, as a file
// stream does.
InputFile::Buffer::int_type InputFile::Buffer::underflow() {
  ssize_t count = 0;
  do {
    count = read(file_.Get(), block_.data(), block_.size());
  } while (count < 0 && errno == EINTR);
  if (count < 0) throw std::ios_base::failure("read failed");
  if (count == 0) return traits_type::eof();
  setg(block_.data(), block_.data(), block_.data() + count);
  return traits_type::to_int_type(block_.front());
}

}  // namespace koravel
