#pragma once

#include <ostream>
#include <string_view>

namespace koravel {

/// Writes one JSON object: members are added in order, nested objects and
/// arrays by Begin/End calls. Strings are UTF-8 and escaped as JSON needs.
class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}

  void BeginObject(std::string_view key = {});
  void EndObject();
  void BeginArray(std::string_view key);
  void EndArray();
  void String(std::string_view key, std::string_view value);
  void Number(std::string_view key, double value);
  /// An array element (the key is empty).
  void String(std::string_view value) { String({}, value); }

 private:
  void Key(std::string_view key);
  void Quoted(std::string_view text);

  std::ostream& out_;
  bool first_in_scope_ = true;
};

}  // namespace koravel
