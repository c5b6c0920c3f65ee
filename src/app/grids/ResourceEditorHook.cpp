#include "app/grids/ResourceEditorHook.h"

namespace grids {

ResourceEditorWindow& CurrentResourceEditor() {
    static ResourceEditorWindow window;
    return window;
}

void ShowResourceEditor(qint32 resourceId) {
    if (const ResourceEditorWindow window = CurrentResourceEditor()) window(resourceId);
}

}  // namespace grids
