#pragma once

#include <tiffio.h>

namespace koravel {

/// libtiff, loaded the first time a TIFF is written. Linked in, it and the
/// libraries behind it would add milliseconds to every start of the tool,
/// though most runs write no TIFF at all. Every TIFF it opens knows the
/// GeoTIFF tags (pixel scale, tie points, the key directory and its
/// parameters) and GDAL's no-data tag.
struct TiffLibrary {
  decltype(&::TIFFFdOpen) FdOpen = nullptr;
  decltype(&::TIFFClientOpen) ClientOpen = nullptr;
  decltype(&::TIFFClose) Close = nullptr;
  decltype(&::TIFFCleanup) Cleanup = nullptr;
  decltype(&::TIFFSetField) SetField = nullptr;
  decltype(&::TIFFWriteEncodedStrip) WriteEncodedStrip = nullptr;
  decltype(&::TIFFWriteEncodedTile) WriteEncodedTile = nullptr;
  decltype(&::TIFFWriteRawTile) WriteRawTile = nullptr;
  decltype(&::TIFFGetStrileOffset) StrileOffset = nullptr;
  decltype(&::TIFFGetStrileByteCount) StrileByteCount = nullptr;
  decltype(&::TIFFWriteCheck) WriteCheck = nullptr;
  decltype(&::TIFFWriteDirectory) WriteDirectory = nullptr;
  decltype(&::TIFFSetDirectory) SetDirectory = nullptr;
  decltype(&::TIFFDeferStrileArrayWriting) DeferStrileArrayWriting = nullptr;
  decltype(&::TIFFForceStrileArrayWriting) ForceStrileArrayWriting = nullptr;
  decltype(&::TIFFFlush) Flush = nullptr;
  decltype(&::TIFFIsCODECConfigured) IsCodecConfigured = nullptr;

  /// The library with its messages on standard error silenced, or nullptr
  /// when it is not installed. Safe to call from several threads.
  static const TiffLibrary* Get();
};

}  // namespace koravel
