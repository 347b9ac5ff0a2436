// Saves or exports through the one writer, for tests that must run it as
// another user, under a failing system call, killed at a random moment, or
// beside another process doing the same.
//   save_helper save|export once TARGET LETTER      write version LETTER once;
//                                                   exit 0, or 10 + the error code
//   save_helper save|export loop TARGET LETTER      write versions a and b in turn,
//                                                   from LETTER, until killed; a byte
//                                                   on standard output once the first
//                                                   is written
//   save_helper save|export repeat TARGET LETTER N  write version LETTER N times;
//                                                   exit 1 if any failed
#include <unistd.h>

#include <cstdlib>
#include <string_view>

#include "output_versions.h"

using koravel::test::Output;
using koravel::test::WriteVersion;

int main(int argc, char** argv) {
  if (argc < 5) return 2;
  const Output kind = std::string_view(argv[1]) == "export" ? Output::Export : Output::Save;
  const std::string_view mode = argv[2];
  const std::filesystem::path target = argv[3];
  const char letter = argv[4][0];
  if (mode == "once") {
    const std::optional<koravel::ErrorCode> failure = WriteVersion(kind, target, letter);
    return failure ? 10 + static_cast<int>(*failure) : 0;
  }
  if (mode == "repeat" && argc == 6) {
    bool failed = false;
    for (long i = std::strtol(argv[5], nullptr, 10); i > 0; --i) {
      failed |= WriteVersion(kind, target, letter).has_value();
    }
    return failed ? 1 : 0;
  }
  WriteVersion(kind, target, letter);
  if (write(STDOUT_FILENO, ".", 1) != 1) return 1;
  for (char next = letter == 'a' ? 'b' : 'a';; next = next == 'a' ? 'b' : 'a') WriteVersion(kind, target, next);
}
