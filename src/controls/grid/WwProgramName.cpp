// The program's base name for default file names.
#include "controls/grid/WwProgramName.h"

#include "controls/edit/WwStrings.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/SystemFacts.h"

namespace controls {

QString ProgramBaseName() {
    const QString exe = rtl::ExeName();
    const QString base = FileBaseName(exe);
    return base.isEmpty() ? ExtractFileName(exe) : base;
}

}  // namespace controls
