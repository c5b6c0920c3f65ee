// The slot of the printer catalogue, holding the system's catalogue by default.
#include "platform/print/PrinterCatalog.h"

#include "platform/print/QtPrinterCatalog.h"

namespace prn {

namespace {

std::shared_ptr<PrinterCatalog> MakeSystemPrinterCatalog() { return std::make_shared<QtPrinterCatalog>(); }

}  // namespace

rtl::ServiceSlot<PrinterCatalog>& PrinterCatalogSlot() {
    static rtl::ServiceSlot<PrinterCatalog> slot(&MakeSystemPrinterCatalog);
    return slot;
}

}  // namespace prn
