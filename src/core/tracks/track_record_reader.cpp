#include "core/tracks/track_record_reader.h"

namespace koravel {

TrackRecordReader::TrackRecordReader(std::istream& input) : input_(input), block_(kBlockBytes) {
  record_.reserve(kMaxRecordBytes);
}

std::optional<std::string_view> TrackRecordReader::Next() {
  if (finished_ || failure_) return std::nullopt;
  record_.clear();
  for (;;) {
    if (next_ == filled_ && !FillBlock()) return AtEnd();
    AppendRun();
    if (failure_) return std::nullopt;
    if (next_ == filled_) continue;
    const bool complete = TakeByte(block_[next_++]);
    if (failure_) return std::nullopt;
    if (complete) return std::string_view(record_);
  }
}

// A failing stream sets badbit, or throws when the caller asked it to; either
// way it is a read error, never the end of the input.
bool TrackRecordReader::FillBlock() {
  try {
    input_.read(block_.data(), static_cast<std::streamsize>(block_.size()));
  } catch (...) {
    failure_ = ErrorCode::FileError;
    return false;
  }
  if (input_.bad()) {
    failure_ = ErrorCode::FileError;
    return false;
  }
  next_ = 0;
  filled_ = static_cast<std::size_t>(input_.gcount());
  return filled_ > 0;
}

// The last line may lack its line end; it still ends its record.
std::optional<std::string_view> TrackRecordReader::AtEnd() {
  finished_ = true;
  if (failure_ || !line_started_) return std::nullopt;
  pending_cr_ = false;
  if (EndLine()) return std::string_view(record_);
  return std::nullopt;
}

// A CR counts as a line end only right before an LF (or the input's end),
// so it is held back until the next byte shows which it is.
bool TrackRecordReader::TakeByte(char byte) {
  if (byte == '\n') {
    pending_cr_ = false;
    return EndLine();
  }
  line_started_ = true;
  if (pending_cr_) Take('\r');
  pending_cr_ = byte == '\r';
  return !pending_cr_ && Take(byte);
}

// One byte of a line; true when it completes a record.
bool TrackRecordReader::Take(char byte) {
  switch (state_) {
    case State::RecordStart:
      if (byte == ' ') {
        after_comma_ = false;
        return false;
      }
      if (byte == ',') {
        after_comma_ = true;
        return true;
      }
      state_ = byte == '"' ? State::Quoted : State::Plain;
      if (state_ == State::Plain) Append(byte);
      return false;
    case State::Plain:
    case State::AfterQuote:
      if (byte == ',') {
        const bool ends_record = state_ == State::Plain;
        state_ = State::RecordStart;
        after_comma_ = true;
        return ends_record;
      }
      if (state_ == State::Plain) Append(byte);
      return false;
    case State::Quoted:
      if (byte == '"') {
        state_ = State::AfterQuote;
        return true;
      }
      Append(byte);
      return false;
  }
  return false;
}

// A line end closes an open record; a line that ends right after a comma
// adds no empty record, but an empty or blank one is an empty record.
bool TrackRecordReader::EndLine() {
  const State state = state_;
  const bool after_comma = after_comma_;
  state_ = State::RecordStart;
  line_started_ = false;
  after_comma_ = false;
  if (state == State::AfterQuote) return false;
  return state != State::RecordStart || !after_comma;
}

// Takes the ordinary bytes inside a record in one go, up to the next byte
// that may end it: a long record then costs no more than a search.
void TrackRecordReader::AppendRun() {
  if (pending_cr_ || (state_ != State::Plain && state_ != State::Quoted)) return;
  const char end = state_ == State::Plain ? ',' : '"';
  std::size_t run = 0;
  for (const char* byte = block_.data() + next_; next_ + run < filled_; ++byte, ++run) {
    if (*byte == end || *byte == '\r' || *byte == '\n') break;
  }
  if (record_.size() + run > kMaxRecordBytes) {
    failure_ = ErrorCode::NotTrackFile;
    return;
  }
  record_.append(block_.data() + next_, run);
  next_ += run;
}

void TrackRecordReader::Append(char byte) {
  if (record_.size() == kMaxRecordBytes) {
    failure_ = ErrorCode::NotTrackFile;
    return;
  }
  record_.push_back(byte);
}

}  // namespace koravel
