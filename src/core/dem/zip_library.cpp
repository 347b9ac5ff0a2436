#include "core/dem/zip_library.h"

#include <dlfcn.h>

#include <optional>

namespace koravel {
namespace {

template <typename Function>
bool Resolve(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  return function != nullptr;
}

std::optional<ZipLibrary> Load() {
  void* library = dlopen(KORAVEL_LIBZIP_SONAME, RTLD_LAZY | RTLD_LOCAL);
  ZipLibrary zip;
  const bool complete = library != nullptr && Resolve(library, "zip_open", zip.Open) &&
                        Resolve(library, "zip_source_buffer_create", zip.BufferSource) &&
                        Resolve(library, "zip_open_from_source", zip.OpenFromSource) &&
                        Resolve(library, "zip_source_free", zip.FreeSource) &&
                        Resolve(library, "zip_discard", zip.Discard) &&
                        Resolve(library, "zip_get_num_entries", zip.EntryCount) &&
                        Resolve(library, "zip_get_name", zip.EntryName) &&
                        Resolve(library, "zip_stat_index", zip.StatEntry) &&
                        Resolve(library, "zip_fopen_index", zip.OpenEntry) &&
                        Resolve(library, "zip_fread", zip.ReadEntry) && Resolve(library, "zip_fclose", zip.CloseEntry);
  if (!complete) return std::nullopt;
  return zip;
}

}  // namespace

const ZipLibrary* ZipLibrary::Get() {
  static const std::optional<ZipLibrary> library = Load();
  return library ? &*library : nullptr;
}

}  // namespace koravel
