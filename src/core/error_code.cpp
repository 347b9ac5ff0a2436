#include "core/error_code.h"

namespace koravel {

std::string_view MessageText(ErrorCode code) {
  switch (code) {
    case ErrorCode::FileNotFound: return "ファイルが見つかりません。";
    case ErrorCode::PathNotFound: return "パスが見つかりません。";
    case ErrorCode::FileError: return "ファイルエラーです。";
    case ErrorCode::NotMeshFile: return "メッシュファイルではありません。";
    case ErrorCode::ReadOnlyFile: return "読み取り専用ファイルです。";
    case ErrorCode::WritePermissionDenied: return "書き込みできません。";
    case ErrorCode::InvalidPathOrNotWritable:
      return "パス名が無効です。または書き込みできません。";
    case ErrorCode::UnencodableText:
      return "Shift-JISで表せない文字が含まれているため保存できません。";
    case ErrorCode::FieldOverflow:
      return "ファイルの桁数に収まらない値があるため保存できません。";
    case ErrorCode::NoFileLoaded: return "ファイルが読込まれていません。";
    case ErrorCode::UnsupportedTrackNotation:
      return "このファイルは形式が異なるため対応していません。";
    case ErrorCode::NotTrackFile: return "このファイルはトラックファイルではありません。";
    case ErrorCode::TrackSetFull: return "これ以上トラックを読み込めません。";
    case ErrorCode::UnsupportedExportFormat:
      return "書き出せない形式です。拡張子を .asc、.tif、.tiff のいずれかにして下さい。";
    case ErrorCode::TiffLibraryMissing:
      return "GeoTIFFを書き出すためのライブラリ(libtiff)が見つかりません。";
    case ErrorCode::MeshStepsDiffer: return "最初のメッシュと格子の間隔が異なります。";
    case ErrorCode::MeshOffGrid: return "最初のメッシュの格子からずれています。";
    case ErrorCode::NoMeshToPlace: return "並べられるメッシュがありません。";
    case ErrorCode::DuplicateOutputName: return "同じ名前で書き出すファイルが先にあります。";
    case ErrorCode::ElevationOutOfRange: return "標高は-999.9m～9999.9mの範囲で入力して下さい。";
    case ErrorCode::NotElevationText:
      return "貼り付ける文字列に数値として読めない値があります。標高(m)をタブと改行で区切って下さい。";
    case ErrorCode::InvalidMeshCode:
      return "メッシュコードは6桁の数字です。日本の範囲の1次メッシュ4桁(緯度30～68、経度22～53)に、"
             "2次メッシュの行と列(0～7)が続きます。";
    case ErrorCode::NotDemFile: return "基盤地図情報の数値標高モデル(FG-GML)ではありません。";
    case ErrorCode::DemOrderUnsupported: return "格子点の並び(sequenceRule)が+x-y以外のため読めません。";
    case ErrorCode::DemTooManyPoints: return "格子点の数が格子の大きさを超えています。";
    case ErrorCode::DemUnknownReferenceSystem:
      return "対応していない座標参照系です(JGD2000、JGD2011、JGD2024に対応しています)。";
    case ErrorCode::BrokenArchive: return "zipファイルが壊れているため読めません。";
    case ErrorCode::ZipLibraryMissing: return "zipファイルを読むためのライブラリ(libzip)が見つかりません。";
    case ErrorCode::DemKindsMixed: return "解像度または測地系の異なる数値標高モデルは一つにできません。";
    case ErrorCode::DemOffGrid: return "最初の数値標高モデルの格子からずれています。";
    case ErrorCode::NoDemToPlace: return "並べられる数値標高モデルがありません。";
    case ErrorCode::DatumConversionUnavailable: return "測地系を変換できません(PROJが見つかりません)。";
    case ErrorCode::NotRegularFile: return "通常のファイルではありません。";
    case ErrorCode::FolderUnreadable: return "フォルダを読めません。";
    case ErrorCode::FrameTooSparse:
      return "範囲の1%も覆わないため書き出しません。範囲を広げているファイルを除くか、--allow-sparseを付けて下さい。";
    case ErrorCode::FrameTooLarge:
      return "範囲が全国の50mメッシュ(52,000×63,000セル)より大きいため書き出しません。"
             "書き出すには--allow-largeを付けて下さい。";
    case ErrorCode::AsciiGridTooLarge:
      return "ASCIIグリッドは圧縮されず2GBを超えるため書き出しません。GeoTIFF(.tif)で書き出して下さい。";
    case ErrorCode::CompressionUnavailable:
      return "インストールされているlibtiffはこの圧縮方式に対応していません。--compress deflateを使って下さい。";
    case ErrorCode::GeodesicLibraryMissing:
      return "距離を測るためのライブラリ(PROJ)が見つかりません。";
    case ErrorCode::VectorLibraryMissing:
      return "等高線を書き出すためのライブラリ(GDAL)が見つかりません。";
    case ErrorCode::UnsupportedContourFormat:
      return "書き出せない形式です。拡張子を .geojson、.gpkg、.dxf のいずれかにして下さい。";
    case ErrorCode::UnknownCoordinateSystem: return "指定された座標参照系が見つかりません。";
    case ErrorCode::TooManyContourLevels: return "等高線の本数が多すぎます。間隔を広げて下さい。";
    case ErrorCode::InvalidContourInterval: return "等高線の間隔は0より大きい数値で指定して下さい。";
    case ErrorCode::VectorWriteFailed: return "等高線を書き出せませんでした。";
    case ErrorCode::GeoJsonIsWgs84: return "GeoJSONはWGS 84の経緯度でしか書き出せません。";
  }
  return "ファイルエラーです。";
}

std::string_view MessageText(Warning warning) {
  switch (warning) {
    case Warning::OmittedRecords:
      return "省略されたレコードがあります。まだこの形式の保存には未対応です。";
    case Warning::TrackDatumDiffers:
      return "このファイルは測地系が異なるため若干位置がずれます。";
    case Warning::DataAfterLastRecord:
      return "ファイルの最後のレコードの後にデータがあります。このデータは保存されません。";
  }
  return {};
}

}  // namespace koravel
