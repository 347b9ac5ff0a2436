#pragma once

#include "core/mesh/mesh_document.h"
#include "ui/app/main_window_controls.h"

namespace koravel {

/// Shows the header of `document` in the window's labels;
/// the extra sheet names appear only when the mesh names several sheets.
void ShowHeader(const MeshDocument& document, const MainWindowControls& controls);

}  // namespace koravel
