#pragma once

#include <geotiff/geotiffio.h>
#include <geotiff/xtiffio.h>
#include <tiffio.h>

namespace koravel {

/// libtiff and libgeotiff, loaded the first time a TIFF is written. Linked
/// in, they and the libraries behind them would add milliseconds to every
/// start of the tool, though most runs write no TIFF at all.
struct TiffLibrary {
  // libtiff
  decltype(&::TIFFMergeFieldInfo) MergeFieldInfo = nullptr;
  decltype(&::TIFFSetField) SetField = nullptr;
  decltype(&::TIFFWriteEncodedStrip) WriteEncodedStrip = nullptr;
  decltype(&::TIFFFlush) Flush = nullptr;
  // libgeotiff: a TIFF opened through it knows the GeoTIFF tags
  decltype(&::XTIFFFdOpen) FdOpen = nullptr;
  decltype(&::XTIFFClose) Close = nullptr;
  decltype(&::GTIFNewEx) NewGeoKeys = nullptr;
  decltype(&::GTIFKeySet) SetGeoKey = nullptr;
  decltype(&::GTIFWriteKeys) WriteGeoKeys = nullptr;
  decltype(&::GTIFFree) FreeGeoKeys = nullptr;

  /// The libraries with their messages on standard error silenced, or
  /// nullptr when one is not installed. Safe to call from several threads.
  static const TiffLibrary* Get();
};

}  // namespace koravel
