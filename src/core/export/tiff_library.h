#pragma once

#include <tiffio.h>

namespace koravel {

/// libtiff, loaded the first time a TIFF is written. Linked in, it and its
/// codecs would add about a millisecond to every start of the tool, though
/// most runs write no TIFF at all.
struct TiffLibrary {
  decltype(&::TIFFFdOpen) FdOpen = nullptr;
  decltype(&::TIFFMergeFieldInfo) MergeFieldInfo = nullptr;
  decltype(&::TIFFSetField) SetField = nullptr;
  decltype(&::TIFFWriteEncodedStrip) WriteEncodedStrip = nullptr;
  decltype(&::TIFFFlush) Flush = nullptr;
  decltype(&::TIFFClose) Close = nullptr;

  /// The library with its messages on standard error silenced, or nullptr
  /// when it is not installed. Safe to call from several threads.
  static const TiffLibrary* Get();
};

}  // namespace koravel
