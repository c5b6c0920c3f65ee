// Puts the system's printers into the catalogue slot.
#include "platform/print/QtPrinterCatalog.h"

namespace prn {

void InstallSystemPrinterCatalog() { SetPrinterCatalog(std::make_shared<QtPrinterCatalog>()); }

}  // namespace prn
