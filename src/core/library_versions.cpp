#include "core/library_versions.h"

#include <proj.h>

#include <string_view>

#include "core/dynamic_symbol.h"

namespace koravel {
namespace {

template <typename Function>
Function Symbol(const char* library, const char* name) {
  Function function = nullptr;
  void* handle = dlopen(library, RTLD_NOW | RTLD_LOCAL);
  if (handle != nullptr) ResolveSymbol(handle, name, function);
  return function;
}

std::string ProjVersion() {
  const auto info = Symbol<PJ_INFO (*)()>(KORAVEL_PROJ_LIBRARY, "proj_info");
  return info != nullptr ? info().version : std::string();
}

// libtiff names itself "LIBTIFF, Version 4.5.0" and a copyright after it.
std::string TiffVersion() {
  const auto version = Symbol<const char* (*)()>(KORAVEL_LIBTIFF_SONAME, "TIFFGetVersion");
  if (version == nullptr) return {};
  const std::string_view text = version();
  constexpr std::string_view kPrefix = "Version ";
  const std::size_t start = text.find(kPrefix);
  if (start == std::string_view::npos) return std::string(text.substr(0, text.find('\n')));
  const std::string_view rest = text.substr(start + kPrefix.size());
  return std::string(rest.substr(0, rest.find_first_of(" \n")));
}

}  // namespace

LibraryVersions InstalledLibraryVersions() { return {ProjVersion(), TiffVersion()}; }

}  // namespace koravel
