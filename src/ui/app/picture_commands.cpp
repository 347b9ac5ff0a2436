#include "ui/app/picture_commands.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSvgGenerator>

#include "core/io/save_file.h"
#include "ui/app/frm_picture_options.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_bridge.h"
#include "ui/document/document.h"

namespace koravel {
namespace {

const QStringList kPictureFilters = {QStringLiteral("PNG (*.png)"), QStringLiteral("SVG (*.svg)")};
const QStringList kPdfFilters = {QStringLiteral("PDF (*.pdf)")};

// The picture drawn to fit `page`, keeping its proportions.
void DrawFitted(QPainter& painter, const MapPicture& picture, MapPicture::Area area, int cell_pixels, QRectF page) {
  const QSize size = picture.Size(area, cell_pixels);
  const double scale = std::min(page.width() / size.width(), page.height() / size.height());
  painter.translate(page.topLeft());
  painter.scale(scale, scale);
  picture.Draw(painter, area, cell_pixels);
}

}  // namespace

std::optional<PictureCommands::Choice> PictureCommands::ChooseArea() {
  if (!document_.IsOpen()) return std::nullopt;
  frmPictureOptions options(&window_);
  dialogs_.ShowModal(options);
  if (options.result() != QDialog::Accepted) return std::nullopt;
  return Choice{options.Area(), options.CellPixels()};
}

QString PictureCommands::ProposedName(const char* extension) const {
  return QString::fromStdString(document_.Mesh().MeshCode.Text()).trimmed() + QLatin1String(extension);
}

void PictureCommands::SaveAsPicture() {
  const std::optional<Choice> choice = ChooseArea();
  if (!choice) return;
  const std::optional<QString> path =
      dialogs_.SaveFile(QStringLiteral("画像として保存"), kPictureFilters, ProposedName(".png"));
  if (!path) return;
  Write(*path, path->endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive) ? Svg(*choice) : Png(*choice));
}

// Without a printer the picture goes to a PDF file instead.
void PictureCommands::Print() {
  const std::optional<Choice> choice = ChooseArea();
  if (!choice) return;
  if (QPrinterInfo::availablePrinters().isEmpty()) {
    const std::optional<QString> path = dialogs_.SaveFile(QStringLiteral("印刷 (PDF)"), kPdfFilters, ProposedName(".pdf"));
    if (path) Write(*path, Pdf(*choice));
    return;
  }
  QPrinter printer;
  if (dialogs_.ChoosePrinter(printer)) PrintOn(printer, *choice);
}

QByteArray PictureCommands::Png(const Choice& choice) const {
  QImage image(picture_.Size(choice.area, choice.cell_pixels), QImage::Format_RGB32);
  {
    QPainter painter(&image);
    picture_.Draw(painter, choice.area, choice.cell_pixels);
  }
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  image.save(&bytes, "PNG");
  return bytes.data();
}

QByteArray PictureCommands::Svg(const Choice& choice) const {
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&bytes);
  svg.setSize(picture_.Size(choice.area, choice.cell_pixels));
  svg.setViewBox(QRect(QPoint(), svg.size()));
  svg.setTitle(ProposedName(""));
  {
    QPainter painter(&svg);
    picture_.Draw(painter, choice.area, choice.cell_pixels);
  }
  return bytes.data();
}

QByteArray PictureCommands::Pdf(const Choice& choice) const {
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  QPdfWriter pdf(&bytes);
  pdf.setPageOrientation(QPageLayout::Landscape);
  {
    QPainter painter(&pdf);
    DrawFitted(painter, picture_, choice.area, choice.cell_pixels, QRectF(QPointF(), pdf.pageLayout().paintRectPixels(pdf.resolution()).size()));
  }
  return bytes.data();
}

void PictureCommands::PrintOn(QPrinter& printer, const Choice& choice) const {
  QPainter painter(&printer);
  DrawFitted(painter, picture_, choice.area, choice.cell_pixels, printer.pageRect(QPrinter::DevicePixel));
}

void PictureCommands::Write(const QString& path, const QByteArray& bytes) {
  if (const auto failure = WriteFileContents(LocalPath(path), bytes.toStdString())) {
    return dialogs_.ShowFileMessage(Message(*failure), path);
  }
  dialogs_.RememberFolder(path);
}

}  // namespace koravel
