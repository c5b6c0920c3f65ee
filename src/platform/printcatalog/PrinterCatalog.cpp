// The slot of the printer catalogue, empty until the system's catalogue is installed.
#include "platform/printcatalog/PrinterCatalog.h"

namespace prn {

namespace {

class EmptyPrinterCatalog : public PrinterCatalog {
public:
    QList<PrinterEntry> Printers() const override { return {}; }
    QString DefaultPrinterName() const override { return {}; }
    std::optional<DriverCapabilities> Capabilities(const QString&) const override { return std::nullopt; }
};

std::shared_ptr<PrinterCatalog> MakeEmptyPrinterCatalog() { return std::make_shared<EmptyPrinterCatalog>(); }

}  // namespace

rtl::ServiceSlot<PrinterCatalog>& PrinterCatalogSlot() {
    static rtl::ServiceSlot<PrinterCatalog> slot(&MakeEmptyPrinterCatalog);
    return slot;
}

}  // namespace prn
