#pragma once

#include <zip.h>

namespace koravel {

/// libzip, loaded the first time an archive is read. Linked in, it would
/// bring OpenSSL's crypto library into every start of the tool and the
/// window, for the few runs that read a zip archive.
struct ZipLibrary {
  decltype(&::zip_open) Open = nullptr;
  decltype(&::zip_source_buffer_create) BufferSource = nullptr;
  decltype(&::zip_open_from_source) OpenFromSource = nullptr;
  decltype(&::zip_source_free) FreeSource = nullptr;
  decltype(&::zip_discard) Discard = nullptr;
  decltype(&::zip_get_num_entries) EntryCount = nullptr;
  decltype(&::zip_get_name) EntryName = nullptr;
  decltype(&::zip_stat_index) StatEntry = nullptr;
  decltype(&::zip_fopen_index) OpenEntry = nullptr;
  decltype(&::zip_fread) ReadEntry = nullptr;
  decltype(&::zip_fclose) CloseEntry = nullptr;

  /// The library, or nullptr when it is not installed. Safe to call from
  /// several threads.
  static const ZipLibrary* Get();
};

}  // namespace koravel
