// The registry list's change reports.
#include "reportengine/core/ppUtilsRegList.h"

int TppRegList::AddObject(const QString& text, void* object) {
    const int index = TStringList::AddObject(text, object);
    if (OnRegListChange) OnRegListChange();
    return index;
}

void TppRegList::Delete(int index) {
    TStringList::Delete(index);
    if (OnRegListChange) OnRegListChange();
}
