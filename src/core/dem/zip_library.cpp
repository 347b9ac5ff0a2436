#include "core/dem/zip_library.h"

#include <dlfcn.h>

#include <optional>

#include "core/dynamic_symbol.h"

namespace koravel {

const ZipLibrary* ZipLibrary::Get() {
  static const std::optional<ZipLibrary> library = []() -> std::optional<ZipLibrary> {
    void* handle = dlopen(KORAVEL_LIBZIP_SONAME, RTLD_LAZY | RTLD_LOCAL);
    ZipLibrary zip;
    const bool complete = handle != nullptr && ResolveSymbol(handle, "zip_open", zip.Open) &&
                          ResolveSymbol(handle, "zip_source_buffer_create", zip.BufferSource) &&
                          ResolveSymbol(handle, "zip_open_from_source", zip.OpenFromSource) &&
                          ResolveSymbol(handle, "zip_source_free", zip.FreeSource) &&
                          ResolveSymbol(handle, "zip_discard", zip.Discard) &&
                          ResolveSymbol(handle, "zip_get_num_entries", zip.EntryCount) &&
                          ResolveSymbol(handle, "zip_get_name", zip.EntryName) &&
                          ResolveSymbol(handle, "zip_stat_index", zip.StatEntry) &&
                          ResolveSymbol(handle, "zip_fopen_index", zip.OpenEntry) &&
                          ResolveSymbol(handle, "zip_fread", zip.ReadEntry) &&
                          ResolveSymbol(handle, "zip_fclose", zip.CloseEntry);
    if (!complete) return std::nullopt;
    return zip;
  }();
  return library ? &*library : nullptr;
}

}  // namespace koravel
