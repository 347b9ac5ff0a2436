#include "core/dem/dem_sources.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/io/file_descriptor.h"
#include "core/io/input_file.h"

namespace koravel {
namespace {

// Deeper than any download nests; a deeper archive is a trap, not data.
constexpr int kDeepestArchive = 4;

DemReadResult ReadDiskFile(const DemSource& source, const DemReadOptions& options) {
  std::variant<FileDescriptor, ErrorCode> opened = OpenForReading(source.File);
  if (const ErrorCode* refused = std::get_if<ErrorCode>(&opened)) return {std::nullopt, *refused};
  const FileDescriptor& file = std::get<FileDescriptor>(opened);
  return ReadFgdDem(
      [&file](char* buffer, std::size_t size) {
        ssize_t got;
        while ((got = read(file.Get(), buffer, size)) < 0 && errno == EINTR) {
        }
        return static_cast<std::ptrdiff_t>(got);
      },
      source.Name, options);
}

DemReadResult ReadMember(const DemSource& source, const DemReadOptions& options) {
  std::variant<ZipArchive, ErrorCode> archive = ZipArchive::Open(source.Archive);
  if (const ErrorCode* error = std::get_if<ErrorCode>(&archive)) return {std::nullopt, *error};
  DemReadResult result{std::nullopt, ErrorCode::BrokenArchive};
  std::get<ZipArchive>(archive).ReadEntry(
      *source.Entry, [&](const ByteReader& read) { result = ReadFgdDem(read, source.Name, options); });
  if (result.Error == ErrorCode::FileError) result.Error = ErrorCode::BrokenArchive;
  return result;
}

class SourceWalker {
 public:
  SourceWalker(const std::function<void(const std::vector<DemSource>&)>& visit, std::vector<SkippedInput>& skipped)
      : visit_(visit), skipped_(skipped) {}

  void Walk(const std::vector<std::filesystem::path>& inputs) {
    for (const std::filesystem::path& file : FilesIn(inputs, {".xml", ".zip"})) {
      if (LowerCaseExtension(file) == ".zip") {
        VisitFiles();
        Archive(ZipOrigin{file, nullptr}, file.string(), 1);
      } else {
        files_.push_back(DemSource{file.string(), file, {}, std::nullopt});
      }
    }
    VisitFiles();
  }

 private:
  void VisitFiles() {
    if (!files_.empty()) visit_(files_);
    files_.clear();
  }

  void Archive(const ZipOrigin& origin, const std::string& name, int depth) {
    std::variant<ZipArchive, ErrorCode> opened = ZipArchive::Open(origin);
    if (const ErrorCode* error = std::get_if<ErrorCode>(&opened)) return skipped_.push_back({name, *error});
    const ZipArchive& archive = std::get<ZipArchive>(opened);
    std::vector<DemSource> members;
    std::vector<std::uint64_t> archives;
    for (std::uint64_t entry = 0; entry < archive.EntryCount(); ++entry) {
      const std::string extension = LowerCaseExtension(archive.EntryName(entry));
      if (extension == ".xml") members.push_back({name + "/" + archive.EntryName(entry), {}, origin, entry});
      if (extension == ".zip") archives.push_back(entry);
    }
    if (!members.empty()) visit_(members);
    for (const std::uint64_t entry : archives) {
      const std::string inner_name = name + "/" + archive.EntryName(entry);
      std::optional<std::string> bytes = depth < kDeepestArchive ? archive.EntryBytes(entry) : std::nullopt;
      if (!bytes) {
        skipped_.push_back({inner_name, ErrorCode::BrokenArchive});
        continue;
      }
      Archive(ZipOrigin{{}, std::make_shared<const std::string>(std::move(*bytes))}, inner_name, depth + 1);
    }
  }

  const std::function<void(const std::vector<DemSource>&)>& visit_;
  std::vector<SkippedInput>& skipped_;
  std::vector<DemSource> files_;
};

}  // namespace

DemReadResult DemSource::Read(const DemReadOptions& options) const {
  return Entry ? ReadMember(*this, options) : ReadDiskFile(*this, options);
}

void VisitDemSources(const std::vector<std::filesystem::path>& inputs,
                     const std::function<void(const std::vector<DemSource>&)>& visit,
                     std::vector<SkippedInput>& skipped) {
  SourceWalker(visit, skipped).Walk(inputs);
}

}  // namespace koravel
