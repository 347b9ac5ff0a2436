#include "mesh_file_fields.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <ios>
#include <iterator>
#include <random>

#include <sys/wait.h>

namespace koravel::test {

std::string MeshFileFields::DefaultValueText(int x, int y) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", kValueWidth, x + 201 * y);
  return text;
}

std::string MeshFileFields::Header() const {
  std::string header;
  for (const HeaderFieldWidth& entry : kHeaderLayout) header += Field(entry.field);
  return header + line_end;
}

const std::string& MeshFileFields::Field(HeaderField field) const {
  switch (field) {
    case HeaderField::MeshCode: return mesh_code;
    case HeaderField::MapScale: return map_scale;
    case HeaderField::SurveyYear: return survey_year;
    case HeaderField::RevisionYear: return revision_year;
    case HeaderField::DigitizeYear: return digitize_year;
    case HeaderField::LonPoints: return lon_points;
    case HeaderField::LatPoints: return lat_points;
    case HeaderField::Corners: return corners;
    case HeaderField::SheetCount: return sheet_count;
    case HeaderField::Sheets: return sheets;
    case HeaderField::RecordCount: return record_count;
    case HeaderField::Comment: return comment;
    case HeaderField::RecordFlags: return record_flags;
    case HeaderField::Filler: return filler;
  }
  return filler;
}

std::string MeshFileFields::Record(int row, int number) const {
  char number_text[16];
  std::snprintf(number_text, sizeof number_text, "%0*d", kRecordNumberWidth, number);
  std::string record = mesh_code + number_text;
  for (int x = 1; x <= kMeshSize; ++x) record += value_text(x, row);
  return record + line_end;
}

std::string MeshFileFields::File() const {
  std::string file = Header();
  for (int row = 1; row <= kMeshSize; ++row) {
    if (record_flags[static_cast<std::size_t>(row - 1)] == '1') file += Record(row, row);
  }
  return file;
}

namespace {

constexpr int kRowSeconds = 300;     // 5' of latitude per second-level mesh
constexpr int kColumnSeconds = 450;  // 7'30" of longitude
constexpr int kFirstRow = 53 * 8 + 4;  // mesh 533945
constexpr int kFirstColumn = 39 * 8 + 5;

std::string Angle(int seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%03d%02d%02d", seconds / 3600, seconds % 3600 / 60, seconds % 60);
  return text;
}

const std::string kIdeographicSpace = "\x81\x40";

}  // namespace

MeshFileFields NeighbourMesh(int east, int north) {
  const int row = kFirstRow + north, column = kFirstColumn + east;
  MeshFileFields fields;
  char code[32];
  std::snprintf(code, sizeof code, "%02d%02d%d%d", row / 8, column / 8, row % 8, column % 8);
  fields.mesh_code = code;
  const int south = row * kRowSeconds, west = 100 * 3600 + column * kColumnSeconds;
  fields.corners = Angle(south) + Angle(west) + Angle(south + kRowSeconds) + Angle(west + kColumnSeconds);
  fields.sheets = "\x93\x8c\x8b\x9e" + Repeated(kIdeographicSpace, kSheetNameWidth - 2) + "1";
  for (int i = 1; i < kSheetSlots; ++i) fields.sheets += Repeated(kIdeographicSpace, kSheetNameWidth) + "0";
  fields.comment = Repeated(kIdeographicSpace, WidthOf(HeaderField::Comment));
  fields.value_text = [east, north](int x, int y) {
    char text[16];
    const int value = (7 * (x + 200 * east) + 13 * (y + 200 * (100 - north))) % 90000;
    std::snprintf(text, sizeof text, "%0*d", kValueWidth, value);
    return std::string(text);
  };
  return fields;
}

ScratchFolder::ScratchFolder() {
  std::random_device seed;
  root_ = std::filesystem::temp_directory_path() / ("koravel-test-" + std::to_string(seed()));
  std::filesystem::create_directories(root_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::permissions(root_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(root_, ignored);
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string Repeated(const std::string& text, int count) {
  std::string repeated;
  for (int i = 0; i < count; ++i) repeated += text;
  return repeated;
}

ShellOutput RunShell(const std::string& command) {
  FILE* pipe = popen(("(" + command + ") 2>&1").c_str(), "r");
  std::string text;
  char block[4096];
  for (std::size_t count; (count = std::fread(block, 1, sizeof block, pipe)) > 0;) text.append(block, count);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text};
}

GeneratedInput::GeneratedInput(std::string head, const std::string& pattern, std::size_t size, bool fails)
    : head_(std::move(head)), size_(size), fails_(fails) {
  while (chunk_.size() + pattern.size() <= 64 * 1024) chunk_ += pattern;
}

GeneratedInput::int_type GeneratedInput::underflow() {
  if (served_ == size_) {
    if (fails_) throw std::ios_base::failure("disk error");
    return traits_type::eof();
  }
  std::string& source = served_ < head_.size() ? head_ : chunk_;
  const std::size_t count = std::min(source.size(), size_ - served_);
  setg(source.data(), source.data(), source.data() + count);
  served_ += count;
  return traits_type::to_int_type(source.front());
}

}  // namespace koravel::test
