#include "json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace koravel {

void JsonWriter::BeginObject(std::string_view key) {
  Key(key);
  out_ << '{';
  first_in_scope_ = true;
}

void JsonWriter::EndObject() {
  out_ << '}';
  first_in_scope_ = false;
}

void JsonWriter::BeginArray(std::string_view key) {
  Key(key);
  out_ << '[';
  first_in_scope_ = true;
}

void JsonWriter::EndArray() {
  out_ << ']';
  first_in_scope_ = false;
}

void JsonWriter::String(std::string_view key, std::string_view value) {
  Key(key);
  Quoted(value);
}

void JsonWriter::Number(std::string_view key, double value) {
  Key(key);
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, std::isfinite(value) ? value : 0.0);
  out_ << std::string_view(text, static_cast<std::size_t>(end.ptr - text));
}

void JsonWriter::Key(std::string_view key) {
  if (!first_in_scope_) out_ << ',';
  first_in_scope_ = false;
  if (key.empty()) return;
  Quoted(key);
  out_ << ':';
}

void JsonWriter::Quoted(std::string_view text) {
  out_ << '"';
  for (char c : text) {
    if (c == '"' || c == '\\') {
      out_ << '\\' << c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
      out_ << escaped;
    } else {
      out_ << c;
    }
  }
  out_ << '"';
}

}  // namespace koravel
