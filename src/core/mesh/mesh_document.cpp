#include "core/mesh/mesh_document.h"

namespace koravel {

MeshDocument::MeshDocument() : elevation_((kMeshSize + 1) * (kMeshSize + 1), 0) {}

}  // namespace koravel
