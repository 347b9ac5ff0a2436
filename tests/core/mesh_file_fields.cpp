#include "mesh_file_fields.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>

namespace koravel::test {

std::string MeshFileFields::DefaultValueText(int x, int y) {
  char text[8];
  std::snprintf(text, sizeof text, "%05d", x + 201 * y);
  return text;
}

std::string MeshFileFields::Header() const {
  return mesh_code + map_scale + survey_year + revision_year + digitize_year + lon_points +
         lat_points + corners + sheet_count + sheets + record_count + comment + record_flags +
         filler + line_end;
}

std::string MeshFileFields::Record(int row, int number) const {
  char number_text[8];
  std::snprintf(number_text, sizeof number_text, "%03d", number);
  std::string record = mesh_code + number_text;
  for (int x = 1; x <= 200; ++x) record += value_text(x, row);
  return record + line_end;
}

std::string MeshFileFields::File() const {
  std::string file = Header();
  for (int row = 1; row <= 200; ++row) {
    if (record_flags[static_cast<std::size_t>(row - 1)] == '1') file += Record(row, row);
  }
  return file;
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

}  // namespace koravel::test
