#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "ui/views/map_picture.h"

class QPrinter;
class QWidget;

namespace koravel {

class Dialogs;
class Document;

/// ファイル > 画像として保存 and 印刷: the map picture of the detail view or
/// the whole mesh as PNG, SVG or PDF (where the system has no printer),
/// written through the safe writer, or sent to a printer.
class PictureCommands {
 public:
  PictureCommands(Dialogs& dialogs, const Document& document, const MapPicture& picture, QWidget& window)
      : dialogs_(dialogs), document_(document), picture_(picture), window_(window) {}

  void SaveAsPicture();
  void Print();

 private:
  struct Choice {
    MapPicture::Area area;
    int cell_pixels;
  };

  std::optional<Choice> ChooseArea();
  QByteArray Png(const Choice& choice) const;
  QByteArray Svg(const Choice& choice) const;
  QByteArray Pdf(const Choice& choice) const;
  void PrintOn(QPrinter& printer, const Choice& choice) const;
  void Write(const QString& path, const QByteArray& bytes);
  QString ProposedName(const char* extension) const;

  Dialogs& dialogs_;
  const Document& document_;
  const MapPicture& picture_;
  QWidget& window_;
};

}  // namespace koravel
