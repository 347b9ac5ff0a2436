#pragma once

#include <string_view>

namespace koravel {

/// Every failure the core reports. The window and the command-line tool show
/// the same Japanese sentence for each, through MessageText().
enum class ErrorCode {
  FileNotFound,
  PathNotFound,
  FileError,
  NotMeshFile,
  ReadOnlyFile,
  WritePermissionDenied,
  InvalidPathOrNotWritable,
  UnencodableText,
  FieldOverflow,
  NoFileLoaded,
  UnsupportedTrackNotation,
  NotTrackFile,
  TrackSetFull,
  UnsupportedExportFormat,
  TiffLibraryMissing,
  MeshStepsDiffer,
  MeshOffGrid,
  NoMeshToPlace,
  DuplicateOutputName,
  ElevationOutOfRange,
  NotElevationText,
  InvalidMeshCode,
  NotDemFile,
  DemOrderUnsupported,
  DemTooManyPoints,
  DemUnknownReferenceSystem,
  BrokenArchive,
  ZipLibraryMissing,
  DemKindsMixed,
  DemOffGrid,
  NoDemToPlace,
  DatumConversionUnavailable,
  NotRegularFile,
  FolderUnreadable,
  FrameTooSparse,
  FrameTooLarge,
  AsciiGridTooLarge,
  CompressionUnavailable,
  GeodesicLibraryMissing,
  VectorLibraryMissing,
  UnsupportedContourFormat,
  UnknownCoordinateSystem,
  TooManyContourLevels,
  InvalidContourInterval,
  VectorWriteFailed,
  GeoJsonIsWgs84,
};

/// Conditions worth telling the user about that do not stop a command.
enum class Warning {
  OmittedRecords,
  TrackDatumDiffers,
  DataAfterLastRecord,
};

std::string_view MessageText(ErrorCode code);
std::string_view MessageText(Warning warning);

}  // namespace koravel
