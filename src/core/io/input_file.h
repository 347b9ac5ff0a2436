#pragma once

#include <filesystem>
#include <istream>
#include <memory>
#include <streambuf>
#include <variant>
#include <vector>

#include "core/error_code.h"
#include "core/io/file_descriptor.h"

namespace koravel {

/// `path` opened for reading, or why it cannot be: FileNotFound,
/// PathNotFound (a folder on the way is missing), NotRegularFile (a FIFO,
/// device or socket, never opened at all), or FileError (a folder, no
/// access, any other failure). Opening never waits.
std::variant<FileDescriptor, ErrorCode> OpenForReading(const std::filesystem::path& path);

/// A regular file opened for reading as a stream. Opening never waits: a
/// FIFO, device or socket is refused before anything is read from it, where
/// a plain open would block until a writer came or wake up a device.
class InputFile {
 public:
  /// Opens `path` as OpenForReading does.
  static std::variant<std::unique_ptr<InputFile>, ErrorCode> Open(const std::filesystem::path& path);

  /// The file's bytes in blocks, from its start; a failed read sets badbit.
  std::istream& Stream() { return stream_; }

 private:
  class Buffer : public std::streambuf {
   public:
    explicit Buffer(FileDescriptor file);

   protected:
    int_type underflow() override;

   private:
    FileDescriptor file_;
    std::vector<char> block_;
  };

  explicit InputFile(FileDescriptor file) : buffer_(std::move(file)), stream_(&buffer_) {}

  Buffer buffer_;
  std::istream stream_;
};

}  // namespace koravel
