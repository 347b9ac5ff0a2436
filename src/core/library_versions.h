#pragma once

#include <string>

namespace koravel {

/// The versions of the libraries the core opens when a command first needs
/// them, as each reports itself; empty where one cannot be opened.
struct LibraryVersions {
  std::string proj;     ///< "9.1.1"
  std::string libtiff;  ///< "4.5.0"
};

LibraryVersions InstalledLibraryVersions();

}  // namespace koravel
