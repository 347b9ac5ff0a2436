#include "ui/app/neighbour_meshes.h"

#include <QDir>
#include <QFileInfo>

namespace koravel {

QString NeighbourMeshFile(const QString& opened_file, const std::string& code, CompassDirection direction) {
  const std::optional<std::string> neighbour = NeighbourMeshCode(code, direction);
  if (opened_file.isEmpty() || !neighbour) return {};
  const QDir folder = QFileInfo(opened_file).dir();
  // Name filters match without regard to letter case.
  const QStringList found = folder.entryList({QString::fromStdString(*neighbour) + QStringLiteral(".mem")},
                                             QDir::Files | QDir::Readable);
  return found.isEmpty() ? QString() : folder.filePath(found.constFirst());
}

}  // namespace koravel
