// Runs the fuzz target once on each file named on the command line and each
// file under a folder named there, so any compiler can check the seed corpus
// without libFuzzer.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

void RunInput(const fs::path& path) {
  std::cout << "running " << path.string() << std::endl;  // flushed: a trap ends the process
  std::ifstream file(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

// The files an argument stands for, in a fixed order.
std::vector<fs::path> InputsOf(const fs::path& argument) {
  std::vector<fs::path> inputs;
  if (fs::is_regular_file(argument)) inputs.push_back(argument);
  if (fs::is_directory(argument)) {
    for (const auto& entry : fs::recursive_directory_iterator(argument)) {
      if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t count = 0;
  for (int i = 1; i < argc; ++i) {
    // A mistyped path must not pass as a folder that merely holds nothing.
    if (!fs::exists(argv[i])) {
      std::cerr << argv[0] << ": no such file or folder: " << argv[i] << "\n";
      return 1;
    }
    for (const fs::path& input : InputsOf(argv[i])) {
      RunInput(input);
      ++count;
    }
  }
  std::cout << "ran " << count << " inputs" << std::endl;
  if (count == 0) {
    std::cerr << "usage: " << argv[0] << " FILE_OR_FOLDER...  (no input files found)\n";
    return 1;
  }
  return 0;
}
