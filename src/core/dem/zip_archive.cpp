#include "core/dem/zip_archive.h"

#include <utility>

#include "core/dem/zip_library.h"
#include "core/io/input_file.h"

namespace koravel {
namespace {

ErrorCode OpenError(int libzip_error) {
  if (libzip_error == ZIP_ER_NOENT) return ErrorCode::FileNotFound;
  return libzip_error == ZIP_ER_OPEN || libzip_error == ZIP_ER_READ ? ErrorCode::FileError : ErrorCode::BrokenArchive;
}

}  // namespace

ZipArchive::ZipArchive(const ZipLibrary& library, zip* archive, std::shared_ptr<const std::string> bytes)
    : library_(&library), archive_(archive), bytes_(std::move(bytes)) {}

ZipArchive::ZipArchive(ZipArchive&& other) noexcept
    : library_(other.library_), archive_(std::exchange(other.archive_, nullptr)), bytes_(std::move(other.bytes_)) {}

ZipArchive::~ZipArchive() {
  if (archive_ != nullptr) library_->Discard(archive_);
}

std::variant<ZipArchive, ErrorCode> ZipArchive::Open(const ZipOrigin& origin) {
  const ZipLibrary* library = ZipLibrary::Get();
  if (library == nullptr) return ErrorCode::ZipLibraryMissing;
  if (!origin.Bytes) {
    // A FIFO or a device would keep libzip waiting.
    const std::variant<FileDescriptor, ErrorCode> readable = OpenForReading(origin.File);
    if (const ErrorCode* refused = std::get_if<ErrorCode>(&readable)) return *refused;
    int error = 0;
    zip_t* archive = library->Open(origin.File.c_str(), ZIP_RDONLY, &error);
    if (archive == nullptr) return OpenError(error);
    return ZipArchive(*library, archive, nullptr);
  }
  zip_source_t* source = library->BufferSource(origin.Bytes->data(), origin.Bytes->size(), 0, nullptr);
  if (source == nullptr) return ErrorCode::BrokenArchive;
  zip_t* archive = library->OpenFromSource(source, ZIP_RDONLY, nullptr);
  if (archive == nullptr) {
    library->FreeSource(source);
    return ErrorCode::BrokenArchive;
  }
  return ZipArchive(*library, archive, origin.Bytes);
}

std::uint64_t ZipArchive::EntryCount() const {
  const zip_int64_t count = library_->EntryCount(archive_, 0);
  return count < 0 ? 0 : static_cast<std::uint64_t>(count);
}

// The names are kept as stored: the survey's are ASCII, and libzip would
// read any other bytes as code page 437.
std::string ZipArchive::EntryName(std::uint64_t index) const {
  const char* name = library_->EntryName(archive_, index, ZIP_FL_ENC_RAW);
  return name == nullptr ? std::string() : std::string(name);
}

bool ZipArchive::ReadEntry(std::uint64_t index, const std::function<void(const ByteReader&)>& consume) const {
  zip_file_t* file = library_->OpenEntry(archive_, index, 0);
  if (file == nullptr) return false;
  consume([this, file](char* buffer, std::size_t size) {
    return static_cast<std::ptrdiff_t>(library_->ReadEntry(file, buffer, size));
  });
  library_->CloseEntry(file);
  return true;
}

std::optional<std::string> ZipArchive::EntryBytes(std::uint64_t index) const {
  zip_stat_t status;
  if (library_->StatEntry(archive_, index, 0, &status) != 0 || (status.valid & ZIP_STAT_SIZE) == 0) return std::nullopt;
  std::string bytes(status.size, '\0');
  bool whole = false;
  const bool opened = ReadEntry(index, [&](const ByteReader& read) {
    std::size_t filled = 0;
    for (std::ptrdiff_t got; filled < bytes.size() && (got = read(bytes.data() + filled, bytes.size() - filled)) > 0;) {
      filled += static_cast<std::size_t>(got);
    }
    char beyond;
    whole = filled == bytes.size() && read(&beyond, 1) == 0;
  });
  if (!opened || !whole) return std::nullopt;
  return bytes;
}

}  // namespace koravel
