// Feeds arbitrary bytes to the .mem reader. Whatever it accepts must hold
// what a loaded document promises to the rest of the program, and must come
// back unchanged through a write and a second read.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <sstream>
#include <string>
#include <variant>

#include "core/mesh/mesh_reader.h"
#include "core/mesh/mesh_writer.h"

namespace {

using koravel::kMeshSize;
using koravel::kNoData;
using koravel::MeshDocument;

// Trap rather than throw or return: libFuzzer and the replay runner both
// stop on the first broken invariant and keep the input that broke it.
void Require(bool condition) {
  if (!condition) __builtin_trap();
}

koravel::MeshReadResult Read(std::string bytes) {
  std::istringstream input(std::move(bytes));
  return koravel::ReadMesh(input);
}

bool InRange(long long value, long long low, long long high) {
  return value >= low && value <= high;
}

void CheckDocument(const MeshDocument& doc) {
  Require(doc.LATPointN != 0 && doc.LONPointN != 0);
  Require(doc.LatStep > 0 && doc.LonStep > 0);
  Require(doc.MinElevation <= 9999 && doc.MinElevation != kNoData);
  Require(doc.MaxElevation >= 0);
  for (int y = 1; y <= kMeshSize; ++y) {
    for (int x = 1; x <= kMeshSize; ++x) {
      const std::int32_t value = doc.Elevation(x, y);
      if (value == kNoData) continue;
      // Every value read counts for both extremes, and the minimum is kept
      // in 16 bits, so a lower value cannot have loaded.
      Require(value >= std::numeric_limits<std::int16_t>::min());
      Require(value >= doc.MinElevation && value <= doc.MaxElevation);
    }
  }
}

// A number read leniently can need more characters than its field ("-1" as
// a point count, "1e5" as a value); the writer must refuse such a document
// rather than shift every later field of the file.
bool NumbersFitTheirFields(const MeshDocument& doc) {
  if (!InRange(doc.LONPointN, 0, 999) || !InRange(doc.LATPointN, 0, 999) ||
      !InRange(doc.RecordCount, 0, 999)) {
    return false;
  }
  for (int y = 1; y <= kMeshSize; ++y) {
    if (doc.RecordFlag[y] != 1) continue;
    for (int x = 1; x <= kMeshSize; ++x) {
      if (!InRange(doc.Elevation(x, y), -9999, 99999)) return false;
    }
  }
  return true;
}

void CheckRoundTrip(const MeshDocument& doc) {
  const auto formatted = koravel::FormatMeshFile(doc);
  const std::string* bytes = std::get_if<std::string>(&formatted);
  // Texts read from a file keep their bytes and always encode, so a number
  // too wide for its field is the one thing that may stop the writer.
  Require((bytes != nullptr) == NumbersFitTheirFields(doc));
  if (bytes == nullptr) return;

  const koravel::MeshReadResult reread = Read(*bytes);
  Require(reread.document.has_value());
  const MeshDocument& copy = *reread.document;
  for (int y = 1; y <= kMeshSize; ++y) {
    if (doc.RecordFlag[y] != 1) continue;
    for (int x = 1; x <= kMeshSize; ++x) Require(copy.Elevation(x, y) == doc.Elevation(x, y));
  }
  // What the writer produced it must reproduce byte for byte once read back.
  const auto again = koravel::FormatMeshFile(copy);
  const std::string* again_bytes = std::get_if<std::string>(&again);
  Require(again_bytes != nullptr && *again_bytes == *bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const koravel::MeshReadResult result =
      Read(std::string(reinterpret_cast<const char*>(data), size));
  Require(result.document.has_value() != result.error.has_value());
  if (!result.document) return 0;

  const MeshDocument& doc = *result.document;
  const bool warned = std::find(result.warnings.begin(), result.warnings.end(),
                                koravel::Warning::OmittedRecords) != result.warnings.end();
  Require(warned == (doc.RecordCount < kMeshSize));
  CheckDocument(doc);
  CheckRoundTrip(doc);
  return 0;
}
