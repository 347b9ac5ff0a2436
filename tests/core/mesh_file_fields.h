#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <streambuf>
#include <string>

#include "core/mesh/mesh_layout.h"

namespace koravel::test {

/// The raw fields of a .mem file, each already in file bytes, so a test can
/// spoil exactly one of them. The defaults make a valid 200 × 200 mesh whose
/// cell (x, y) holds x + 201 y.
struct MeshFileFields {
  std::string mesh_code = "533945";
  std::string map_scale = "25000";
  std::string survey_year = "1983";
  std::string revision_year = "1992";
  std::string digitize_year = "1994";
  std::string lon_points = "200";
  std::string lat_points = "200";
  std::string corners = "0354000" "1393730" "0354500" "1394500";
  std::string sheet_count = "1";
  std::string sheets = "Tokyo     1" "          0" "          0" "          0";
  std::string record_count = "200";
  std::string comment = std::string(WidthOf(HeaderField::Comment), 'c');
  std::string record_flags = std::string(kMeshSize, '1');
  std::string filler = std::string(WidthOf(HeaderField::Filler), ' ');
  std::string line_end = "\r\n";
  std::function<std::string(int x, int y)> value_text = DefaultValueText;

  static std::string DefaultValueText(int x, int y);
  /// The fields in the order of kHeaderLayout, then the line end.
  std::string Header() const;
  /// The data line for grid row `row`, numbered `number` in the file.
  std::string Record(int row, int number) const;
  /// Header and one record for each row whose flag is '1'.
  std::string File() const;

 private:
  const std::string& Field(HeaderField field) const;
};

/// A mesh `east` meshes east and `north` meshes north of mesh 533945, with
/// its own mesh code and corners, in the shape GDAL reads (full-width texts,
/// so a 1009-byte header, and every record). Cell values continue across
/// neighbouring meshes: cell (x, y) holds (7 X + 13 Y) mod 90000 with
/// X = x + 200 east and Y = y + 200 (100 − north), for north below 100.
MeshFileFields NeighbourMesh(int east, int north);

/// A folder of its own under the system's temporary folder, removed with the object.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  std::filesystem::path Path(const std::string& name) const { return root_ / name; }

 private:
  std::filesystem::path root_;
};

void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
std::string ReadBytes(const std::filesystem::path& path);

/// `text` written `count` times over, as full-width padding is made.
std::string Repeated(const std::string& text, int count);

struct ShellOutput {
  int status;        ///< the exit status; -1 when the shell was killed
  std::string text;  ///< standard output and error together
};

ShellOutput RunShell(const std::string& command);

/// Serves `head`, then `pattern` over and over up to `size` bytes in all, and
/// then the end of the input, or a read error when `fails` is set.
class GeneratedInput : public std::streambuf {
 public:
  GeneratedInput(std::string head, const std::string& pattern, std::size_t size, bool fails);
  /// Bytes handed to the reader so far, in blocks of up to 64 KiB.
  std::size_t Served() const { return served_; }

 protected:
  int_type underflow() override;

 private:
  std::string head_;
  std::string chunk_;
  std::size_t size_;
  std::size_t served_ = 0;
  bool fails_;
};

}  // namespace koravel::test
