#include "printable_path.h"

#include <cstdio>

namespace koravel {
namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7f;

void AppendEscaped(std::string& text, unsigned char byte) {
  switch (byte) {
    case '\\': text += "\\\\"; return;
    case '\n': text += "\\n"; return;
    case '\r': text += "\\r"; return;
    case '\t': text += "\\t"; return;
  }
  char escape[8];
  std::snprintf(escape, sizeof escape, "\\x%02x", byte);
  text += escape;
}

}  // namespace

std::string PrintablePath(const std::filesystem::path& path) {
  std::string text;
  for (const char c : path.string()) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < kFirstPrintable || byte == kDelete || c == '\\') {
      AppendEscaped(text, byte);
    } else {
      text += c;
    }
  }
  return text;
}

}  // namespace koravel
