// Saves through the core's file replacement, for tests that must run a save
// as another user, under a failing system call, or killed at a random moment.
//   save_helper once TARGET TEXT   save TEXT once; exit 0, or 10 + the error code
//   save_helper loop TARGET SIZE   save SIZE bytes of 'a' or 'b', in turn, until killed,
//                                  starting with the letter the file does not hold
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "core/io/file_replace.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  const std::string_view mode = argv[1];
  const std::filesystem::path target = argv[2];
  if (mode == "once") {
    const std::optional<koravel::ErrorCode> failure = koravel::ReplaceFileContents(target, argv[3]);
    return failure ? 10 + static_cast<int>(*failure) : 0;
  }
  const std::size_t size = std::strtoul(argv[3], nullptr, 10);
  const std::string contents[] = {std::string(size, 'a'), std::string(size, 'b')};
  std::ifstream current(target);
  for (unsigned turn = current.get() == 'a' ? 1 : 0;; ++turn) {
    koravel::ReplaceFileContents(target, contents[turn % 2]);
  }
}
