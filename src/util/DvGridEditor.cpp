// The shared helper that looks into a grid.
#include "util/DvGridEditor.h"

#include "platform/ui/CustomGrid.h"
#include "platform/ui/InplaceEdit.h"

TInplaceEdit* FindInplaceEditor(const TCustomGrid& grid) {
    TInplaceEdit* found = nullptr;
    for (QObject* child : grid.findChildren<QObject*>())
        if (auto* editor = dynamic_cast<TInplaceEdit*>(child)) found = editor;
    return found;
}
