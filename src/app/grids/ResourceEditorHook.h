// The resource editor that the grids open for one resource; the main window installs it.
#pragma once

#include <QtGlobal>
#include <functional>

namespace grids {

// Shows the resource editor for one resource in single-resource mode and returns when it closed.
using ResourceEditorWindow = std::function<void(qint32 resourceId)>;

// The installed editor; while it is empty a header click opens nothing.
ResourceEditorWindow& CurrentResourceEditor();

void ShowResourceEditor(qint32 resourceId);

}  // namespace grids
