// The value names of the engine's enumerated types.
#include "reportengine/core/ppTypes.h"

namespace reportengine {

QStringList SplitEnumNameList(const char* list) {
    QStringList names = QString::fromLatin1(list).split(u',');
    for (QString& name : names) name = name.trimmed();
    return names;
}

}  // namespace reportengine
