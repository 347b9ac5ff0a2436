#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/error_code.h"

namespace koravel {

/// Splits the text of a track file into records, reading it in fixed blocks
/// so that the memory it takes is the same whatever the input. A record ends
/// at a comma or a line end (LF or CR LF); blanks before it are skipped; one
/// that starts with a double quote runs to the next double quote on its line,
/// and the rest of the line up to a comma is dropped; an empty line is an
/// empty record. Records are CP932 bytes, as the file holds them.
class TrackRecordReader {
 public:
  static constexpr std::size_t kBlockBytes = 64 * 1024;
  /// A longer record means the input is no track file.
  static constexpr std::size_t kMaxRecordBytes = 64 * 1024;

  explicit TrackRecordReader(std::istream& input);

  /// The next record, valid until the next call; nullopt at the end of the
  /// input or when reading failed (see Failure()).
  std::optional<std::string_view> Next();

  /// Why the records ended early: FileError when the input could not be read,
  /// NotTrackFile for a record over kMaxRecordBytes; nullopt otherwise.
  std::optional<ErrorCode> Failure() const { return failure_; }

 private:
  enum class State { RecordStart, Plain, Quoted, AfterQuote };

  bool FillBlock();
  std::optional<std::string_view> AtEnd();
  bool TakeByte(char byte);
  bool Take(char byte);
  bool EndLine();
  void AppendRun();
  void Append(char byte);

  std::istream& input_;
  std::vector<char> block_;
  std::size_t next_ = 0;
  std::size_t filled_ = 0;
  std::string record_;
  State state_ = State::RecordStart;
  bool line_started_ = false;
  bool after_comma_ = false;
  bool pending_cr_ = false;
  bool finished_ = false;
  std::optional<ErrorCode> failure_;
};

}  // namespace koravel
